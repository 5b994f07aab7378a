#pragma once

#include <QStringView>

struct sqlite3;

namespace zef {

// Name order as a Portuguese reader expects it: accents and case do not separate
// letters ("Água Fria" sorts among the A's, before "Alto"); equal folds fall back to the
// exact text so the order is total.
int compareNames(QStringView a, QStringView b);

// The same without the tie-break: names that differ only in accents or case are equal,
// as a search typed by the user expects.
int compareFolded(QStringView a, QStringView b);

// Comparison of key texts as the primary indexes order them: exact, by character code.
int compareExact(QStringView a, QStringView b);

// The collation the program orders and searches names with, in its statements. It exists only
// on the program's own connections, so the stored schema never names it: any SQLite tool must be
// able to check, repair and change the database.
inline constexpr auto kNameCollation = "ZEFNOCASE";

// What a case-insensitive index records in the stored schema: SQLite's built-in collation, which
// the stock tools know. The program's order comes from kNameCollation at query time.
inline constexpr auto kStoredNoCaseCollation = "NOCASE";

// Installs the collation on a connection (a database of the earlier version, whose indexes name
// it, needs it before one of them is touched).
bool registerCollations(sqlite3 *handle);

} // namespace zef
