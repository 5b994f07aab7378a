#include "engine/field.h"

#include "engine/dataset.h"
#include "engine/engine_error.h"

#include <QLocale>
#include <cmath>

namespace zef {
namespace {

// Numbers typed or read as text: the workstation's decimal separator, or the point.
double textToFloat(const QString &text)
{
    QString t = text.trimmed();
    bool ok = false;
    double d = QLocale().toDouble(t, &ok);
    if (!ok) {
        const QString dp = QLocale().decimalPoint();
        if (dp != QLatin1String("."))
            t.replace(dp, QLatin1String("."));
        d = t.toDouble(&ok);
    }
    if (!ok)
        throw EngineError(QStringLiteral("'%1' não é um valor numérico válido.").arg(text));
    return d;
}

} // namespace

Field::Field(Dataset *dataset, const FieldDef &def, FieldKind kind, int slot)
    : m_dataset(dataset), m_def(def), m_kind(kind), m_slot(slot)
{
}

QVariant Field::value() const
{
    return m_dataset->currentValue(m_slot);
}

bool Field::isNull() const
{
    const QVariant v = value();
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

QString Field::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return QString();
    switch (m_def.type) {
    case FieldType::Float: {
        QString s = QString::number(v.toDouble(), 'g', 15);
        return s.replace(QLatin1Char('.'), QLocale().decimalPoint());
    }
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0.0;
    if (m_def.type == FieldType::String)
        return textToFloat(v.toString());
    return v.toDouble();
}

int Field::asInteger() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (m_def.type == FieldType::String) {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (!ok)
            throw EngineError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(v.toString()));
        return i;
    }
    if (m_def.type == FieldType::Float)
        return int(std::llround(v.toDouble()));
    return v.toInt();
}

QDate Field::asDate() const
{
    const QVariant v = value();
    if (v.isNull())
        return QDate();
    if (m_def.type == FieldType::String)
        return QDate::fromString(v.toString(), QStringLiteral("dd/MM/yyyy"));
    return v.toDate();
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    return !v.isNull() && v.toBool();
}

QVariant Field::coerce(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    if (isText && text.trimmed().isEmpty() && m_def.type != FieldType::String)
        return QVariant();
    switch (m_def.type) {
    case FieldType::String: {
        QString s = value.typeId() == QMetaType::QDate ? value.toDate().toString(QStringLiteral("dd/MM/yyyy"))
                                                       : value.toString();
        if (m_def.size > 0 && s.size() > m_def.size)
            s.truncate(m_def.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Float: {
        if (!isText)
            return QVariant(value.toDouble());
        return QVariant(textToFloat(text));
    }
    case FieldType::Integer: {
        if (!isText) {
            if (value.typeId() == QMetaType::Double)
                return QVariant(int(std::llround(value.toDouble())));
            return QVariant(value.toInt());
        }
        bool ok = false;
        const int i = text.trimmed().toInt(&ok);
        if (!ok)
            throw EngineError(QStringLiteral("'%1' não é um valor inteiro válido.").arg(text));
        return QVariant(i);
    }
    case FieldType::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (value.typeId() == QMetaType::QDateTime)
            return QVariant(value.toDateTime().date());
        QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid())
            d = QDate::fromString(text.trimmed(), Qt::ISODate);
        if (!d.isValid())
            throw EngineError(QStringLiteral("'%1' não é uma data válida.").arg(text));
        return QVariant(d);
    }
    case FieldType::Boolean:
        if (isText) {
            const QString t = text.trimmed().toLower();
            return QVariant(t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("s")
                            || t == QLatin1String("sim"));
        }
        return QVariant(value.toBool());
    }
    return value;
}

void Field::setValue(const QVariant &value)
{
    m_dataset->setCurrentValue(*this, value);
}

void Field::setAsString(const QString &text)
{
    setValue(QVariant(text));
}

} // namespace zef
