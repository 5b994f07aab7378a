#pragma once

#include <QList>
#include <QString>

namespace zef {

class Database;

// One declaration of a base year as the export window lists it.
struct ListedDeclaration {
    QString inscricao;     // Zef.CGCEmpresa as stored
    QString razaoSocial;
    QString entry;         // the list entry, 75 characters
};

// The registration number written with the mask "99.999.999-9" (literals kept): 123456789 gives
// 12.345.678-9. Positions beyond a shorter text stay blank.
QString formataInscricao(const QString &inscricao);

// A list entry: the punctuated registration padded to 18 characters, a space, then the first 51
// characters of the company name padded to 56; 75 characters, so that a fixed-pitch font lines the
// entries up in columns.
QString entradaDaLista(const QString &inscricao, const QString &razaoSocial);

// The declarations of the base year, by company name as a reader orders names.
QList<ListedDeclaration> listaDeclaracoes(Database &db, const QString &year);

// The registration digits of a list entry, read from the punctuated number it starts with.
QString inscricaoDaEntrada(const QString &entry);

} // namespace zef
