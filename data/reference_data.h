#pragma once

#include <QString>
#include <QStringList>

namespace zef {

class Database;

// Where the shipped reference rows live: one tab-separated file per table, "<Table>.tsv", compiled
// into the program as resources.
inline constexpr auto kReferenceDataDir = ":/reference";

// The reference tables shipped filled, in the order they are loaded; each has its file
// "<name>.tsv".
QStringList referenceTables();

// Loads every reference table from dir/<Table>.tsv into the connected database, whose tables
// already exist. Each file is UTF-8: the first line names the columns (as the catalogue spells
// them), every further line is one row with as many tab-separated fields; an empty field is NULL.
// All tables load in one transaction: on any failure nothing is kept and SetupError names the file
// and, where there is one, the line.
void loadReferenceData(Database &db, const QString &dir = QString::fromLatin1(kReferenceDataDir));

} // namespace zef
