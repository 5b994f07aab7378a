#include "data/field_text.h"

#include "data/display_format.h"
#include "data/edit_mask.h"
#include "engine/field.h"

#include <QDate>

namespace zef::FieldText {
namespace {

QString dateText(const QVariant &value)
{
    const QDate d = value.toDate();
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : value.toString();
}

QString booleanText(const QVariant &value)
{
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

bool isNumeric(const Field &field)
{
    return field.dataType() == FieldType::Float || field.dataType() == FieldType::Integer;
}

QString keyedText(const Field &field, const QString &shown)
{
    if (field.editMask().isEmpty())
        return shown;
    const EditMask mask(field.editMask());
    if (field.dataType() == FieldType::Date)
        return mask.isBlank(shown) ? QString() : shown;
    return mask.strip(shown);
}

bool acceptsCharacter(const Field &field, QChar c, const QLocale &locale)
{
    if (!isNumeric(field) || !field.editMask().isEmpty())
        return true;
    if (c.isDigit() || c == u'+' || c == u'-')
        return true;
    if (field.dataType() != FieldType::Float)
        return false;
    return QString(c) == locale.decimalPoint() || c == u'e' || c == u'E';
}

QString display(const Field &field, const QVariant &value, const QLocale &locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (field.dataType()) {
    case FieldType::Float:
    case FieldType::Integer:
        return DisplayFormat::format(value.toDouble(), field.displayFormat(), locale);
    case FieldType::Date:
        return dateText(value);
    case FieldType::Boolean:
        return booleanText(value);
    case FieldType::String:
        break;
    }
    const QString text = value.toString();
    if (field.editMask().isEmpty() || text.isEmpty())
        return text;
    return EditMask(field.editMask()).format(text);
}

QString edit(const Field &field, const QVariant &value, const QLocale &locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (field.dataType()) {
    case FieldType::Float:
    case FieldType::Integer:
        return DisplayFormat::format(value.toDouble(), field.editFormat(), locale);
    case FieldType::Date:
        return dateText(value);
    case FieldType::Boolean:
        return booleanText(value);
    case FieldType::String:
        break;
    }
    return value.toString();
}

QVariant parse(const Field &field, const QString &text, const QLocale &locale)
{
    if (text.trimmed().isEmpty())
        return QVariant();
    if (field.dataType() == FieldType::Float)
        return DisplayFormat::parse(text, locale);
    if (field.dataType() == FieldType::String)
        return QVariant(text);
    return field.coerce(QVariant(text.trimmed()));
}

} // namespace zef::FieldText
