#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace zef {

// The state codes a declaration may name, "EX" standing for abroad.
inline constexpr std::array<QStringView, 28> kSiglasUF{
    u"AC", u"AL", u"AM", u"AP", u"BA", u"CE", u"DF", u"ES", u"GO", u"MA",
    u"MG", u"MS", u"MT", u"PA", u"PB", u"PE", u"PI", u"PR", u"RJ", u"RN",
    u"RO", u"RR", u"RS", u"SC", u"SE", u"SP", u"VD", u"EX",
};

// True for a valid state registration number of Vardelo: a text of digits only, at least nine,
// beginning with 29, the ninth a mod-11 check digit of the first eight. Digits after the ninth are
// not examined.
bool ValidaIE(const QString &text);

// True when the last two digits of the text are the CNPJ (cnpj true) or CPF check digits of the
// digits before them. Separators are ignored. Numbers made of one repeated digit pass; callers that
// must refuse them test DigitosIguais.
bool ValidaCGCCPF(const QString &text, bool cnpj);

// True when the text is one of the state codes (case-sensitive, nothing around it).
bool ValidaUF(const QString &text);

// True when the trimmed text is one of the state codes (case-sensitive).
bool ValidaSiglaUF(const QString &text);

} // namespace zef
