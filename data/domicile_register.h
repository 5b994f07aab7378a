#pragma once

#include <QString>
#include <QStringList>

namespace zef {

class Database;
class Dialogs;
class TfDmDados;

// The work of the fiscal domicile window (ZefMunAnterior.DB) that needs no window, so that it
// runs and is checked headless. The current declaration is the current row of dm.tbZEF.

// How many domiciles of the declaration are stored.
int contaDomicilios(Database &db, const QString &anoBase, const QString &cgcEmpresa);

// The letter a new domicile gets when `stored` domiciles exist: "A" for none, "B" for one, up
// to "E" for four; empty beyond, where no further domicile is allowed.
QString letraDomicilio(int stored);

// Stores the domicile being edited or inserted in dm.tbDomicilio for the current declaration,
// in one transaction. A refusal of the domicile rules or a key already stored rolls it back
// without a word and leaves the record as keyed; the answer is then false. Any other failure is
// rolled back and raised.
bool gravaDomicilio(TfDmDados &dm);

// The statements that delete every domicile and every operation of a declaration (the stock and
// the header stay), in the order they run, with the key as :AnoBase and :CGCEmpresa.
QStringList comandosExclusaoDomicilios();

// Runs those statements for the current declaration in one transaction, reads tbDomicilio again
// and tells the user. An error rolls everything back and goes on to the caller.
void excluiDomicilios(TfDmDados &dm, Dialogs &dialogs);

} // namespace zef
