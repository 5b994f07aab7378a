#include "import/import_fields.h"

#include "data/text_routines.h"

namespace zef {
namespace {

QString fieldName(const ImportField &field)
{
    return QString::fromUtf16(field.name);
}

[[noreturn]] void refuseValue(const ImportLine &line, const ImportField &field, const QString &value)
{
    throw ImportError(QStringLiteral("Linha %1, campo %2 (posições %3 a %4): \"%5\" não é um valor válido. "
                                     "Importação interrompida.")
                          .arg(line.number())
                          .arg(fieldName(field))
                          .arg(field.pos)
                          .arg(field.end())
                          .arg(value));
}

} // namespace

QString trimRight(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == u' ')
        --n;
    return n == text.size() ? text : text.left(n);
}

QString fieldText(const ImportLine &line, const ImportField &field)
{
    return line.field(field.pos, field.width);
}

void requireFields(const ImportLine &line, const ImportField *fields, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i) {
        const ImportField &f = fields[i];
        if (!line.reaches(f.end()))
            throw ImportError(QStringLiteral("Linha %1: a linha termina antes do fim do campo %2 (posições %3 a %4). "
                                             "Importação interrompida.")
                                  .arg(line.number())
                                  .arg(fieldName(f))
                                  .arg(f.pos)
                                  .arg(f.end()));
    }
}

qint64 readCents(const ImportLine &line, const ImportField &field)
{
    const QString text = fieldText(line, field);
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed.at(i) == u'+' || trimmed.at(i) == u'-')) {
        negative = trimmed.at(i) == u'-';
        ++i;
    }
    if (i == trimmed.size())
        refuseValue(line, field, text);
    qint64 cents = 0;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c < u'0' || c > u'9')
            refuseValue(line, field, text);
        // At most 14 characters: the value cannot leave the range.
        cents = cents * 10 + (c.unicode() - u'0');
    }
    return negative ? -cents : cents;
}

double centsToReais(qint64 cents)
{
    // A whole number of cents divided once: the nearest double to the two-decimal amount.
    return static_cast<double>(cents) / 100.0;
}

std::optional<QDate> readDate(const QString &ddmmyyyy)
{
    if (ddmmyyyy.size() != 8)
        return std::nullopt;
    return TextoParaData(ddmmyyyy.left(2) + u'/' + ddmmyyyy.mid(2, 2) + u'/' + ddmmyyyy.mid(4, 4));
}

int readYear(const ImportLine &line, const QString &year)
{
    if (const auto value = TextoParaInteiro(year))
        return *value;
    static constexpr ImportField kYear{u"AnoBase", 11, 4};
    refuseValue(line, kYear, year);
}

QString refusalMessage(qint64 lineNumber, const QString &engineMessage)
{
    return QStringLiteral("Linha %1: %2 Importação interrompida.").arg(lineNumber).arg(engineMessage);
}

} // namespace zef
