#pragma once

#include <QString>
#include <QStringList>

namespace zef {

class Database;
class Dialogs;
struct DeclarationRows;

// Findings that keep a declaration file from being written.
enum class Finding { F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12 };

// Column-sum warnings the user may override.
enum class Question { Q1, Q2, Q3, Q4, Q5, Q6 };

// The line that introduces a declaration's findings: "Inscrição Estadual: " and the registration
// as the export window lists it.
QString linhaCabecalho(const QString &inscricao);
// 52 hyphens and a space.
QString linhaSeparadora();

// The text of a finding. F9 to F12 depend on the declaration's StatusDRF ("N" or any other).
QString textoAchado(Finding finding, bool statusN = true);
// The text of a question, tail included; the regime "4" (Simples Nacional) and the status "N"
// choose among the texts, the difference tested is the same.
QString textoQuestao(Question question, bool simplesNacional, bool statusN);

// The number of registered accountants with that CPF.
int ExisteContador(Database &db, const QString &cpf);

// The checks of the paper form's rules, run declaration by declaration on the rows the lines are
// written from. Findings accumulate in the validation list; a column-sum difference is asked at
// once, and No abandons the whole export (SilentAbort).
class ConsistencyChecks
{
public:
    ConsistencyChecks(Database &db, Dialogs &dialogs);

    // Checks one declaration (after its lines were built). Throws SilentAbort when the user
    // answers No to a question.
    void check(const DeclarationRows &declaration);

    const QStringList &validationList() const { return m_list; }
    // The list as one text, lines joined by line breaks; empty when nothing was found.
    QString validationText() const { return m_list.join(QLatin1Char('\n')); }
    bool hasFindings() const { return !m_list.isEmpty(); }

private:
    void headerBlock1();
    void headerBlock2();
    void add(const QString &line) { m_list.append(line); }

    Database &m_db;
    Dialogs &m_dialogs;
    QStringList m_list;
    QString m_inscricao;
    bool m_headerWritten = false;
};

} // namespace zef
