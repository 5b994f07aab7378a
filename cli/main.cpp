#include "cli/commands.h"

#include "engine/engine_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <exception>
#include <map>

namespace {

void usage(QTextStream &err)
{
    err << "Uso: zef [--home PASTA] COMANDO [argumentos]\n"
           "Comandos:\n"
           "  init                     cria PASTA/Db e PASTA/Zef.ini com as tabelas e os dados de referência\n"
           "  decode [--once] ARQUIVO  mostra o texto de um arquivo de declaração\n"
           "  encode [--once] ARQUIVO  compacta um arquivo como na gravação da declaração\n"
           "  reindex                  recria os índices das tabelas e grava de novo PASTA/Zef.ini\n"
           "  export --ano ANO [--ie INSCRIÇÃO]... [--yes] [--out ARQUIVO]\n"
           "                           grava o arquivo da declaração do ano\n"
           "  text --ano ANO [--ie INSCRIÇÃO]...\n"
           "                           mostra o texto do arquivo da declaração, sem compactar\n"
           "  import ARQUIVO           importa declarações de um arquivo texto de sistema contábil\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZEF2026"));
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    zef::cli::Context ctx;
    ctx.home = QCoreApplication::applicationDirPath();
    if (!args.isEmpty() && args.first() == QLatin1String("--home")) {
        if (args.size() < 2) {
            usage(err);
            return 2;
        }
        ctx.home = QDir(args.at(1)).absolutePath();
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        usage(err);
        return 2;
    }

    using Command = int (*)(const zef::cli::Context &, const QStringList &);
    const std::map<QString, Command> commands = {
        {QStringLiteral("init"), zef::cli::init},
        {QStringLiteral("decode"), zef::cli::decode},
        {QStringLiteral("encode"), zef::cli::encode},
        {QStringLiteral("reindex"), zef::cli::reindex},
        {QStringLiteral("export"), zef::cli::exportFile},
        {QStringLiteral("text"), zef::cli::text},
        {QStringLiteral("import"), zef::cli::importFile},
    };
    const auto it = commands.find(args.first());
    if (it == commands.end()) {
        err << "Comando desconhecido: " << args.first() << "\n";
        usage(err);
        return 2;
    }
    try {
        return it->second(ctx, args.mid(1));
    } catch (const zef::EngineError &e) {
        err << e.message() << "\n";
    } catch (const std::exception &e) {
        err << QString::fromLocal8Bit(e.what()) << "\n";
    }
    return 1;
}
