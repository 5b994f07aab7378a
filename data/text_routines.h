#pragma once

#include <QChar>
#include <QDate>
#include <QString>

#include <optional>

namespace zef {

class Dialogs;

// Conversions and text helpers shared by every window and the data module. None keeps state and
// none fails: a text that does not convert gives false or an empty optional.
//
// The routines that depend on the workstation's decimal separator take it as an optional last
// argument; without it they use the one of QLocale(), the locale of the running program.

// The decimal separator of the workstation (QLocale()).
QChar separadorDecimal();

// The date in a text written in the program's short date format, day/month/year ("dd/mm/yyyy").
// Day and month may have one or two digits, the year has four; surrounding blanks are ignored.
std::optional<QDate> TextoParaData(const QString &text);

// The integer in a text: optional sign and decimal digits, surrounding blanks ignored, within the
// range of a 32-bit integer.
std::optional<int> TextoParaInteiro(const QString &text);

// The number in a text written with the given decimal separator: optional sign, digits with at
// most one separator, optional exponent (E or e); no grouping characters; surrounding blanks ignored.
std::optional<double> TextoParaReal(const QString &text, QChar decimalSeparator);
std::optional<double> TextoParaReal(const QString &text);

bool EhData(const QString &text);
bool EhInteiro(const QString &text);
bool EhReal(const QString &text, QChar decimalSeparator);
bool EhReal(const QString &text);

// The text with every character that is not 0-9 removed, order kept.
QString SoDigitos(const QString &text);

// True when the text is not blank and holds only the digits 0-9.
bool SoCaracteresValidos(const QString &text);

// The text padded on the right with spaces to n characters, or cut to its first n characters.
QString AjustaTamanho(const QString &text, int n);

// The text padded on the right with spaces to n characters. A text longer than n is a fault of the
// caller: the user is shown its length against n and a warning. A too long text has no padded form.
std::optional<QString> CompletaEspacos(Dialogs &dialogs, const QString &text, int n);

// Makes a number typed with the other separator readable on this workstation: when the text is
// not a number, every "," becomes "."; when it is still not one, every "." becomes ",".
QString TrocaSeparadores(const QString &text, QChar decimalSeparator);
QString TrocaSeparadores(const QString &text);

// Every "," becomes ".".
QString VirgulaParaPonto(const QString &text);

// True when the text has fewer than two characters or all of its characters are equal.
bool DigitosIguais(const QString &text);

// The number of spaces in the trimmed text plus one.
int ContaPalavras(const QString &text);

} // namespace zef
