#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

// The field encodings of the declaration file's lines. Fields have no separators: the receiver
// finds them by position, so every width and alignment here is part of the format.
namespace zef {

// The stored text exactly as stored: an empty field adds nothing and the rest of the line moves left.
QString storedText(const QVariant &value);

// The stored text right-aligned in width characters; a longer text is written whole, never cut.
QString rightAligned(const QVariant &value, int width);

// The value rounded half away from zero to cents, as 14 digits (12 integer, 2 decimal), zero-filled,
// without separator or sign; an empty value is 0. From 10^12 on the field grows past 14 digits.
QString amount(const QVariant &value);

// As amount, but a negative value keeps its sign in the same width: "-" replaces the first digit.
QString signedAmount(const QVariant &value);

// "ddmmyyyy"; an empty date is day zero of the date system, 30/12/1899.
QString dateField(const QVariant &value);

// The integer zero-filled on the left to at least width digits.
QString number(const QVariant &value, int width);

// The first two characters of a line-type text ("01 - COMPRAS" gives "01").
QString typeCode(const QVariant &value);

// The type code read as a whole number, as the checks read it; empty when it is not one.
std::optional<int> typeNumber(const QString &code);

// The absolute value in whole cents, rounded half away from zero, as decimal digits without
// leading zeros ("0" for zero). Sums of amounts carry binary noise far below a cent (100.005 - 100
// is 0.00499999999999545...); the value is first taken to nine decimals so that the noise does not
// decide a cent.
QString centsDigits(double value);

// True when the difference, written with two decimals, has a digit other than zero: differences
// under half a cent do not count, and the sign does not matter.
bool differs(double difference);

} // namespace zef
