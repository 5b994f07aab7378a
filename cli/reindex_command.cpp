#include "cli/commands.h"

#include "data/catalogue.h"
#include "data/database_setup.h"
#include "data/index_rebuild.h"
#include "engine/database.h"

#include <QDir>
#include <QTextStream>

namespace zef::cli {

namespace {

// No window and no box: the closing message becomes a line on standard output, and the command
// ends by returning.
class ConsoleReIndexUi final : public ReIndexUi
{
public:
    void showEndMessage(const QString &text) override { QTextStream(stdout) << text << "\n"; }
    void endProgram() override {}
};

} // namespace

int reindex(const Context &ctx, const QStringList &args)
{
    if (!args.isEmpty()) {
        QTextStream(stderr) << "Uso: zef [--home PASTA] reindex\n";
        return 2;
    }
    const QDir home(ctx.home);
    Database db;
    db.setCatalogue(tableCatalogue());
    db.addPassword(QString::fromLatin1(kTablePassword));
    db.setParam(QStringLiteral("PATH"), home.filePath(QString::fromLatin1(kDatabaseDir)));

    ConsoleReIndexUi ui;
    TReIndex rebuild(ui);
    rebuild.DataBaseName = &db;
    rebuild.ShowProgresso = false;
    rebuild.ArquivoINI = home.filePath(QString::fromLatin1(kIndexListFile));
    rebuild.Reindexa();
    return 0;
}

} // namespace zef::cli
