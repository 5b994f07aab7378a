#include "cli/commands.h"

#include "data/data_module.h"
#include "data/scripted_dialogs.h"
#include "engine/engine_error.h"
#include "import/previous_import.h"

#include <QTextStream>

namespace zef::cli {

// zef import-previous FOLDER: the taxpayers and accountants of an earlier installation, as the
// import window copies them. Exit status 0 when both registers were read through, 1 on an error
// (the rows added before it stay, and their counts are printed all the same).
int importPrevious(const Context &ctx, const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        err << "Uso: zef [--home PASTA] import-previous ORIGEM\n";
        return 2;
    }
    const QString folder = args.first().trimmed();
    if (folder.isEmpty()) {
        err << textoCaminhoNaoInformado() << "\n";
        return 1;
    }

    ScriptedDialogs dialogs;
    TfDmDados dm(dialogs, ctx.home);
    dm.DataModuleCreate();

    PreviousImport importacao(dm.dtbBaseDados);
    QString erro;
    try {
        importacao.importFolder(folder);
    } catch (const EngineError &e) {
        erro = e.message();
    }
    if (erro.isEmpty())
        out << textoDadosImportados() << "\n";
    out << "Contribuintes incluídos: " << importacao.added().empresas << "\n"
        << "Contabilistas incluídos: " << importacao.added().contadores << "\n";
    out.flush();
    if (erro.isEmpty())
        return 0;
    err << textoErroImportacao() << erro << "\n";
    return 1;
}

} // namespace zef::cli
