#pragma once

#include <QString>
#include <QStringList>

// The sub-commands of the `zef` front end. Each returns the process exit status and
// writes its results to standard output and its messages to standard error.
namespace zef::cli {

struct Context {
    QString home;   // folder holding Db, Zef.ini and Erros.log (the program's own by default)
};

int init(const Context &ctx, const QStringList &args);
int reindex(const Context &ctx, const QStringList &args);
int decode(const Context &ctx, const QStringList &args);
int encode(const Context &ctx, const QStringList &args);
int exportFile(const Context &ctx, const QStringList &args);   // zef export
int text(const Context &ctx, const QStringList &args);         // zef text
int importFile(const Context &ctx, const QStringList &args);   // zef import
int importPrevious(const Context &ctx, const QStringList &args);   // zef import-previous

} // namespace zef::cli
