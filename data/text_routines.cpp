#include "data/text_routines.h"

#include "data/dialogs.h"

#include <QLocale>
#include <QStringView>

#include <limits>

namespace zef {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// Reads an unsigned number of minDigits to maxDigits digits.
std::optional<int> smallNumber(QStringView text, qsizetype minDigits, qsizetype maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits || !allDigits(text))
        return std::nullopt;
    int value = 0;
    for (QChar c : text)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

} // namespace

QChar separadorDecimal()
{
    // decimalPoint() is a string since Qt 6; the workstation settings we honour have a single character.
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

std::optional<QDate> TextoParaData(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QStringView view(trimmed);
    const qsizetype firstSlash = view.indexOf(u'/');
    if (firstSlash < 0)
        return std::nullopt;
    const qsizetype secondSlash = view.indexOf(u'/', firstSlash + 1);
    if (secondSlash < 0)
        return std::nullopt;

    const auto day = smallNumber(view.first(firstSlash), 1, 2);
    const auto month = smallNumber(view.sliced(firstSlash + 1, secondSlash - firstSlash - 1), 1, 2);
    const auto year = smallNumber(view.sliced(secondSlash + 1), 4, 4);
    if (!day || !month || !year)
        return std::nullopt;

    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<int> TextoParaInteiro(const QString &text)
{
    const QString trimmed = text.trimmed();
    QStringView digits(trimmed);
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'+' || digits.front() == u'-')) {
        negative = digits.front() == u'-';
        digits = digits.sliced(1);
    }
    if (digits.isEmpty() || !allDigits(digits))
        return std::nullopt;

    // Accumulate as a negative number, whose range is the larger one.
    constexpr qint64 lowest = std::numeric_limits<int>::min();
    qint64 value = 0;
    for (QChar c : digits) {
        value = value * 10 - (c.unicode() - u'0');
        if (value < lowest)
            return std::nullopt;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<double> TextoParaReal(const QString &text, QChar decimalSeparator)
{
    const QString trimmed = text.trimmed();
    const QStringView view(trimmed);
    qsizetype i = 0;
    const qsizetype n = view.size();

    QString plain; // the same number in the C locale's notation
    plain.reserve(n);
    if (i < n && (view[i] == u'+' || view[i] == u'-'))
        plain += view[i++];

    qsizetype mantissaDigits = 0;
    while (i < n && isDigit(view[i])) {
        plain += view[i++];
        ++mantissaDigits;
    }
    if (i < n && view[i] == decimalSeparator) {
        plain += u'.';
        ++i;
        while (i < n && isDigit(view[i])) {
            plain += view[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;

    if (i < n && (view[i] == u'e' || view[i] == u'E')) {
        plain += u'e';
        ++i;
        if (i < n && (view[i] == u'+' || view[i] == u'-'))
            plain += view[i++];
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(view[i])) {
            plain += view[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok)
        return std::nullopt; // out of the range of a double
    return value;
}

std::optional<double> TextoParaReal(const QString &text)
{
    return TextoParaReal(text, separadorDecimal());
}

bool EhData(const QString &text)
{
    return TextoParaData(text).has_value();
}

bool EhInteiro(const QString &text)
{
    return TextoParaInteiro(text).has_value();
}

bool EhReal(const QString &text, QChar decimalSeparator)
{
    return TextoParaReal(text, decimalSeparator).has_value();
}

bool EhReal(const QString &text)
{
    return EhReal(text, separadorDecimal());
}

QString SoDigitos(const QString &text)
{
    QString digits;
    digits.reserve(text.size());
    for (QChar c : text) {
        if (isDigit(c))
            digits += c;
    }
    return digits;
}

bool SoCaracteresValidos(const QString &text)
{
    return !text.trimmed().isEmpty() && allDigits(text);
}

QString AjustaTamanho(const QString &text, int n)
{
    if (n <= 0)
        return QString();
    return text.leftJustified(n, u' ', true);
}

std::optional<QString> CompletaEspacos(Dialogs &dialogs, const QString &text, int n)
{
    if (text.size() > n) {
        CaixaMensagem(dialogs, QString::number(text.size()) + QStringLiteral(" , ") + QString::number(n),
                      kCaixaInformacao);
        Mensagem(dialogs, QStringLiteral("Tamanho de s inv lido!!!"));
        return std::nullopt;
    }
    return text.leftJustified(n, u' ');
}

QString TrocaSeparadores(const QString &text, QChar decimalSeparator)
{
    if (EhReal(text, decimalSeparator))
        return text;
    QString swapped = text;
    swapped.replace(u',', u'.');
    if (EhReal(swapped, decimalSeparator))
        return swapped;
    swapped.replace(u'.', u',');
    return swapped;
}

QString TrocaSeparadores(const QString &text)
{
    return TrocaSeparadores(text, separadorDecimal());
}

QString VirgulaParaPonto(const QString &text)
{
    QString result = text;
    result.replace(u',', u'.');
    return result;
}

bool DigitosIguais(const QString &text)
{
    if (text.size() < 2)
        return true;
    const QChar first = text.front();
    for (QChar c : text) {
        if (c != first)
            return false;
    }
    return true;
}

int ContaPalavras(const QString &text)
{
    return static_cast<int>(text.trimmed().count(u' ')) + 1;
}

} // namespace zef
