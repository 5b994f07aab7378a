#include "cli/commands.h"

#include "data/data_module.h"
#include "data/scripted_dialogs.h"
#include "import/text_import.h"

#include <QDir>
#include <QTextStream>

namespace zef::cli {

// zef import FILE: the text import without a window. The log goes to standard output, one entry
// after the other, then the summary line; the exit status is 0 when the file was read to its end,
// even with declarations refused, and 1 when the import ended early or a declaration was not stored.
int importFile(const Context &ctx, const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        err << "Uso: zef [--home PASTA] import ARQUIVO\n";
        return 2;
    }

    // The only box the import shows is a notice with OK; it is printed like the log.
    ScriptedDialogs dialogs;
    dialogs.setObserver([&out](const ScriptedDialogs::Shown &box) {
        out << box.text << "\n";
        out.flush();
    });
    TfDmDados dm(dialogs, ctx.home);
    dm.DataModuleCreate();

    TextImport importacao(dm.dtbBaseDados, dialogs);
    importacao.onLog = [&out](const QString &entry) {
        QString text = entry;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        out << text << "\n";
        out.flush();
    };
    const ImportSummary resumo = importacao.importFile(args.first());
    if (resumo.end == ImportEnd::CannotOpen) {
        err << "Não foi possível abrir o arquivo " << QDir::toNativeSeparators(args.first()) << ": " << resumo.error
            << "\n";
        return 1;
    }
    out << textoResumo(resumo) << "\n";
    return resumo.endedEarly() || resumo.notStored > 0 ? 1 : 0;
}

} // namespace zef::cli
