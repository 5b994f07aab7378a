// `zef decode` and `zef encode`: the declaration file's two compression passes, undone or done on
// any file, bytes to standard output.

#include "commands.h"

#include <QFile>

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "compress/container.h"

namespace zef::cli {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

using Bytes = std::vector<std::uint8_t>;

void say(const QString &message)
{
    std::fputs(message.toUtf8().append('\n').constData(), stderr);
}

struct CodecArgs {
    bool once = false;
    QString file;
};

bool parseArgs(const QStringList &args, CodecArgs &parsed)
{
    for (const QString &arg : args) {
        if (arg == QLatin1String("--once"))
            parsed.once = true;
        else if (arg.startsWith(QLatin1Char('-')) || !parsed.file.isEmpty())
            return false;
        else
            parsed.file = arg;
    }
    return !parsed.file.isEmpty();
}

bool readFile(const QString &path, Bytes &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        say(QStringLiteral("Erro ao ler o arquivo %1: %2").arg(path, file.errorString()));
        return false;
    }
    bytes.assign(all.begin(), all.end());
    return true;
}

void binaryStdout()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

const QString kStdoutError = QStringLiteral("Erro ao gravar na saída padrão.");

bool writeOut(const Bytes &bytes)
{
    binaryStdout();
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        say(kStdoutError);
        return false;
    }
    return true;
}

// Standard output refused a piece of the decoded text.
struct StdoutFailed {};

QString damage(EContainerError::Reason reason)
{
    switch (reason) {
    case EContainerError::Reason::ShortHeader:
        return QStringLiteral("o cabeçalho de 8 bytes está incompleto");
    case EContainerError::Reason::WrongTag:
        return QStringLiteral("não começa com a marca \"!HZL\"");
    case EContainerError::Reason::Truncated:
        return QStringLiteral("os dados terminam antes do tamanho registrado");
    case EContainerError::Reason::Overrun:
        return QStringLiteral("uma cópia ultrapassa o tamanho registrado");
    case EContainerError::Reason::TrailingData:
        return QStringLiteral("há dados depois do fim da codificação");
    case EContainerError::Reason::TooLarge:
        return QStringLiteral("o tamanho registrado passa do limite de 1 GiB");
    }
    return QString();
}

} // namespace

int decode(const Context &, const QStringList &args)
{
    CodecArgs parsed;
    if (!parseArgs(args, parsed)) {
        say(QStringLiteral("Uso: zef decode [--once] ARQUIVO"));
        return kUsage;
    }
    Bytes bytes;
    if (!readFile(parsed.file, bytes))
        return kFailed;

    // The outer layer is read into memory; the last layer goes to standard output piece by piece
    // as it is decoded, so that its size never has to fit in memory at once.
    const int passes = parsed.once ? 1 : 2;
    int pass = 0;
    try {
        for (; pass + 1 < passes; ++pass)
            bytes = readContainer(bytes);
        binaryStdout();
        readContainerTo(bytes, [](std::span<const std::uint8_t> piece) {
            if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
                throw StdoutFailed{};
        });
        if (std::fflush(stdout) != 0)
            throw StdoutFailed{};
    } catch (const EContainerError &e) {
        std::fflush(stdout);
        QString where;
        if (passes == 2)
            where = pass == 0 ? QStringLiteral(" (camada externa)") : QStringLiteral(" (camada interna)");
        say(QStringLiteral("Arquivo danificado: %1%2: %3").arg(parsed.file, where, damage(e.reason())));
        return kFailed;
    } catch (const StdoutFailed &) {
        say(kStdoutError);
        return kFailed;
    }
    return kOk;
}

int encode(const Context &, const QStringList &args)
{
    CodecArgs parsed;
    if (!parseArgs(args, parsed)) {
        say(QStringLiteral("Uso: zef encode [--once] ARQUIVO"));
        return kUsage;
    }
    Bytes bytes;
    if (!readFile(parsed.file, bytes))
        return kFailed;

    const int passes = parsed.once ? 1 : 2;
    try {
        for (int pass = 0; pass < passes; ++pass)
            bytes = makeContainer(bytes);
    } catch (const ELzrw1Exception &e) {
        say(QStringLiteral("Erro na compressão de %1: %2").arg(parsed.file, QString::fromLatin1(e.what())));
        return kFailed;
    }
    return writeOut(bytes) ? kOk : kFailed;
}

} // namespace zef::cli
