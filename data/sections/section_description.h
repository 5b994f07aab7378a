#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zef {

// One amount column of a section: its field and its titles in the two layouts (compact when the
// taxpayer did not move during the year, full otherwise) and in the read-only list grid.
struct SectionAmount {
    QString field;
    QString compactTitle;
    QString fullTitle;
    QString listTitle;
};

// What a section editor edits, described once; the shared operations and the shared editor window
// work from it, and each editor holds only what its section does differently.
struct SectionDescription {
    // How the totals of a domicile letter are gathered from the rows of the totals statement.
    enum class Totals {
        Assign,   // one row a letter; a later row of the same letter replaces an earlier one
        Add,      // the rows of a letter are added up
    };

    QString table;              // "Compras"
    QString keyColumn;          // what the user chooses: "TipoEntradas", "CFOP"
    bool keyIsNumber = false;   // the key column holds integers
    // The column and value of the entry direction ("TipoEntSai"), empty where the section has none.
    QString directionColumn;
    // The regime column and the regime every created line gets ("TipoRegime", "A"); empty where
    // the lines have no regime.
    QString regimeColumn;
    QString regimeValue;

    QList<SectionAmount> amounts;
    QString compactTotalCaption;
    QString fullTotalCaption;
    Totals totals = Totals::Assign;
    // The totals statement groups by this column first ("TipoRegime", "CFOP").
    QString totalsGroupColumn;

    QString deleteTitle;                // the box's title ("Compra")
    QString deleteText;                 // "Confirma exclusão"
    bool deleteInTransaction = true;
    // Deleting the last entries of type 07 clears section 04's other entries (item 03 only).
    bool clearsOtherEntriesWithType07 = false;

    // The close check: the questions asked for each line lacking a regime (item 03 only).
    bool closeCheck = false;

    // The edit grid's titles of the key column and of the domicile's municipality.
    QString editKeyTitle;
    QString editMunicipalityTitle;

    // The list of every line of the declaration (and direction): its statement, with :AnoBase,
    // :CGCEmpresa and the direction's parameter; the title of its key column; the field of the
    // municipality name, looked up from the declaration's domiciles when the statement has none.
    QString listSql;
    QString listKeyTitle;
    QString listMunicipalityField;
    bool listMunicipalityLookedUp = false;
    // The list's calculated fields per domicile letter: the letter, the municipality's name and
    // the four totals, named by these stems and the letter.
    QString letterFieldStem;
    QString municipalityFieldStem;
    QStringList totalFieldStems;

    // The amount columns locked under the simplified national regime for the chosen key.
    std::function<QStringList(const QString &chosenKey)> simplifiedLockedColumns;

    // The amount fields in column order.
    QStringList amountFields() const;
    // The line key of the stored table after the declaration key, in index order.
    QStringList lineKeyColumns() const;
};

// Entries by type (item 03).
const SectionDescription &descricaoCompras();
// Other operations by CFOP (items 10 and 11).
const SectionDescription &descricaoCFOP();

// The eleven entry types of item 03, in the order offered.
QStringList tiposEntrada();

inline constexpr auto kTipoDiferencialAliquota = "07 - DIFERENCIAL DE ALÍQUOTA";
inline constexpr auto kTipoOutrasEntradas = "11 - OUTRAS ENTRADAS";

} // namespace zef
