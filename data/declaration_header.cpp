// Rules of the declaration header window that run without it.

#include "data/declaration_header.h"

#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/domicile_register.h"
#include "data/identifier_checks.h"
#include "engine/query.h"
#include "engine/transaction.h"

#include <QDate>
#include <QHash>

namespace zef {

using namespace Qt::StringLiterals;

namespace {

QString shownDate(const QVariant &value)
{
    const QDate date = value.toDate();
    return date.isValid() ? date.toString(u"dd/MM/yyyy"_s) : QString();
}

} // namespace

QList<ItemEscolha> itensFinalidade(const QString &anoBase)
{
    if (anoBase == u"2026"_s)
        return {{u"BAIXA VOLUNTÁRIA"_s, u"2"_s}, {u"SUSPENSÃO VOLUNTÁRIA"_s, u"4"_s}};
    return {{u"INFORMAÇÃO ANUAL"_s, u"1"_s}};
}

QList<ItemEscolha> itensRegime(const QString &anoBase)
{
    if (anoBase < u"2014"_s)
        return {{u"Normal"_s, u"3"_s}, {u"Simples Nacional"_s, u"4"_s}};
    return {{u"Normal"_s, u"3"_s}};
}

std::optional<QString> recusaAnoBase(const QString &anoBase)
{
    if (anoBase.trimmed().isEmpty())
        return u"Ano Base deve ser informado!"_s;
    // A year keyed short of its four digits is a number below 2008, though its text may sort after.
    if (anoBase.trimmed().size() < 4 || anoBase < u"2008"_s)
        return u"Ano Base deve ser maior ou igual a 2008!"_s;
    if (anoBase > u"2026"_s)
        return u"Ano Base deve ser menor ou igual a 2026!"_s;
    return std::nullopt;
}

QString atividadeDoAnoBase(const QString &anoBase, const QString &codigoContribuinte)
{
    if (anoBase > u"2009"_s)
        return codigoContribuinte;
    static const QHash<QString, QString> older{
        {u"1091101"_s, u"1091100"_s}, {u"1091102"_s, u"1091100"_s}, {u"1822901"_s, u"1822900"_s},
        {u"1822999"_s, u"1822900"_s}, {u"2539001"_s, u"2539000"_s}, {u"2539002"_s, u"2539000"_s},
        {u"3091101"_s, u"3091100"_s}, {u"3091102"_s, u"3091100"_s}, {u"3250709"_s, u"3250708"_s},
        {u"3511501"_s, u"3511500"_s}, {u"3511502"_s, u"3511500"_s}, {u"4751201"_s, u"4751200"_s},
        {u"4751202"_s, u"4751200"_s}, {u"9609205"_s, u"9609201"_s}, {u"9609206"_s, u"9609201"_s},
    };
    return older.value(codigoContribuinte, codigoContribuinte);
}

QList<DomicilioExibido> domiciliosExibidos(Database &db, const QString &anoBase, const QString &inscricao)
{
    Query q(db);
    q.addLine(u"Select d.TipoDomicilio, m.Descricao, d.DataDRFAntI, d.DataDRFAntF  from ZefMunAnterior d, Municip m "
              "where d.CodMunicipioAnt = m.Codigo  and d.AnoBase = :AnoBase"_s);
    q.addLine(u" and d.CGCEmpresa = :CGCEmpresa"_s);
    bindKey(q, {anoBase, inscricao});
    QList<DomicilioExibido> shown;
    for (q.open(); !q.eof(); q.next()) {
        const QString letter = q.fieldByName(u"TipoDomicilio"_s)->asString();
        if (letter.size() != 1 || !u"ABCDE"_s.contains(letter))
            continue;
        shown.append({letter.at(0), q.fieldByName(u"Descricao"_s)->asString(),
                      shownDate(q.fieldByName(u"DataDRFAntI"_s)->value()),
                      shownDate(q.fieldByName(u"DataDRFAntF"_s)->value())});
    }
    return shown;
}

std::optional<RecusaCabecalho> verificaCabecalho(Database &db, const Dataset &zef, const QString &ufMostrada,
                                                 bool regimeEscolhido)
{
    if (!ValidaSiglaUF(ufMostrada))
        return RecusaCabecalho{u"UF informada inválida!"_s, CampoCabecalho::UF};
    const struct {
        const char16_t *field;
        const char16_t *message;
        CampoCabecalho control;
    } required[] = {
        {u"TipoEscrita", u"Campo escrituração deve ser informado!", CampoCabecalho::Escrituracao},
        {u"TipoEstabelecimento", u"Campo tipo de estabelecimento deve ser informado!",
         CampoCabecalho::TipoEstabelecimento},
        {u"Finalidade", u"Campo finalidade deve ser informado!", CampoCabecalho::Finalidade},
        {u"VlrCaixaI", u"Campo saldo de caixa inicial deve ser informado!", CampoCabecalho::CaixaInicial},
        {u"VlrCCaixaI", u"Campo saldo de caixa final deve ser informado!", CampoCabecalho::CaixaFinal},
        {u"VlrPatrimLiq", u"Campo valor do patrimônio líquido deve ser informado!",
         CampoCabecalho::PatrimonioLiquido},
    };
    for (const auto &r : required) {
        const Field *field = zef.fieldByName(QString::fromUtf16(r.field));
        if (field->isNull() || field->asString().trimmed().isEmpty())
            return RecusaCabecalho{QString::fromUtf16(r.message), r.control};
    }
    if (!regimeEscolhido)
        return RecusaCabecalho{u"Por favor, informar o Regime de Tributação"_s, CampoCabecalho::Regime};
    if (domiciliosExibidos(db, zef.fieldByName(u"AnoBase"_s)->asString(),
                           zef.fieldByName(u"CGCEmpresa"_s)->asString())
            .isEmpty())
        return RecusaCabecalho{u"Campo município do domícílio fiscal deve ser informado!"_s, CampoCabecalho::Nenhum};
    return std::nullopt;
}

bool gravaCabecalho(TfDmDados &dm)
{
    try {
        Transaction transaction(dm.dtbBaseDados, {&dm.tbZEF});
        if (dm.tbZEF.editing())
            dm.tbZEF.post();
        transaction.commit();
    } catch (const SilentAbort &) {
        return false;
    }
    return true;
}

void excluiDeclaracao(TfDmDados &dm)
{
    const QString year = dm.anoBase();
    const QString registration = dm.cgcEmpresa();
    {
        // On failure the header row may have gone from the table's rows while the database
        // kept it: the table is read again.
        Transaction transaction(dm.dtbBaseDados, {&dm.tbZEF});
        // Everything the domicile window deletes, and the stock.
        QStringList statements = comandosExclusaoDomicilios();
        statements.append(u"delete from Estoque where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"_s);
        for (const QString &statement : statements) {
            Query q(dm.dtbBaseDados, statement);
            bindKey(q, {year, registration});
            q.execSql();
        }
        dm.tbZEF.remove();
        transaction.commit();
    }
    // Said once the deletion is committed, so that a failed commit is never reported as done.
    Mensagem(dm.dialogs(), u"ZEF excluído com sucesso!"_s);
}

void excluiDomiciliosAnteriores(TfDmDados &dm)
{
    const QString year = dm.anoBase();
    const QString registration = dm.cgcEmpresa();
    Transaction transaction(dm.dtbBaseDados, {&dm.tbDomicilio});
    for (const char16_t *table : {u"ZefMunAnterior", u"Compras", u" CFOPOperacoes", u"ProdutosDiferidos",
                                  u"ProdutosDiferidosNotas", u"Entrada", u"Saidas", u"SaidasMun", u"Vendas"}) {
        Query q(dm.dtbBaseDados);
        q.addLine(u"delete from "_s + QString::fromUtf16(table)
                  + u" where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa and TipoDomicilio <> 'A'"_s);
        bindKey(q, {year, registration});
        q.execSql();
    }
    if (dm.tbDomicilio.active())
        dm.tbDomicilio.refresh();
    transaction.commit();
}

} // namespace zef
