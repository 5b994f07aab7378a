#pragma once

#include <QString>

namespace zef {

class Dataset;
class Query;

// What names one declaration: its base year and the taxpayer's state registration number (the
// digits as stored in CGCEmpresa). Every declaration table, statement and file line is headed by
// it.
struct DeclarationKey {
    QString anoBase;
    QString cgcEmpresa;

    bool isEmpty() const { return anoBase.isEmpty() && cgcEmpresa.isEmpty(); }
    friend bool operator==(const DeclarationKey &, const DeclarationKey &) = default;
};

// The key held by a record's AnoBase and CGCEmpresa columns.
DeclarationKey chaveDoRegistro(const Dataset &record);

// Binds the key to the statement's :AnoBase and :CGCEmpresa.
void bindKey(Query &q, const DeclarationKey &key);

} // namespace zef
