#include "data/identifier_checks.h"

#include "data/text_routines.h"

#include <QStringView>

#include <algorithm>

namespace zef {

namespace {

int digitAt(const QString &digits, qsizetype i)
{
    return digits.at(i).unicode() - u'0';
}

// Mod-11 check digit of the body, weights 2, 3, ... from the rightmost digit; the CNPJ starts
// over at 2 after 9.
QChar checkDigit(const QString &body, bool cnpj)
{
    int sum = 0;
    int weight = 2;
    for (qsizetype i = body.size() - 1; i >= 0; --i) {
        sum += digitAt(body, i) * weight;
        ++weight;
        if (cnpj && weight > 9)
            weight = 2;
    }
    int digit = (sum * 10) % 11;
    if (digit == 10)
        digit = 0;
    return QChar(u'0' + digit);
}

} // namespace

bool ValidaIE(const QString &text)
{
    if (text.trimmed().size() <= 8 || !SoCaracteresValidos(text))
        return false;
    if (!text.startsWith(QStringLiteral("29")))
        return false;

    int sum = 0;
    for (qsizetype i = 0; i < 8; ++i)
        sum += digitAt(text, i) * static_cast<int>(9 - i);
    const int remainder = sum % 11;
    const int expected = remainder <= 1 ? 0 : 11 - remainder;
    return digitAt(text, 8) == expected;
}

bool ValidaCGCCPF(const QString &text, bool cnpj)
{
    const QString number = SoDigitos(text);
    QString body = SoDigitos(text.first(std::max<qsizetype>(text.size() - 2, 0)));
    for (int pass = 0; pass < 2; ++pass)
        body += checkDigit(body, cnpj);
    return body == number;
}

bool ValidaUF(const QString &text)
{
    return std::any_of(kSiglasUF.begin(), kSiglasUF.end(),
                       [&text](QStringView code) { return text == code; });
}

bool ValidaSiglaUF(const QString &text)
{
    return ValidaUF(text.trimmed());
}

} // namespace zef
