#pragma once

#include "data/declaration_key.h"
#include "data/sections/section_description.h"
#include "engine/table.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace zef {

class Database;
class Dialogs;

// A fiscal domicile of a declaration, as the section lines are made for it.
struct DomicilioSecao {
    QString letra;    // "A" to "E"
    QString codigo;   // the municipality's code
    QString nome;     // the municipality's name
};

// The domiciles a section gets lines for, ordered by municipality name: without a move during the
// year (`semMudanca`), the declaration's own municipality as "A"; otherwise every domicile of the
// year with its letter. A domicile whose municipality is unknown gets no line.
QList<DomicilioSecao> domiciliosDaDeclaracao(Database &db, const DeclarationKey &key, bool semMudanca);

// The lines of a section and how they come to be. New lines go through an insert buffer of their
// own (the data module's section tables refuse inserts): a second cursor on the stored table whose
// new records start with zero amounts.
class SectionLines
{
public:
    SectionLines(Database &db, const SectionDescription &description, const QString &bufferName);

    const SectionDescription &description() const { return m_description; }
    Table &insertBuffer() { return m_buffer; }
    // The entry direction ("E" or "S") of a section that has one.
    void setDirection(const QString &direction) { m_direction = direction; }
    const QString &direction() const { return m_direction; }

    // Whether the line of this key, chosen value and domicile letter is stored.
    bool ExisteLinha(const DeclarationKey &key, const QString &chosen, const QString &letra);

    // Makes sure the chosen value has one line per domicile, amounts 0; all or none of the missing
    // lines are stored. Returns how many were created.
    int GeraLinhas(const DeclarationKey &key, const QString &chosen, bool semMudanca);

    // Deletes every line of the chosen value, all domiciles. For item 03, deleting the last
    // entries of type 07 clears section 04's other entries of the declaration in the same unit of
    // work.
    void exclui(const DeclarationKey &key, const QString &chosen);

private:
    QVariantList lineKey(const DeclarationKey &key, const QString &chosen, const QString &letra) const;
    QVariant chosenValue(const QString &chosen) const;

    Database &m_db;
    const SectionDescription &m_description;
    Table m_buffer;
    QString m_direction;
};

// The totals of one domicile letter, over every line of the section (and direction).
struct TotaisDomicilio {
    QString letra;        // empty when the letter has no lines
    QString municipio;
    std::array<double, 4> valores{};   // in the order of the description's amounts
};
using TotaisSecao = std::array<TotaisDomicilio, 5>;   // letters A to E

// Index of a domicile letter in TotaisSecao; -1 for anything else.
int indiceDomicilio(const QString &letra);

TotaisSecao totaisPorDomicilio(Database &db, const SectionDescription &description, const DeclarationKey &key,
                               const QString &direction = QString());

// Stores the line being edited in `edit`, stamped with the declaration key (and the direction),
// in one unit of work; the record rules run as it is posted. A refusal or failure throws and
// leaves the database as it was, the line still in edit.
void gravaLinha(Table &edit, const SectionDescription &description, const DeclarationKey &key,
                const QString &direction = QString());

// The close check of item 03: for each line (its declaration key and type), asks whether the
// taxpayer had that type during a regime the type has no line for. Returns the number of "Sim".
struct LinhaFechamento {
    DeclarationKey key;
    QString tipo;
};
int perguntasFechamento(Database &db, Dialogs &dialogs, const QList<LinhaFechamento> &linhas);

// The CFOP codes offered for a direction and base year, as "code - name", by code.
QStringList listaCFOP(Database &db, const QString &direction, const QString &anoBase);
// The caption of the CFOP group when the list is not empty.
QString tituloGrupoCFOP(const QString &direction);

// Puts the CFOP totals of each domicile letter into the lines of `edit` (the lines of type 11,
// as filtered), posting each one through the record rules. A refused line is cancelled and ends
// the walk.
void aplicaTotaisCFOP(Table &edit, const TotaisSecao &totais);

} // namespace zef
