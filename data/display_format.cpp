#include "data/display_format.h"

#include "engine/engine_error.h"

#include <QStringList>
#include <cmath>

namespace zef {
namespace {

QStringList splitSections(const QString &picture)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections.append(current);
            current.clear();
            continue;
        }
        current.append(c);
    }
    sections.append(current);
    return sections;
}

struct Picture {
    int intPlaceholders = 0;   // '0' and '#' before the decimal point
    int intMinimum = 0;        // integer digits always written (from the first '0' on)
    int fracPlaceholders = 0;
    int fracMinimum = 0;       // fraction digits always written (up to the last '0')
    bool grouping = false;
};

Picture analyse(const QString &section)
{
    Picture p;
    bool inFraction = false;
    bool seenZero = false;
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
        } else if (c == u',' && !inFraction) {
            p.grouping = true;
        } else if (c == u'0' || c == u'#') {
            if (inFraction) {
                ++p.fracPlaceholders;
                if (c == u'0')
                    p.fracMinimum = p.fracPlaceholders;
            } else {
                ++p.intPlaceholders;
                seenZero = seenZero || c == u'0';
                if (seenZero)
                    ++p.intMinimum;
            }
        }
    }
    return p;
}

// The magnitude rounded to `decimals` places, half away from zero, on its shortest
// 15-digit decimal form, so that 1.005 rounds as the 1.005 the user typed and not as the
// binary neighbour just below it.
void roundMagnitude(double magnitude, int decimals, QString &intDigits, QString &fracDigits)
{
    const QString sci = QString::number(magnitude, 'e', 14);   // d.dddddddddddddde+XX
    const qsizetype ePos = sci.indexOf(u'e');
    QString digits = sci.left(ePos);
    digits.remove(u'.');
    int point = sci.mid(ePos + 1).toInt() + 1;   // digits before the decimal point
    const int keep = point + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < digits.size()) {
        const bool up = digits.at(keep) >= u'5';
        digits.truncate(keep);
        if (up) {
            int i = int(digits.size()) - 1;
            while (i >= 0 && digits.at(i) == u'9') {
                digits[i] = u'0';
                --i;
            }
            if (i >= 0) {
                digits[i] = QChar(digits.at(i).unicode() + 1);
            } else {
                digits.prepend(u'1');
                ++point;
            }
        }
    }
    if (digits.isEmpty()) {
        intDigits.clear();
        fracDigits = QString(decimals, u'0');
        return;
    }
    const int total = point + decimals;
    if (digits.size() < total)
        digits.append(QString(total - digits.size(), u'0'));
    if (point > 0) {
        intDigits = digits.left(point);
        fracDigits = digits.mid(point);
    } else {
        intDigits.clear();
        fracDigits = QString(-point, u'0') + digits;
    }
    fracDigits = fracDigits.left(decimals);
    if (fracDigits.size() < decimals)
        fracDigits.append(QString(decimals - fracDigits.size(), u'0'));
    qsizetype lead = 0;
    while (lead < intDigits.size() && intDigits.at(lead) == u'0')
        ++lead;
    intDigits = intDigits.mid(lead);
}

QString plainNumber(double value, const QLocale &locale)
{
    QString s = QString::number(value, 'g', 15);
    return s.replace(u'.', locale.decimalPoint());
}

} // namespace

QString DisplayFormat::format(double value, const QString &picture, const QLocale &locale)
{
    if (picture.isEmpty())
        return plainNumber(value, locale);
    if (!std::isfinite(value))
        return plainNumber(value, locale);

    const QStringList sections = splitSections(picture);
    QString section = sections.at(0);
    bool writeSign = value < 0;
    if (value < 0 && sections.size() > 1 && !sections.at(1).isEmpty()) {
        section = sections.at(1);
        writeSign = false;   // the negative section writes its own marks
    }
    Picture pic = analyse(section);
    QString intDigits;
    QString fracDigits;
    roundMagnitude(std::fabs(value), pic.fracPlaceholders, intDigits, fracDigits);
    bool isZero = intDigits.isEmpty();
    for (QChar d : std::as_const(fracDigits))
        isZero = isZero && d == u'0';
    if (isZero) {
        writeSign = false;
        if (sections.size() > 2 && !sections.at(2).isEmpty()) {
            section = sections.at(2);
            pic = analyse(section);
            roundMagnitude(0.0, pic.fracPlaceholders, intDigits, fracDigits);
        }
    }

    if (intDigits.size() < pic.intMinimum)
        intDigits.prepend(QString(pic.intMinimum - intDigits.size(), u'0'));
    int fracShown = pic.fracMinimum;
    for (int i = int(fracDigits.size()) - 1; i >= fracShown; --i)
        if (fracDigits.at(i) != u'0') {
            fracShown = i + 1;
            break;
        }

    const QString group = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    const int intLength = int(intDigits.size());
    QString out;
    if (writeSign)
        out += locale.negativeSign();

    auto writeIntDigit = [&](int i) {
        out += intDigits.at(i);
        const int remaining = intLength - 1 - i;
        if (pic.grouping && remaining > 0 && remaining % 3 == 0)
            out += group;
    };

    int intSeen = 0;
    int fracSeen = 0;
    bool inFraction = false;
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
            // A picture such as ".00" has no integer placeholder to carry the integer part.
            if (pic.intPlaceholders == 0)
                for (int i = 0; i < intLength; ++i)
                    writeIntDigit(i);
            if (fracShown > 0)
                out += decimal;
        } else if (c == u',' && !inFraction) {
            // grouping is placed with the digits
        } else if (c == u'0' || c == u'#') {
            if (inFraction) {
                if (fracSeen < fracShown)
                    out += fracDigits.at(fracSeen);
                ++fracSeen;
            } else {
                // The k-th of P placeholders stands for digit (length - P + k); the first
                // one also writes every digit the picture has no room for.
                const int index = intLength - pic.intPlaceholders + intSeen;
                if (intSeen == 0)
                    for (int i = 0; i < index && i < intLength; ++i)
                        writeIntDigit(i);
                if (index >= 0 && index < intLength)
                    writeIntDigit(index);
                ++intSeen;
            }
        } else {
            out += c;
        }
    }
    return out;
}

QVariant DisplayFormat::parse(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant();
    bool ok = false;
    const double d = locale.toDouble(t, &ok);
    if (!ok)
        throw EngineError(QStringLiteral("'%1' não é um valor numérico válido.").arg(text));
    return QVariant(d);
}

} // namespace zef
