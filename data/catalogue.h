#pragma once

#include "engine/table_def.h"

#include <QList>
#include <QString>

namespace zef {

// The one definition of every stored table of the program: declaration tables, registers,
// reference tables and the few tables that are defined but never opened. Columns are listed in
// stored order; calculated columns are not here (the data module adds them to its datasets).
// Table file names are spelled as the program names them ("Zef.DB", "CNAE11", "TB_UF.db").
const QList<TableDef> &tableCatalogue();

// The catalogue entry of a table, matched like the engine matches names: without regard to case
// and with or without the extension ("municip", "Municip.DB"). Null when unknown.
const TableDef *catalogueTable(const QString &name);

} // namespace zef
