#pragma once

#include <QString>
#include <QStringList>

// The sub-commands of the `zef` front end. Each returns the process exit status and
// writes its results to standard output and its messages to standard error.
namespace zef {
class Database;
}

namespace zef::cli {

struct Context {
    QString home;   // folder holding Db, Zef.ini and Erros.log (the program's own by default)
};

// Connects to PASTA/Db with the table catalogue.
void openDatabase(Database &db, const Context &ctx);

// Whether the command draws text (its fonts need a graphical application, even without a screen).
bool needsGui(const QString &command);

int init(const Context &ctx, const QStringList &args);
int reindex(const Context &ctx, const QStringList &args);
int decode(const Context &ctx, const QStringList &args);
int encode(const Context &ctx, const QStringList &args);
int exportFile(const Context &ctx, const QStringList &args);   // zef export
int text(const Context &ctx, const QStringList &args);         // zef text
int importFile(const Context &ctx, const QStringList &args);   // zef import
int printPdf(const Context &ctx, const QStringList &args);     // zef print
int importPrevious(const Context &ctx, const QStringList &args);   // zef import-previous

} // namespace zef::cli
