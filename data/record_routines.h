#pragma once

#include <QDate>
#include <QString>

namespace zef {

class Database;
class Dataset;

// Routines of the data module that the record rules share with the windows.

// Every floating-point field of the record (being edited or inserted) whose value is empty
// becomes 0, so that amounts left blank are stored as zero.
void ZeraCamposValor(Dataset &record);

// Stamps the declaration with the date of its last change.
void AtualizaDataDeclaracao(Database &db, const QString &anoBase, const QString &cgcEmpresa,
                            const QDate &today = QDate::currentDate());

// The declaration's domicile of that letter as the domicile messages name it: its first day
// ("dd/mm/yyyy"), the letter in double quotes, a space and the municipality's name. A missing
// domicile has an empty name and the empty date, which reads "30/12/1899".
QString DescreveDomicilio(Database &db, const QString &anoBase, const QString &cgcEmpresa, const QString &letter);

// The same for the domicile "B" but with its last day; empty when the declaration has none.
QString DescreveDomicilioB(Database &db, const QString &anoBase, const QString &cgcEmpresa);

// A date as the domicile descriptions write it; the empty date reads "30/12/1899".
QString textoDataDomicilio(const QDate &date);

// A CFOP code as shown ("#,###": grouped with the workstation's separator, nothing for 0).
QString textoCFOP(int code);

} // namespace zef
