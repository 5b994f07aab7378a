#pragma once

#include "import/import_reader.h"
#include "import/import_store.h"

#include <QString>
#include <QVariantList>

#include <optional>

namespace zef {

class ImportLookups;

// What the lines of a declaration need to know of its "A" line.
struct DeclarationContext {
    QString cgcEmpresa;       // registration number
    QString anoBase;
    QString statusDRF;        // "S": the fiscal domicile moved within the period
    QString regimeApuracao;   // "4": Simples Nacional, some amounts are not read
    QString codigoAtividade;
};

// The outcome of one line "B" to "K".
struct LineResult {
    QString texto;            // added to the declaration's errors; empty when the line is valid
    bool acceptedB = false;   // a "B" line that belongs to the declaration (counted even if not stored)
    // The row to store, when the line is valid.
    std::optional<ImportTable> table;
    QVariantList values;
};

// Checks one line "B" to "K" of a declaration and, when it is valid, builds its row. A line too
// short for its fields, or with an amount that is not a number, is refused with ImportError.
// Any other letter gives an empty result.
LineResult readDeclarationLine(const ImportLine &line, const DeclarationContext &ctx, ImportLookups &lookups);

// The refusal of a line whose registration number or base year is not its declaration's.
QString textoLinhaDeOutraDeclaracao(qint64 linha, QChar letra, const QString &inscricao, const QString &ano,
                                    const DeclarationContext &ctx);

// The texts the type and state codes of the layout stand for; empty for a code outside the lists.
QString tipoEntradasDoCodigo(const QString &code);   // line "C"
QString tipoVendasDoCodigo(const QString &code);     // line "E"
QString siglaUFDoCodigo(const QString &code);        // lines "D" and "F"

} // namespace zef
