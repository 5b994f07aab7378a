#pragma once

#include <QString>

namespace zef {

// The sections whose lines carry a total column that must equal the sum of its parts.
enum class BalanceSection { Compras, Vendas, Entrada, Saidas };

// The question asked when a line does not balance. The header's answers pick it: whether the
// fiscal domicile moved within the period (which shifts the column numbers by one) and whether
// the taxpayer is under the simplified national regime (which declares fewer columns).
enum class BalanceMessage { C1, C2, C3, C4, V1, V2, V3, V4, E1, E2, E3, E4, E5, S1, S2, S3, S4 };

// True when the total and the sum of its parts agree once the difference is shown as money
// (two decimals), whatever the sign of the difference.
bool SomaConfere(double total, double parts);

// The question for a section. hasDifferential tells whether the declaration has an item 03
// line "07 - DIFERENCIAL DE ALÍQUOTA"; only the entries by state of a moved simplified
// taxpayer depend on it.
BalanceMessage mensagemBalanco(BalanceSection section, bool noMove, bool simples, bool hasDifferential = false);

QString textoBalanco(BalanceMessage message);

} // namespace zef
