#pragma once

#include "data/declaration_key.h"
#include "export/declaration_list.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <memory>
#include <vector>

namespace zef {

class Database;
class Statement;

// The line types of a declaration in the order they are written; "Z" closes it and has no rows.
enum class LineType { A, B, C, D, E, F, G, H, I, J, L };
inline constexpr int kLineTypeCount = 11;

// How one field of a line is written (see line_encoding.h).
enum class Encoding { Fixed, Stored, RightAligned, Amount, SignedAmount, Date, Number, TypeCode };

struct FieldLayout {
    QString column;   // result column name; for Fixed, the literal written
    Encoding encoding;
    int width = 0;    // for RightAligned and Number
};

// One line type: its letter, the statement that reads its rows for one declaration (parameters
// :AnoBase and :Inscricao), the result columns in select order, and its fields in line order.
struct LineLayout {
    LineType type;
    QChar letter;
    QString sql;
    QStringList columns;
    std::vector<FieldLayout> fields;

    // Index of a result column by name (any case); -1 when absent.
    int column(const QString &name) const;
};

const LineLayout &lineLayout(LineType type);

using Row = std::vector<QVariant>;

// The rows one declaration's statements returned, per line type, values converted as the engine
// converts them (dates as QDate, empty text as null). The header set holds the declaration's row
// of Zef.DB joined with Empresa.DB, or none when there is no such declaration.
struct DeclarationRows {
    DeclarationKey key;
    std::array<std::vector<Row>, kLineTypeCount> rows;

    const std::vector<Row> &of(LineType type) const { return rows[std::size_t(type)]; }
    // The header row, or a row of nulls when the declaration was not found.
    Row header() const;
};

// Reads declarations through statements prepared once and reused, so that a file of many
// declarations costs one prepare per line type.
class DeclarationReader
{
public:
    explicit DeclarationReader(Database &db);
    ~DeclarationReader();
    DeclarationReader(const DeclarationReader &) = delete;
    DeclarationReader &operator=(const DeclarationReader &) = delete;

    DeclarationRows read(const DeclarationKey &key);

private:
    Database &m_db;
    std::array<std::unique_ptr<Statement>, kLineTypeCount> m_statements;
};

// Appends the lines "A" to "L" of the declaration, then its "Z" line, each followed by CR LF.
// counter runs over the whole file: each line "A" to "L" adds one, and "Z" carries it.
// Throws ExportError, naming the declaration and the line, for a line "E" whose type code is not a
// whole number (the checks read it as one); the text is then unusable.
void appendDeclarationText(QString &text, const DeclarationRows &declaration, int &counter);

// One line without its line break.
QString formatLine(const LineLayout &layout, const Row &row);
QString formatZLine(const QString &year, const QString &digits, int counter);

} // namespace zef
