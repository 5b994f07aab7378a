#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

namespace zef {

class Field;

// How the data-aware widgets write and read a field's values: amounts with the field's display
// format at rest and its edit format while keyed, dates as dd/mm/yyyy, text under its edit mask.
namespace FieldText {

// The text shown at rest (grids, labels, an edit without the focus). Null shows empty.
QString display(const Field &field, const QVariant &value, const QLocale &locale = QLocale());
// The text offered for keying. Masked text comes without its literals: the edit lays it into
// the mask itself.
QString edit(const Field &field, const QVariant &value, const QLocale &locale = QLocale());
// The value for Field::setValue from keyed text (for a masked field, the text without the
// literals; for a date, dd/mm/yyyy). Blank text clears the field; numbers follow the locale.
// Raises EngineError when the text is not a value of the field's type.
QVariant parse(const Field &field, const QString &text, const QLocale &locale = QLocale());

// The text to parse out of what a masked edit shows: a date keeps its separators (it is read
// as dd/mm/yyyy), other text drops the mask's literals. A blank mask gives empty text.
QString keyedText(const Field &field, const QString &shown);

bool isNumeric(const Field &field);
// Whether a typed character may go into an unmasked edit of the field: numbers take digits,
// signs and (amounts) the locale's decimal separator and an exponent.
bool acceptsCharacter(const Field &field, QChar c, const QLocale &locale = QLocale());

} // namespace FieldText
} // namespace zef
