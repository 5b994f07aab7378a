#pragma once

#include <QString>

struct sqlite3;

namespace zef {

// What the user reads when the database file itself fails: what happened, to which file, and what
// to do. SQLite's own texts are for developers ("database is locked") and never reach the user.

// For an SQLite result code (primary or extended). Empty for the failures only a fault of the
// program explains (a statement SQLite cannot run), where the engine's text stays the best report.
QString databaseFailureMessage(int resultCode, const QString &file);

// The file of a connection's main database, as the user writes paths; empty when there is none.
QString databaseFileName(sqlite3 *handle);

// A file of 0 bytes where the database should be, and a file that is an SQLite database but not
// one of this program.
QString emptyDatabaseMessage(const QString &file);
QString foreignDatabaseMessage(const QString &file);

} // namespace zef
