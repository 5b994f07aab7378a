#include "data/balance_test.h"

#include "data/text_routines.h"

namespace zef {

bool SomaConfere(double total, double parts)
{
    // The difference is compared as the user would read it: rounded to cents, sign dropped.
    const QString shown = QString::number(total - parts, 'f', 2);
    const QString digits = SoDigitos(shown);
    for (const QChar c : digits)
        if (c != u'0')
            return false;
    return true;
}

BalanceMessage mensagemBalanco(BalanceSection section, bool noMove, bool simples, bool hasDifferential)
{
    switch (section) {
    case BalanceSection::Compras:
        if (noMove)
            return simples ? BalanceMessage::C1 : BalanceMessage::C2;
        return simples ? BalanceMessage::C3 : BalanceMessage::C4;
    case BalanceSection::Vendas:
        if (noMove)
            return simples ? BalanceMessage::V1 : BalanceMessage::V2;
        return simples ? BalanceMessage::V3 : BalanceMessage::V4;
    case BalanceSection::Entrada:
        if (noMove)
            return simples ? BalanceMessage::E1 : BalanceMessage::E2;
        if (simples)
            return hasDifferential ? BalanceMessage::E3 : BalanceMessage::E4;
        return BalanceMessage::E5;
    case BalanceSection::Saidas:
        if (noMove)
            return simples ? BalanceMessage::S1 : BalanceMessage::S2;
        return simples ? BalanceMessage::S3 : BalanceMessage::S4;
    }
    return BalanceMessage::C2;
}

QString textoBalanco(BalanceMessage message)
{
    switch (message) {
    case BalanceMessage::C1:
        return QStringLiteral("A soma da coluna 3.2 será, obrigatoriamente, igual\r\na soma do(s) total(is) da(s) coluna(s) 3.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::C2:
        return QStringLiteral("A soma da coluna 3.2 será, obrigatoriamente, igual\r\na soma dos totais das colunas 3.3, 3.4 e 3.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::C3:
        return QStringLiteral("A soma da coluna 3.3 será, obrigatoriamente, igual\r\na soma do(s) total(is) da(s) coluna(s) 3.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::C4:
        return QStringLiteral("A soma da coluna 3.3 será, obrigatoriamente, igual\r\na soma dos totais das colunas 3.4, 3.5 e 3.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::V1:
        return QStringLiteral("A soma da coluna 5.2 será, obrigatoriamente, igual a soma do(s)\r\ntotal(is) da(s) coluna(s) 5.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\rDeseja continuar?");
    case BalanceMessage::V2:
        return QStringLiteral("A soma da coluna 5.2 será, obrigatoriamente, igual a soma dos\r\ntotais das colunas 5.3, 5.4 e 5.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\rDeseja continuar?");
    case BalanceMessage::V3:
        return QStringLiteral("A soma da coluna 5.3 será, obrigatoriamente, igual a soma do(s)\r\ntotal(is) da(s) coluna(s) 5.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\rDeseja continuar?");
    case BalanceMessage::V4:
        return QStringLiteral("A soma da coluna 5.3 será, obrigatoriamente, igual a soma dos\r\ntotais das colunas 5.4, 5.5 e 5.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\rDeseja continuar?");
    case BalanceMessage::E1:
        return QStringLiteral("O valor da soma da coluna 4.2 será, obrigatoriamente,\r\nigual ao valor à soma  da(s) coluna(s) 4.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::E2:
        return QStringLiteral("O valor da soma da coluna 4.2 será, obrigatoriamente,\r\nigual ao valor à soma  das colunas 4.3, 4.4 e 4.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::E3:
        return QStringLiteral("O valor da soma da coluna 4.3 será, obrigatoriamente,\r\nigual ao valor à soma  da(s) coluna(s) 4.5, 4.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::E4:
        return QStringLiteral("O valor da soma da coluna 4.3 será, obrigatoriamente,\r\nigual ao valor à soma  da(s) coluna(s) 4.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::E5:
        return QStringLiteral("O valor da soma da coluna 4.3 será, obrigatoriamente,\r\nigual ao valor à soma  das colunas 4.4, 4.5 e 4.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::S1:
        return QStringLiteral("A soma dos totais das colunas A e B do item 6.2, será, obrigatoriamente, \r\nigual à(s) soma(s) do(s) total(is) da(s) coluna(s) 6.5. \r\nA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::S2:
        return QStringLiteral("A soma dos totais das colunas A e B do item 6.2, será, obrigatoriamente, \r\nigual às somas dos totais das colunas A e B do item 6.3 mais o total da coluna 6.4 \r\nmais o total da coluna 6.5.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::S3:
        return QStringLiteral("A soma dos totais das colunas A e B do item 6.3, será, obrigatoriamente, \r\nigual à(s) soma(s) do(s) total(is) da(s) coluna(s) 6.6.\r\nA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    case BalanceMessage::S4:
        return QStringLiteral("A soma dos totais das colunas A e B do item 6.3, será, obrigatoriamente, \r\nigual às somas dos totais das colunas A e B do item 6.4 mais o total da coluna 6.5.\r\nmais o total da coluna 6.6.\r\rA apresentação com estas divergências sujeitará à fiscalização.\r\rDeseja continuar?");
    }
    return QString();
}

} // namespace zef
