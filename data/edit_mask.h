#pragma once

#include <QChar>
#include <QList>
#include <QString>

namespace zef {

// An edit mask as the catalogue writes it ("99.999.999-9", "99/99/9999", ">LL",
// "9999;0;_"): up to three parts split by ';', the picture, whether literals are kept in
// the value ('1') or not ('0') and the blank character. Picture characters: '0' digit,
// '9' optional digit, '#' optional digit or sign, 'L'/'l' letter, 'A'/'a' letter or digit,
// 'C'/'c' any character (capitals required, small letters optional); '>' upper case and
// '<' lower case for what follows ("<>" neither); '\' makes the next character literal;
// '_' is a literal space; '!' is accepted and ignored; everything else is literal.
// Stored text keeps no literals unless the mask says '1'; the blank defaults to a space, so
// an empty "99/99/9999" shows "  /  /    ".
class EditMask
{
public:
    EditMask() = default;
    explicit EditMask(const QString &mask);

    const QString &source() const { return m_source; }
    bool isEmpty() const { return m_positions.isEmpty(); }
    QChar blank() const { return m_blank; }
    bool keepsLiterals() const { return m_keepLiterals; }
    int length() const { return int(m_positions.size()); }

    // The same mask in QLineEdit::setInputMask syntax.
    QString inputMask() const;

    // A value (with or without the literals) laid into the picture: "290000017" under
    // "99.999.999-9" gives "29.000.001-7"; missing characters show as blanks.
    QString format(const QString &value) const;
    // The value a shown text holds: its characters at the input positions, blanks dropped,
    // literals kept only when the mask says so.
    QString strip(const QString &shown) const;
    // What an empty edit shows: the literals in place, blanks elsewhere.
    QString emptyText() const;
    // Whether no input position of a shown text holds a character.
    bool isBlank(const QString &shown) const;
    // The first input position of a shown text still blank; -1 when all are filled.
    int firstBlank(const QString &shown) const;

private:
    enum class Case { None, Upper, Lower };
    struct Position {
        bool literal = false;
        QChar ch;                 // the literal, or the picture character of an input position
        Case letterCase = Case::None;
    };

    QString m_source;
    QList<Position> m_positions;
    QChar m_blank = u' ';
    bool m_keepLiterals = false;
};

} // namespace zef
