#include "cli/commands.h"

#include "data/database_setup.h"

#include <QDir>
#include <QTextStream>

namespace zef::cli {

int init(const Context &ctx, const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!args.isEmpty()) {
        err << "Uso: zef [--home PASTA] init\n";
        return 2;
    }
    createDatabase(ctx.home);
    out << "Banco de dados criado em " << QDir::toNativeSeparators(QDir(ctx.home).filePath(QLatin1String(kDatabaseDir)))
        << "\n";
    return 0;
}

} // namespace zef::cli
