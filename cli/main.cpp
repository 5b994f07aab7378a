#include "cli/commands.h"

#include "data/program_folders.h"
#include "engine/engine_error.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>

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
           "  import ARQUIVO           importa declarações de um arquivo texto de sistema contábil\n"
           "  print --ano ANO --ie INSCRIÇÃO --pdf ARQUIVO\n"
           "                           grava a declaração impressa em PDF\n"
           "  import-previous ORIGEM   importa contribuintes e contabilistas da instalação anterior na pasta ORIGEM\n";
}

// The command named on the command line, before the application exists to parse it.
QString commandOf(int argc, char *argv[])
{
    int i = 1;
    if (i < argc && qstrcmp(argv[i], "--home") == 0)
        i += 2;
    return i < argc ? QString::fromLocal8Bit(argv[i]) : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    std::unique_ptr<QCoreApplication> application;
    if (zef::cli::needsGui(commandOf(argc, argv))) {
        // Printing lays text out with real fonts but shows nothing: no screen is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("ZEF2026"));
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    QString chosenHome;
    if (!args.isEmpty() && args.first() == QLatin1String("--home")) {
        if (args.size() < 2 || args.at(1).isEmpty()) {
            usage(err);
            return 2;
        }
        chosenHome = args.at(1);
        args = args.mid(2);
    }
    const zef::ProgramFolders folders = zef::programFolders(QCoreApplication::applicationDirPath(), chosenHome);
    zef::cli::Context ctx;
    ctx.home = folders.home;
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
        {QStringLiteral("print"), zef::cli::printPdf},
        {QStringLiteral("import-previous"), zef::cli::importPrevious},
    };
    const auto it = commands.find(args.first());
    if (it == commands.end()) {
        err << "Comando desconhecido: " << args.first() << "\n";
        usage(err);
        return 2;
    }
    try {
        // The user's folder of an installed program is prepared by whichever program starts first;
        // init prepares it itself, and the codec commands use no database.
        static const QStringList withoutDatabase = {QStringLiteral("init"), QStringLiteral("decode"),
                                                    QStringLiteral("encode")};
        if (folders.userDataFolder && !withoutDatabase.contains(args.first()))
            zef::prepareHome(ctx.home);
        return it->second(ctx, args.mid(1));
    } catch (const zef::EngineError &e) {
        err << e.message() << "\n";
    } catch (const std::exception &e) {
        err << QString::fromLocal8Bit(e.what()) << "\n";
    }
    return 1;
}
