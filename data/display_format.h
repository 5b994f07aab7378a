#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

namespace zef {

// Numbers written with a picture such as "#,###,###,##0.00": '0' a digit always shown, '#' a
// digit shown when significant, the first '.' the decimal separator, a ',' anywhere before it
// turns digit grouping on, quoted text ("..." or '...') and any other character are copied.
// Up to three sections split by ';' serve positive, negative and zero values. The separators
// written are the workstation's (the locale's), whatever the picture uses.
class DisplayFormat
{
public:
    // An empty picture writes the number as the engine does (Field::asString).
    static QString format(double value, const QString &picture, const QLocale &locale = QLocale());

    // Reads a number typed in an edit format (or shown in a display format): the locale's
    // decimal separator, group separators where they belong. Blank text is a null value;
    // anything else that is not a number raises EngineError.
    static QVariant parse(const QString &text, const QLocale &locale = QLocale());
};

} // namespace zef
