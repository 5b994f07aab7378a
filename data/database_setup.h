#pragma once

#include "data/reference_data.h"
#include "engine/engine_error.h"

#include <QString>

namespace zef {

// A database that cannot be prepared: the message says why, in the user's language.
class SetupError : public EngineError
{
public:
    using EngineError::EngineError;
};

// The table password the database is stamped with and the program registers before connecting.
inline constexpr auto kTablePassword = "KorVim";

// The folder of the tables and the index list file, both beside the program in home.
inline constexpr auto kDatabaseDir = "Db";
inline constexpr auto kIndexListFile = "Zef.ini";

// Prepares a new installation in home: the folder home/Db with a new database file protected by
// the table password, every table and index of the catalogue, the reference rows read from
// referenceDir, and the index list home/Zef.ini. Refuses (SetupError) when the database file
// already exists, leaving it untouched. On any failure whatever this call created is removed again.
void createDatabase(const QString &home, const QString &referenceDir = QString::fromLatin1(kReferenceDataDir));

} // namespace zef
