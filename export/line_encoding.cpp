#include "export/line_encoding.h"

#include "data/text_routines.h"

#include <cmath>
#include <cstdio>

namespace zef {

namespace {

constexpr int kAmountDigits = 14;

double toDouble(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return 0.0;
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0.0;
}

} // namespace

QString storedText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

QString rightAligned(const QVariant &value, int width)
{
    return storedText(value).rightJustified(width, u' ', false);
}

QString centsDigits(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    // "%.9f" is exact decimal rounding of the binary value; the cent is then rounded on those digits.
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, "%.9f", std::fabs(value));
    QByteArray digits(buffer, n);
    const qsizetype dot = digits.indexOf('.');
    const bool roundUp = digits.at(dot + 3) >= '5';
    QByteArray cents = digits.left(dot) + digits.mid(dot + 1, 2);
    if (roundUp) {
        qsizetype i = cents.size() - 1;
        while (i >= 0 && cents[i] == '9')
            cents[i--] = '0';
        if (i < 0)
            cents.prepend('1');
        else
            cents[i] = char(cents[i] + 1);
    }
    qsizetype firstNonZero = 0;
    while (firstNonZero < cents.size() - 1 && cents[firstNonZero] == '0')
        ++firstNonZero;
    return QString::fromLatin1(cents.mid(firstNonZero));
}

QString amount(const QVariant &value)
{
    return centsDigits(toDouble(value)).rightJustified(kAmountDigits, u'0', false);
}

QString signedAmount(const QVariant &value)
{
    const double d = toDouble(value);
    const QString cents = centsDigits(d);
    const QString digits = cents.rightJustified(kAmountDigits, u'0', false);
    // A value that rounds to zero has no sign to show.
    if (d < 0 && cents != QLatin1String("0"))
        return QLatin1Char('-') + digits.mid(1);
    return digits;
}

QString dateField(const QVariant &value)
{
    QDate date;
    if (value.typeId() == QMetaType::QDate)
        date = value.toDate();
    else if (!value.isNull())
        date = QDate::fromString(value.toString().left(10), Qt::ISODate);
    if (!date.isValid())
        return QStringLiteral("30121899");
    return date.toString(QStringLiteral("ddMMyyyy"));
}

QString number(const QVariant &value, int width)
{
    const qlonglong n = value.isNull() ? 0 : value.toLongLong();
    const QString digits = QString::number(n < 0 ? -n : n).rightJustified(width, u'0', false);
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

QString typeCode(const QVariant &value)
{
    return storedText(value).left(2);
}

std::optional<int> typeNumber(const QString &code)
{
    return TextoParaInteiro(code);
}

bool differs(double difference)
{
    return centsDigits(difference) != QLatin1String("0");
}

} // namespace zef
