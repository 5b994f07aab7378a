#pragma once

#include "import/import_reader.h"
#include "import/import_store.h"

#include <QDate>
#include <QString>

namespace zef {

class ImportLookups;

// The outcome of checking an "A" line.
struct HeaderCheck {
    QString cgcEmpresa;       // the registration number and year the line names (padding removed)
    QString anoBase;
    QString razaoSocial;      // of that taxpayer; empty when it is not registered
    QString erro;             // E: empty when the header can be stored
    bool jaCadastrada = false;   // a declaration of that key exists already
    bool anoFuturo = false;      // the base year lies ahead: the whole import ends
    ImportHeader header;      // the row to store, filled when erro is empty
};

// The text shown when the base year lies ahead of the current one.
QString textoAnoFuturo();

// Checks an "A" line in the fixed order of its checks, each replacing or extending the error text
// (some stop the checking). `today` gives the current year and the declaration date. A year or an
// amount that is not a number is refused with ImportError.
HeaderCheck checkHeaderLine(const ImportLine &line, ImportLookups &lookups, const QDate &today);

} // namespace zef
