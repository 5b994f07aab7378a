#pragma once

#include <QString>

namespace zef {

class Database;

// Look-up routines of the data module. Each runs one statement on a short-lived query and
// changes nothing.

// True when the table has a column of that name (compared in lower case).
bool ExisteCampo(Database &db, const QString &table, const QString &column);
bool ExisteAtividade(Database &db, const QString &code);
// True when exactly one municipality has the code.
bool ExisteMunicipio(Database &db, const QString &code);
bool ExisteCFOP(Database &db, const QString &code, const QString &type);
bool ExisteCNAE11(Database &db, const QString &code);
// True when the activity obliges item 07 in the base year's group.
bool ExigeItem07(Database &db, const QString &baseYear, const QString &activity);

// The group year of AnoBaseCampo7 that a base year belongs to.
QString grupoAnoBaseCampo7(const QString &baseYear);

} // namespace zef
