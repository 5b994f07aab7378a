#include "data/edit_mask.h"

#include <QStringList>

namespace zef {
namespace {

QStringList splitParts(const QString &mask)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == u'\\' && i + 1 < mask.size()) {
            current += c;
            current += mask.at(++i);
        } else if (c == u';') {
            parts.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.append(current);
    return parts;
}

bool isInputChar(QChar c)
{
    return QStringView(u"0L9lAaCc#").contains(c);
}

// Picture characters of QLineEdit's input masks.
QChar qtInputChar(QChar c)
{
    switch (c.unicode()) {
    case u'0': return u'9';
    case u'9': return u'0';
    case u'L': return u'A';
    case u'l': return u'a';
    case u'A': return u'N';
    case u'a': return u'n';
    case u'C': return u'X';
    case u'c': return u'x';
    default: return u'#';
    }
}

bool isQtMeta(QChar c)
{
    return QStringView(u"AaNnXx90Dd#HhBb><![]{}\\;").contains(c);
}

} // namespace

EditMask::EditMask(const QString &mask) : m_source(mask)
{
    const QStringList parts = splitParts(mask);
    if (parts.size() > 1)
        m_keepLiterals = parts.at(1).trimmed() == u"1";
    if (parts.size() > 2 && !parts.at(2).isEmpty())
        m_blank = parts.at(2).at(0);

    const QString picture = parts.at(0);
    Case letterCase = Case::None;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        Position p;
        if (c == u'\\') {
            if (i + 1 >= picture.size())
                break;
            p.literal = true;
            p.ch = picture.at(++i);
        } else if (c == u'<' && i + 1 < picture.size() && picture.at(i + 1) == u'>') {
            letterCase = Case::None;
            ++i;
            continue;
        } else if (c == u'>') {
            letterCase = Case::Upper;
            continue;
        } else if (c == u'<') {
            letterCase = Case::Lower;
            continue;
        } else if (c == u'!') {
            continue;
        } else if (c == u'_') {
            p.literal = true;
            p.ch = u' ';
        } else {
            p.literal = !isInputChar(c);
            p.ch = c;
        }
        p.letterCase = letterCase;
        m_positions.append(p);
    }
}

QString EditMask::inputMask() const
{
    if (isEmpty())
        return QString();
    QString out;
    Case current = Case::None;
    for (const Position &p : m_positions) {
        if (p.literal) {
            if (isQtMeta(p.ch))
                out += u'\\';
            out += p.ch;
            continue;
        }
        if (p.letterCase != current) {
            out += p.letterCase == Case::Upper ? u'>' : p.letterCase == Case::Lower ? u'<' : u'!';
            current = p.letterCase;
        }
        out += qtInputChar(p.ch);
    }
    if (m_blank != u' ') {
        out += u';';
        out += m_blank;
    }
    return out;
}

QString EditMask::format(const QString &value) const
{
    if (isEmpty())
        return value;
    QString out;
    qsizetype next = 0;
    for (const Position &p : m_positions) {
        if (p.literal) {
            out += p.ch;
            if (next < value.size() && value.at(next) == p.ch)
                ++next;
            continue;
        }
        if (next >= value.size()) {
            out += m_blank;
            continue;
        }
        QChar c = value.at(next++);
        if (p.letterCase == Case::Upper)
            c = c.toUpper();
        else if (p.letterCase == Case::Lower)
            c = c.toLower();
        out += c;
    }
    return out;
}

QString EditMask::strip(const QString &shown) const
{
    if (isEmpty())
        return shown;
    if (isBlank(shown))
        return QString();
    QString out;
    for (qsizetype i = 0; i < m_positions.size() && i < shown.size(); ++i) {
        const Position &p = m_positions.at(i);
        const QChar c = shown.at(i);
        if (p.literal) {
            if (m_keepLiterals)
                out += c;
        } else if (c != m_blank) {
            out += c;
        }
    }
    return out;
}

QString EditMask::emptyText() const
{
    return format(QString());
}

bool EditMask::isBlank(const QString &shown) const
{
    if (isEmpty())
        return shown.isEmpty();
    for (qsizetype i = 0; i < m_positions.size() && i < shown.size(); ++i)
        if (!m_positions.at(i).literal && shown.at(i) != m_blank)
            return false;
    return true;
}

int EditMask::firstBlank(const QString &shown) const
{
    for (qsizetype i = 0; i < m_positions.size(); ++i)
        if (!m_positions.at(i).literal && (i >= shown.size() || shown.at(i) == m_blank))
            return int(i);
    return -1;
}

} // namespace zef
