// Record rules of the section tables of a declaration (items 03 to 09).

#include "data/data_module.h"
#include "data/dialogs.h"
#include "data/field_edit.h"
#include "data/identifier_checks.h"
#include "data/lookups.h"
#include "data/record_routines.h"

namespace zef {

namespace {

// The grid column of the accounting value, where the user corrects a line that does not balance.
constexpr int kAccountingValueColumn = 3;

QString str(const Dataset &ds, const char *field)
{
    return ds.fieldByName(QLatin1String(field))->asString();
}

double num(const Dataset &ds, const char *field)
{
    return ds.fieldByName(QLatin1String(field))->asFloat();
}

double sum(const Dataset &ds, std::initializer_list<const char *> fields)
{
    double total = 0.0;
    for (const char *f : fields)
        total += num(ds, f);
    return total;
}

bool allZero(const Dataset &ds, std::initializer_list<const char *> fields)
{
    for (const char *f : fields)
        if (num(ds, f) != 0.0)
            return false;
    return true;
}

bool inserting(const Dataset &ds)
{
    return ds.state() == Dataset::State::Insert;
}

// A query built from the lines of a statement, values bound by name.
class Sql
{
public:
    Sql(Database &db, std::initializer_list<const char *> lines) : m_query(db)
    {
        for (const char *line : lines)
            m_query.addLine(QString::fromUtf8(line));
    }
    Sql &bind(const char *name, const QVariant &value)
    {
        m_query.setParam(QLatin1String(name), value);
        return *this;
    }
    int count() { return m_query.scalar().toInt(); }
    // The named column of the first row (null without rows).
    QVariant column(const char *name)
    {
        m_query.open();
        const QVariant result = m_query.isEmpty() ? QVariant() : m_query.fieldByName(QLatin1String(name))->value();
        m_query.close();
        return result;
    }
    bool found()
    {
        m_query.open();
        const bool any = !m_query.isEmpty();
        m_query.close();
        return any;
    }
    QVariant value() { return m_query.scalar(); }
    int exec() { return m_query.execSql(); }

private:
    Query m_query;
};

// The stock totals are kept in the record as well as shown.
double initialStock(const Dataset &ds)
{
    return sum(ds, {"EstoqueInicialTribut", "EstoqueInicialIsento", "EstInicialSubTrib"});
}

double finalStock(const Dataset &ds)
{
    return sum(ds, {"EstoqueFinalTributado", "EstoqueFinalIsento", "EstFinalSubTrib"});
}

} // namespace

void TfDmDados::attachSectionRules()
{
    // The section editors create their lines through insert buffers of their own; the data
    // module's tables only edit them.
    const Dataset::Event refuseInsert = [](Dataset &) { throw SilentAbort(); };
    const Dataset::ErrorEvent duplicate = [this](Dataset &, const EngineError &e, Dataset::PostAction &action) {
        registroDuplicado(e, action);
    };

    tbCompras.beforeInsert = refuseInsert;
    tbCompras.beforePost = [this](Dataset &ds) { tbComprasBeforePost(ds); };
    tbCompras.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fCompra); };
    tbCompras.onPostError = duplicate;

    tbVendas.beforeInsert = refuseInsert;
    tbVendas.beforePost = [this](Dataset &ds) { tbVendasBeforePost(ds); };
    tbVendas.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fVendas); };
    tbVendas.onPostError = duplicate;

    tbEntrada.beforeInsert = refuseInsert;
    tbEntrada.beforePost = [this](Dataset &ds) { tbEntradaBeforePost(ds); };
    tbEntrada.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fEntradas); };
    tbEntrada.onPostError = duplicate;

    tbSaida.beforeInsert = refuseInsert;
    tbSaida.beforePost = [this](Dataset &ds) { tbSaidaBeforePost(ds); };
    tbSaida.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fSaidas); };
    tbSaida.onPostError = duplicate;

    tbCFOPOperacoes.beforeInsert = refuseInsert;
    tbCFOPOperacoes.beforePost = [this](Dataset &ds) { tbCFOPOperacoesBeforePost(ds); };
    tbCFOPOperacoes.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fCFOP); };
    tbCFOPOperacoes.onPostError = duplicate;

    tblSaidasMun.beforeInsert = refuseInsert;
    tblSaidasMun.beforePost = [this](Dataset &ds) { tblSaidasMunBeforePost(ds); };
    tblSaidasMun.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fSaidaMunic); };
    tblSaidasMun.onPostError = duplicate;
    tblSaidasMun.onCalcFields = [this](Dataset &ds) { tblSaidasMunCalcFields(ds); };

    tbProdDif.beforeInsert = refuseInsert;
    tbProdDif.beforePost = [this](Dataset &ds) { tbProdDifBeforePost(ds); };
    tbProdDif.afterPost = [this](Dataset &ds) { afterSectionPost(ds, fProdDiferido); };
    tbProdDif.onPostError = duplicate;
    tbProdDif.onCalcFields = [this](Dataset &ds) { tbProdDifCalcFields(ds); };
    // Choosing the supplier's municipality (MunicipioID, shown by its name NomeMunicip) gives
    // it to all the supplier's lines. The field exists once the table is open.
    tbProdDif.afterOpen = [this](Dataset &ds) {
        ds.fieldByName(QStringLiteral("MunicipioID"))->onChange = [this](Field &) { tbProdDifMunicipioChange(); };
    };

    tbProdutosDiferidosNotas.afterInsert = [this](Dataset &ds) { tbProdutosDiferidosNotasAfterInsert(ds); };
    tbProdutosDiferidosNotas.beforePost = [this](Dataset &ds) { rememberStoredKey(ds); };
    tbProdutosDiferidosNotas.afterPost = [this](Dataset &ds) { stamp(ds); };
    tbProdutosDiferidosNotas.onCalcFields = [this](Dataset &ds) { tbProdutosDiferidosNotasCalcFields(ds); };

    tbEstoque.afterInsert = [](Dataset &ds) { ZeraCamposValor(ds); };
    tbEstoque.beforePost = [this](Dataset &ds) { tbEstoqueBeforePost(ds); };
    tbEstoque.afterPost = [this](Dataset &ds) { stamp(ds); };
    tbEstoque.onPostError = duplicate;
    tbEstoque.onCalcFields = [this](Dataset &ds) { tbEstoqueCalcFields(ds); };

    tbOperacoesA.onPostError = duplicate;
}

// ---------------------------------------------------------------------------------------------
// Item 03, entries by type

void TfDmDados::tbComprasBeforePost(Dataset &ds)
{
    reopenListQuery(fCompra);
    const QString line = str(ds, "TipoEntradas");
    if (line.isEmpty())
        recusa(QStringLiteral("Campo 3.1 ENTRADAS E/OU AQUISIÇÕES deve ser informado!"));
    const Key key = declarationKey(ds);
    if (!balanceConfirmed(BalanceSection::Compras, num(ds, "VlrContabil"),
                          sum(ds, {"BaseCalculo", "SubTributaria", "Outras"}), key)) {
        if (fCompra)
            fCompra->selectGridColumn(kAccountingValueColumn);
        throw SilentAbort();
    }
    if (inserting(ds)) {
        const QString regime = str(ds, "TipoRegime");
        Sql same(dtbBaseDados, {"Select TipoRegime from Compras where  AnoBase = :AnoBase",
                                      " and CGCEmpresa = :CGCEmpresa",
                                      " and TipoEntradas = :TipoEntradas",
                                      " and TipoDomicilio = :TipoDomicilio",
                                      " and TipoRegime = :TipoRegime"});
        same.bind("AnoBase", key.anoBase)
            .bind("CGCEmpresa", key.cgcEmpresa)
            .bind("TipoEntradas", line)
            .bind("TipoDomicilio", str(ds, "TipoDomicilio"))
            .bind("TipoRegime", regime);
        if (same.found()) {
            Mensagem(m_dialogs, QStringLiteral("Já existe uma linha para o Tipo de Entrada: ") + line
                                    + QStringLiteral(" e Regime: ") + regime + QStringLiteral("!"));
            ds.cancel();
            throw SilentAbort();
        }
    }
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

// ---------------------------------------------------------------------------------------------
// Item 05, exits by type

void TfDmDados::tbVendasBeforePost(Dataset &ds)
{
    if (str(ds, "TipoVendas").isEmpty())
        recusa(QStringLiteral("Campo 5.1 Saídas de Mercadorias, Bens e/ou Prestações de Serviços deve ser informado!"));
    if (!balanceConfirmed(BalanceSection::Vendas, num(ds, "VlrContabeis"),
                          sum(ds, {"BaseCalculo", "Outras", "SubTributaria"}), declarationKey(ds)))
        throw SilentAbort();
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

// ---------------------------------------------------------------------------------------------
// Items 04 and 06, entries and exits by state

namespace {

QString stateTakenMessage(const QString &state, const QString &regime)
{
    return QStringLiteral("UF ") + state
           + (regime == QLatin1String("A") ? QStringLiteral(" já cadastrada para o tipo de regime normal")
                                           : QStringLiteral(" já cadastrada para o tipo de regime microempresa"));
}

} // namespace

void TfDmDados::tbEntradaBeforePost(Dataset &ds)
{
    const QString state = str(ds, "UFEntrada");
    if (state.isEmpty())
        recusa(QStringLiteral("Campo 4.1 Entradas de Mercadorias, Bens e/ou Aquisição de Serviços deve ser informado!"));
    if (!ValidaSiglaUF(state)) {
        Mensagem(m_dialogs, QStringLiteral("UF inválida!"));
        if (fEntradas && fEntradas->stateEdit())
            fEntradas->stateEdit()->focus();
        throw SilentAbort();
    }
    reopenListQuery(fEntradas);
    if (inserting(ds)) {
        Sql same(dtbBaseDados, {"select count(*) from entrada where AnoBase = :AnoBase",
                                      " and CGCEmpresa = :CGCEmpresa",
                                      " and TipoDomicilio = :TipoDomicilio",
                                      " and CodMunicipio = :CodMunicipio",
                                      " and UFEntrada = :UFEntrada",
                                      " and TipoRegime = :TipoRegime"});
        same.bind("AnoBase", str(ds, "AnoBase"))
            .bind("CGCEmpresa", str(ds, "CGCEmpresa"))
            .bind("TipoDomicilio", str(ds, "TipoDomicilio"))
            .bind("CodMunicipio", str(ds, "CodMunicipio"))
            .bind("UFEntrada", state)
            .bind("TipoRegime", str(ds, "TipoRegime"));
        if (same.count() > 0) {
            Mensagem(m_dialogs, stateTakenMessage(state, str(ds, "TipoRegime")));
            ds.cancel();
            throw SilentAbort();
        }
    }
    if (allZero(ds, {"VlrContabilEntrada", "OutrasEntradas", "BaseCalculoEntrada", "OutrosProdutosEntrada",
                     "PetroleoEnergia"}))
        recusa(QStringLiteral("Não é possível informar a UF sem valores!"));
    if (!balanceConfirmed(BalanceSection::Entrada, num(ds, "VlrContabilEntrada"),
                          sum(ds, {"BaseCalculoEntrada", "OutrasEntradas", "SubsTributaria"}), declarationKey(ds))) {
        if (fEntradas)
            fEntradas->selectGridColumn(kAccountingValueColumn);
        throw SilentAbort();
    }
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

void TfDmDados::tbSaidaBeforePost(Dataset &ds)
{
    const QString state = str(ds, "UF");
    if (state.isEmpty())
        recusa(QStringLiteral("Campo 6.1 Saídas de Mercadorias, Bens e/ou Prestação de Serviços deve ser informado!"));
    if (!ValidaSiglaUF(state)) {
        Mensagem(m_dialogs, QStringLiteral("UF inválida!"));
        if (fSaidas && fSaidas->stateEdit())
            fSaidas->stateEdit()->focus();
        throw SilentAbort();
    }
    if (inserting(ds)) {
        Sql same(dtbBaseDados, {"select count(*) from Saidas where AnoBase = :AnoBase",
                                      " and CGCEmpresa = :CGCEmpresa",
                                      " and TipoDomicilio = :TipoDomicilio",
                                      " and Codmunicipio = :Codmunicipio",
                                      " and UF = :UF",
                                      " and TipoRegime = :TipoRegime"});
        same.bind("AnoBase", str(ds, "AnoBase"))
            .bind("CGCEmpresa", str(ds, "CGCEmpresa"))
            .bind("TipoDomicilio", str(ds, "TipoDomicilio"))
            .bind("Codmunicipio", str(ds, "Codmunicipio"))
            .bind("UF", state)
            .bind("TipoRegime", str(ds, "TipoRegime"));
        if (same.count() > 0) {
            Mensagem(m_dialogs, stateTakenMessage(state, str(ds, "TipoRegime")));
            ds.cancel();
            throw SilentAbort();
        }
    }
    if (allZero(ds, {"VlrContSaidaContrib", "VlrContSaidaNContrib", "BaseCalcSaidaContrib", "BaseCalcSaidaNContrib",
                     "ICMSSubTribSaidas", "OutrasSaidas"}))
        recusa(QStringLiteral("Não é possível informar a UF sem valores!"));
    if (!balanceConfirmed(BalanceSection::Saidas, sum(ds, {"VlrContSaidaContrib", "VlrContSaidaNContrib"}),
                          sum(ds, {"BaseCalcSaidaContrib", "BaseCalcSaidaNContrib", "SubsTributaria", "OutrasSaidas"}),
                          declarationKey(ds)))
        throw SilentAbort();
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

// ---------------------------------------------------------------------------------------------
// Items 10 and 11, other exits and entries by CFOP

void TfDmDados::tbCFOPOperacoesBeforePost(Dataset &ds)
{
    Field *cfop = ds.fieldByName(QStringLiteral("CFOP"));
    if (cfop->isNull())
        recusa(QStringLiteral("Campo 11 - Outras Entradas - por CFOP deve ser informado!"));
    const QString direction = str(ds, "TipoEntSai");
    if (!ExisteCFOP(dtbBaseDados, QString::number(cfop->asInteger()), direction))
        recusa(textoCFOP(cfop->asInteger())
               + (direction == QLatin1String("E") ? QStringLiteral(" Não é um CFOP válido para o campo 11 - OUTRAS ENTRADAS!")
                                                  : QStringLiteral(" Não é um CFOP válido para o campo 10 - OUTRAS SAÍDAS!")));
    if (inserting(ds)) {
        Sql same(dtbBaseDados, {"select count(*) from CFOPOperacoes where AnoBase = :AnoBase",
                                      " and CGCEmpresa = :CGCEmpresa",
                                      " and TipoEntSai = :TipoEntSai",
                                      " and TipoDomicilio = :TipoDomicilio",
                                      " and CFOP = :CFOP",
                                      " and CodMunicipio = :CodMunicipio"});
        same.bind("AnoBase", str(ds, "AnoBase"))
            .bind("CGCEmpresa", str(ds, "CGCEmpresa"))
            .bind("TipoEntSai", direction)
            .bind("TipoDomicilio", str(ds, "TipoDomicilio"))
            .bind("CFOP", cfop->asInteger())
            .bind("CodMunicipio", str(ds, "CodMunicipio"));
        if (same.count() > 0) {
            Mensagem(m_dialogs, QStringLiteral("CodMunicipio ") + str(ds, "CodMunicipio")
                                    + QStringLiteral(" já cadastrada para o tipo de domicílio"));
            ds.cancel();
            throw SilentAbort();
        }
    }
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

// ---------------------------------------------------------------------------------------------
// Item 07, exits and entries by municipality of origin

void TfDmDados::tblSaidasMunBeforePost(Dataset &ds)
{
    // The name is found only for a municipality of Vardelo.
    if (str(ds, "NomeMunicip").isEmpty())
        recusa(QStringLiteral("Campo município deve ser informado!"));
    if (inserting(ds)) {
        const Key key = declarationKey(ds);
        Sql same(dtbBaseDados, {"Select * from SaidasMun where MunicipioID = :MunicipioID AND  CGCEmpresa = :CGCEmpresa",
                                      " and AnoBase = :AnoBase and TipoRegime = :TipoRegime"});
        same.bind("MunicipioID", str(ds, "MunicipioID"))
            .bind("CGCEmpresa", key.cgcEmpresa)
            .bind("AnoBase", key.anoBase)
            .bind("TipoRegime", str(ds, "TipoRegime"));
        if (same.found()) {
            ds.cancel();
            throw SilentAbort();
        }
    }
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

void TfDmDados::tblSaidasMunCalcFields(Dataset &ds)
{
    ds.fieldByName(QStringLiteral("Total"))->setAsFloat(num(ds, "VlrContabil") - num(ds, "Devolucoes"));
}

// ---------------------------------------------------------------------------------------------
// Item 08, exempt purchases from other municipalities, and their invoices

void TfDmDados::tbProdDifBeforePost(Dataset &ds)
{
    // The registration as the user typed it in the editor; without the editor, as stored.
    FieldEdit *edit = fProdDiferido ? fProdDiferido->registrationEdit() : nullptr;
    const QString registration = edit ? edit->text().trimmed() : str(ds, "IEOrigem").trimmed();
    if (!ValidaIE(registration)) {
        Mensagem(m_dialogs, QStringLiteral("Inscrição Estadual inválida!"));
        if (edit)
            edit->focus();
        throw SilentAbort();
    }
    if (str(ds, "NomeMunicip").isEmpty())
        recusa(QStringLiteral("Campo município deve ser informado!"));
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

void TfDmDados::tbProdDifMunicipioChange()
{
    // The editor chooses the municipality of a stored line; a line being created takes it
    // when it is stored.
    if (tbProdDif.state() != Dataset::State::Edit)
        return;
    const Key key = declarationKey(tbProdDif);
    Sql update(dtbBaseDados, {"Update ProdutosDiferidos Set MunicipioID =  :MunicipioID where AnoBase = :AnoBase",
                                    " and CGCEmpresa = :CGCEmpresa and IEOrigem = :IEOrigem and TipoRegime = 'A'"});
    update.bind("MunicipioID", str(tbProdDif, "MunicipioID"))
        .bind("AnoBase", key.anoBase)
        .bind("CGCEmpresa", key.cgcEmpresa)
        .bind("IEOrigem", str(tbProdDif, "IEOrigem"));
    update.exec();
    tbProdDif.refresh();   // stores the row being edited first
    tbProdDif.edit();
}

void TfDmDados::tbProdDifCalcFields(Dataset &ds)
{
    ds.fieldByName(QStringLiteral("Notas"))->setAsString(QStringLiteral("Incluir Notas"));
    const Key key = declarationKey(ds);
    Sql total(
        dtbBaseDados,
        {"select ProdutosDiferidos.TipoDomicilio, sum(VlrDiferido) as VlrDiferido  from ProdutosDiferidos, "
         "ProdutosDiferidosNotas,Municip M1 ",
         " where ProdutosDiferidos.AnoBase= ProdutosDiferidosNotas.AnoBase and "
         "ProdutosDiferidos.CGCEmpresa=ProdutosDiferidosNotas.CGCEmpresa and ",
         " ProdutosDiferidos.IEOrigem=ProdutosDiferidosNotas.IEOrigem and "
         "ProdutosDiferidos.TipoDomicilio=ProdutosDiferidosNotas.TipoDomicilio and ",
         " ProdutosDiferidos.CodMunicipio = M1.Codigo  and ",
         " ProdutosDiferidos.AnoBase = :AnoBase and  ProdutosDiferidos.CGCEmpresa = :CGCEmpresa  and ",
         " ProdutosDiferidos.TipoDomicilio = :TipoDomicilio", " and ProdutosDiferidos.IEOrigem = :IEOrigem",
         " group by ProdutosDiferidos.TipoDomicilio"});
    total.bind("AnoBase", key.anoBase)
        .bind("CGCEmpresa", key.cgcEmpresa)
        .bind("TipoDomicilio", str(ds, "TipoDomicilio"))
        .bind("IEOrigem", str(ds, "IEOrigem"));
    const QVariant value = total.column("VlrDiferido");
    ds.fieldByName(QStringLiteral("TotVlrDiferido"))->setAsFloat(value.isNull() ? 0.0 : value.toDouble());
}

void TfDmDados::tbProdutosDiferidosNotasAfterInsert(Dataset &ds)
{
    if (tbProdDif.active() && tbProdDif.recNo() > 0)
        ds.fieldByName(QStringLiteral("CodMunicipio"))->setAsString(str(tbProdDif, "CodMunicipio"));
    ZeraCamposValor(ds);
}

void TfDmDados::tbProdutosDiferidosNotasCalcFields(Dataset &ds)
{
    if (!tbProdDif.active() || tbProdDif.recNo() == 0)
        return;
    Sql total(dtbBaseDados, {"Select Sum(VlrDiferido) from  ProdutosDiferidosNotas  where  AnoBase = :AnoBase",
                                   " and CGCEmpresa = :CGCEmpresa and IEOrigem = :IEOrigem",
                                   " and CodMunicipio = :CodMunicipio"});
    total.bind("AnoBase", str(tbProdDif, "AnoBase"))
        .bind("CGCEmpresa", str(tbProdDif, "CGCEmpresa"))
        .bind("IEOrigem", str(tbProdDif, "IEOrigem"))
        .bind("CodMunicipio", str(tbProdDif, "CodMunicipio"));
    const QVariant value = total.value();
    if (!value.isNull())
        ds.fieldByName(QStringLiteral("VlrTotalDiferido"))->setAsFloat(value.toDouble());
}

// ---------------------------------------------------------------------------------------------
// Item 09, stock

void TfDmDados::tbEstoqueBeforePost(Dataset &ds)
{
    ds.fieldByName(QStringLiteral("TotalEstoqueInicial"))->setAsFloat(initialStock(ds));
    ds.fieldByName(QStringLiteral("TotalEstoqueFinal"))->setAsFloat(finalStock(ds));
    ZeraCamposValor(ds);
    rememberStoredKey(ds);
}

void TfDmDados::tbEstoqueCalcFields(Dataset &ds)
{
    ds.fieldByName(QStringLiteral("ccTotalInicial"))->setAsFloat(initialStock(ds));
    ds.fieldByName(QStringLiteral("ccTotalFinal"))->setAsFloat(finalStock(ds));
}

} // namespace zef
