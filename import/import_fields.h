#pragma once

#include "import/import_reader.h"

#include <QDate>
#include <QString>

#include <optional>
#include <stdexcept>

namespace zef {

// A line the import cannot read: a field that does not convert, a line that ends before one of
// its fields, a row the database refuses. The import removes what it stored for the declaration
// and ends; the message names the line (and the field) for the log.
class ImportError : public std::runtime_error
{
public:
    explicit ImportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// One field of the layout: the column it fills (or what it holds), its first position and width.
struct ImportField {
    const char16_t *name;
    int pos;
    int width;
    int end() const { return pos + width - 1; }
};

// Padding is not data: a text read from fixed positions loses the spaces on its right.
QString trimRight(const QString &text);

// The field's characters as they stand in the line.
QString fieldText(const ImportLine &line, const ImportField &field);

// Refuses (ImportError) a line that ends before the last position of one of its fields, naming
// the first such field.
void requireFields(const ImportLine &line, const ImportField *fields, qsizetype count);

// An amount field: 14 characters holding cents, digits with an optional sign (blanks around them
// are tolerated). Refuses (ImportError) anything else.
qint64 readCents(const ImportLine &line, const ImportField &field);

// Cents as the reais the tables hold.
double centsToReais(qint64 cents);

// A date field: day (2), month (2), year (4), read as day/month/year; none when it is not a date.
std::optional<QDate> readDate(const QString &ddmmyyyy);

// The base year of a line as a number; refuses (ImportError) a text that is not one.
int readYear(const ImportLine &line, const QString &year);

// The message for a statement the database refused while that line was imported.
QString refusalMessage(qint64 lineNumber, const QString &engineMessage);

} // namespace zef
