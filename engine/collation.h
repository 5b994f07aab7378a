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

// The collation name case-insensitive indexes use in SQL.
inline constexpr auto kNameCollation = "ZEFNOCASE";

// Installs the collation on a connection (every connection needs it before touching
// an index that uses it).
bool registerCollations(sqlite3 *handle);

} // namespace zef
