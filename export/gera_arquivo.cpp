#include "export/gera_arquivo.h"

#include "compress/container.h"
#include "data/text_routines.h"
#include "data/windows_1252.h"
#include "engine/engine_error.h"
#include "export/atomic_file.h"
#include "export/consistency_checks.h"
#include "export/declaration_text.h"
#include "export/export_error.h"

#include <QDir>

#include <span>

namespace zef {

namespace {

// A declaration of 60 lines takes about 5,000 characters.
constexpr qsizetype kTypicalDeclarationSize = 5000;

QByteArray unpack(const QByteArray &bytes)
{
    const std::vector<std::uint8_t> plain = readContainer(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                      std::size_t(bytes.size())));
    return QByteArray(reinterpret_cast<const char *>(plain.data()), qsizetype(plain.size()));
}

} // namespace

DeclarationFileText montaTextoArquivo(Database &db, Dialogs &dialogs, const QString &year,
                                      const QStringList &registrations)
{
    DeclarationReader reader(db);
    ConsistencyChecks checks(db, dialogs);
    QString text;
    text.reserve(kTypicalDeclarationSize * registrations.size());
    int counter = 0;
    for (const QString &registration : registrations) {
        const DeclarationRows rows = reader.read({year, registration});
        appendDeclarationText(text, rows, counter);
        checks.check(rows);
    }
    return {toWindows1252(text), checks.validationList()};
}

QByteArray compactaArquivo(const QByteArray &text)
{
    // Each layer is coded once, straight from the bytes of the one before: the text is read in
    // place and the inner container is the outer coding's input, with no copy between them.
    const std::vector<std::uint8_t> inner = makeContainer(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>(text.constData()),
                                      std::size_t(text.size())));
    const std::vector<std::uint8_t> outer = makeContainer(inner);
    return QByteArray(reinterpret_cast<const char *>(outer.data()), qsizetype(outer.size()));
}

void confereArquivo(const QByteArray &text, const QByteArray &file, const QString &path)
{
    QString problem;
    try {
        const QByteArray back = unpack(unpack(file));
        if (back != text) {
            qsizetype at = 0;
            while (at < back.size() && at < text.size() && back.at(at) == text.at(at))
                ++at;
            problem = QStringLiteral("o texto lido de volta difere do texto da declaração a partir do caractere %1")
                          .arg(at + 1);
        }
    } catch (const ELzrw1Exception &) {
        problem = QStringLiteral("os bytes compactados não puderam ser lidos de volta");
    }
    if (!problem.isEmpty())
        throw ExportError(QStringLiteral("O arquivo %1 não foi gravado: a conferência da compactação falhou (%2). "
                                         "Nada foi salvo; grave o arquivo de novo.")
                              .arg(QDir::toNativeSeparators(path), problem));
}

QString nomeArquivoProposto(const QString &year)
{
    return QStringLiteral("ZEF") + SoDigitos(year) + QStringLiteral(".vd");
}

ExportResult GeraArquivo(Database &db, Dialogs &dialogs, const QString &year,
                         const QStringList &registrations, const ChooseFile &chooseFile)
{
    return GeraArquivo(db, dialogs, year, registrations, chooseFile, compactaArquivo);
}

ExportResult GeraArquivo(Database &db, Dialogs &dialogs, const QString &year,
                         const QStringList &registrations, const ChooseFile &chooseFile,
                         const Compacta &compacta)
{
    ExportResult result;
    DeclarationFileText built;
    try {
        built = montaTextoArquivo(db, dialogs, year, registrations);
    } catch (const SilentAbort &) {
        result.outcome = ExportResult::Outcome::Abandoned;
        return result;
    }
    result.text = built.text;
    result.validationList = built.validationList;
    result.file = compacta(result.text);
    if (!result.validationList.isEmpty()) {
        result.outcome = ExportResult::Outcome::Findings;
        return result;
    }
    const std::optional<QString> path = chooseFile ? chooseFile(nomeArquivoProposto(year)) : std::nullopt;
    if (!path || path->isEmpty()) {
        result.outcome = ExportResult::Outcome::Cancelled;
        return result;
    }
    confereArquivo(result.text, result.file, *path);
    gravaArquivoAtomico(*path, result.file);
    result.fileName = *path;
    result.outcome = ExportResult::Outcome::Written;
    return result;
}

} // namespace zef
