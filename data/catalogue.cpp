#include "data/catalogue.h"

#include <QStringList>

namespace zef {

namespace {

using namespace Qt::StringLiterals;

// Amounts in reais show grouped with two decimals and are keyed without grouping.
constexpr auto kMoneyDisplay = u"#,###,###,##0.00";
constexpr auto kMoneyEdit = u"#########0.00";

// A column under construction; the chained setters keep each table's listing one line per column.
class Col
{
public:
    Col(const QString &name, FieldType type, int size = 0)
    {
        m_def.name = name;
        m_def.type = type;
        m_def.size = size;
    }

    Col &required()
    {
        m_def.required = true;
        return *this;
    }
    Col &mask(const QString &editMask)
    {
        m_def.editMask = editMask;
        return *this;
    }
    Col &check(const QString &expression, const QString &message = QString())
    {
        m_def.constraint = expression;
        m_def.constraintMessage = message;
        return *this;
    }
    Col &defaultsTo(const QVariant &value)
    {
        m_def.defaultValue = value;
        return *this;
    }
    Col &formats(const QString &display, const QString &edit = QString())
    {
        m_def.displayFormat = display;
        m_def.editFormat = edit;
        return *this;
    }

    operator FieldDef() const { return m_def; }

private:
    FieldDef m_def;
};

Col text(const QString &name, int size)
{
    return Col(name, FieldType::String, size);
}
Col number(const QString &name)
{
    return Col(name, FieldType::Float);
}
Col money(const QString &name)
{
    return number(name).formats(QString::fromUtf16(kMoneyDisplay), QString::fromUtf16(kMoneyEdit));
}
// Section amounts start at 0 on a new line.
Col money0(const QString &name)
{
    return money(name).defaultsTo(0.0);
}
Col integer(const QString &name)
{
    return Col(name, FieldType::Integer);
}
Col date(const QString &name)
{
    return Col(name, FieldType::Date);
}
Col logical(const QString &name)
{
    return Col(name, FieldType::Boolean);
}

QStringList fieldList(const QString &fields)
{
    return fields.split(u';');
}

IndexDef primaryKey(const QString &fields)
{
    IndexDef index;
    index.fields = fieldList(fields);
    return index;
}

// Secondary indexes sort names as a reader expects them, without regard to case or accents.
IndexDef secondary(const QString &name, const QString &fields)
{
    IndexDef index;
    index.name = name;
    index.fields = fieldList(fields);
    index.caseInsensitive = true;
    return index;
}

// Every declaration table starts with the declaration key. The registration number is kept in
// text(14) everywhere except SaidasMun, which was declared narrower (the 9 digits fit).
QList<FieldDef> withKey(const QList<FieldDef> &columns, int registrationWidth = 14)
{
    QList<FieldDef> all{text(u"AnoBase"_s, 4).mask(u"9999"_s), text(u"CGCEmpresa"_s, registrationWidth)};
    all += columns;
    return all;
}

TableDef table(const QString &fileName, const QList<FieldDef> &fields, const QList<IndexDef> &indexes)
{
    TableDef def;
    def.fileName = fileName;
    def.fields = fields;
    def.indexes = indexes;
    return def;
}

// ---------------------------------------------------------------------------------------------
// Declaration header and domiciles

TableDef zef()
{
    return table(u"Zef.DB"_s,
                 withKey({
                     text(u"CodigoAtividade"_s, 7).mask(u"9999-9/99"_s),
                     text(u"CodigoMunicipio"_s, 7).mask(u"999999-9"_s),
                     text(u"RegimeApuracao"_s, 1),
                     text(u"TipoEscrita"_s, 1),
                     text(u"Finalidade"_s, 1),
                     date(u"PeriodoRefInicio"_s).mask(u"99/99/9999"_s),
                     date(u"PeriodoRefFinal"_s),
                     text(u"CPFContador"_s, 11).mask(u"999.999.999-99"_s),
                     text(u"CPFSocio"_s, 11),
                     text(u"CodigoColetoria"_s, 7),
                     text(u"TipoEstabelecimento"_s, 1),
                     date(u"DataDeclaracao"_s),
                     text(u"Responsavel"_s, 80),
                     text(u"Retificacao"_s, 1),
                     date(u"DataNormalI"_s),
                     date(u"DataNormalF"_s),
                     date(u"DataMicroEmpI"_s),
                     date(u"DataMicroEmpF"_s),
                     money(u"VlrCaixaI"_s),
                     money(u"VlrCCaixaI"_s),
                     money(u"VlrPatrimLiq"_s),
                     text(u"StatusN"_s, 1),
                     text(u"StatusME"_s, 1),
                     text(u"StatusDRF"_s, 1),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"CodMunicipio"_s, 7),
                     logical(u"Importado"_s),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa"_s)});
}

TableDef zefMunAnterior()
{
    return table(u"ZefMunAnterior.DB"_s,
                 withKey({
                     date(u"DataDRFAntI"_s).mask(u"99/99/9999"_s),
                     date(u"DataDRFAntF"_s).mask(u"99/99/9999"_s),
                     text(u"CodMunicipioAnt"_s, 7).mask(u"999999-9"_s),
                     text(u"TipoDomicilio"_s, 1),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;DataDRFAntI;DataDRFAntF;TipoDomicilio"_s)});
}

// ---------------------------------------------------------------------------------------------
// Section tables
//
// Each section line is keyed by its line type (or state, code, municipality, supplier), its
// regime and its domicile; the editors create one line per domicile of the declaration. Where the
// index the program selects is only the declaration key, that index is a non-unique secondary
// one and the primary key is the line key the editors and the duplicate checks use, so a
// declaration with several domiciles can hold the same line once per domicile.

TableDef compras()
{
    return table(u"Compras.DB"_s,
                 withKey({
                     text(u"TipoEntradas"_s, 50).required(),
                     text(u"TipoRegime"_s, 1),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"CodMunicipio"_s, 7),
                     money0(u"VlrContabil"_s)
                         .check(u"VlrContabil >= 0 or  VlrContabil  is null"_s,
                                u"Valor contábil não pode ser negativo"_s),
                     money0(u"BaseCalculo"_s)
                         .check(u"BaseCalculo >= 0 or BaseCalculo is null"_s,
                                u"Base de Cálculo não pode ser negativo"_s),
                     money0(u"Outras"_s)
                         .check(u"Outras >= 0 or Outras is null"_s, u"O campo Outras não pode ser negativo"_s),
                     money0(u"SubTributaria"_s)
                         .check(u"SubTributaria >= 0 or SubTributaria is null"_s,
                                u"Substituição Tributária não pode ser negativo"_s),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;TipoEntradas;TipoRegime;TipoDomicilio"_s),
                  secondary(u"idxChave"_s, u"AnoBase;CGCEmpresa"_s)});
}

TableDef entrada()
{
    // The duplicate check refuses a second row of one state and regime only within the same
    // domicile and municipality; the selected index (state and regime) is therefore not unique.
    return table(u"Entrada.DB"_s,
                 withKey({
                     text(u"UFEntrada"_s, 2).required().mask(u">LL"_s),
                     text(u"TipoRegime"_s, 1),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"CodMunicipio"_s, 7),
                     money0(u"VlrContabilEntrada"_s)
                         .check(u"vlrContabilEntrada >= 0"_s, u"O campo Valor Contábil não pode ser negativo"_s),
                     money0(u"BaseCalculoEntrada"_s)
                         .check(u"BaseCalculoEntrada >= 0"_s,
                                u"O campo Base de Cálculo não pode ser negativo"_s),
                     money0(u"OutrasEntradas"_s)
                         .check(u"OutrasEntradas >= 0"_s, u"O campo Outras Entradas não pode ser negativo"_s),
                     money0(u"PetroleoEnergia"_s)
                         .check(u"PetroleoEnergia >= 0"_s, u"O campo Petróleo/Energia não pode ser negativo"_s),
                     money0(u"OutrosProdutosEntrada"_s)
                         .check(u"OutrosProdutosEntrada >= 0"_s,
                                u"O campo Outros Produtos não pode ser negativo"_s),
                     money0(u"SubsTributaria"_s),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;UFEntrada;TipoRegime;TipoDomicilio;CodMunicipio"_s),
                  secondary(u"idxUFRegime"_s, u"AnoBase;CGCEmpresa;UFEntrada;TipoRegime"_s)});
}

TableDef vendas()
{
    return table(u"Vendas.DB"_s,
                 withKey({
                     text(u"TipoVendas"_s, 50).required(),
                     text(u"Tiporegime"_s, 1),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"CodMunicipio"_s, 7),
                     money0(u"VlrContabeis"_s)
                         .check(u"VlrContabeis >= 0 or VlrContabeis is null"_s,
                                u"Valor contábil não pode ser negativo"_s),
                     money0(u"BaseCalculo"_s)
                         .check(u"BaseCalculo >= 0 or BaseCalculo is null"_s,
                                u"Base de Cálculo não pode ser negativo"_s),
                     money0(u"Outras"_s)
                         .check(u"Outras >= 0 or Outras is null"_s, u"O campo Outras não pode ser negativo"_s),
                     money0(u"SubTributaria"_s)
                         .check(u"SubTributaria >= 0 or SubTributaria is null"_s,
                                u"Substituição Tributária não pode ser negativo"_s),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;TipoVendas;Tiporegime;TipoDomicilio;CodMunicipio"_s),
                  secondary(u"idxChave"_s, u"AnoBase;CGCEmpresa"_s)});
}

TableDef saidas()
{
    // One row per state, regime, domicile and municipality, as the duplicate check counts them.
    return table(u"Saidas.DB"_s,
                 withKey({
                     text(u"UF"_s, 2).required().mask(u">LL"_s),
                     text(u"TipoRegime"_s, 1),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"Codmunicipio"_s, 7),
                     money0(u"VlrContSaidaContrib"_s).check(u"vlrContSaidaContrib >= 0"_s),
                     money0(u"VlrContSaidaNContrib"_s)
                         .check(u"vlrContSaidaNContrib >= 0"_s,
                                u"O campo Valor Contábil Contribuinte não pode ser negativo!"_s),
                     money0(u"BaseCalcSaidaContrib"_s)
                         .check(u"BaseCalcSaidaContrib >= 0"_s,
                                u"O campo Base de Cálculo Contribuinte não pode ser negativo!"_s),
                     money0(u"BaseCalcSaidaNContrib"_s)
                         .check(u"BaseCalcSaidaNContrib >= 0"_s,
                                u"O campo Base de Cálculo não Contribuinte não pode ser negativo!"_s),
                     money0(u"OutrasSaidas"_s)
                         .check(u"OutrasSaidas >= 0"_s, u"O campo Outras Saídas não pode ser negativo!"_s),
                     money0(u"ICMSSubTribSaidas"_s)
                         .check(u"ICMSSubTribSaidas >= 0"_s,
                                u"O campo Substituição Tributária não pode ser negativo!"_s),
                     money0(u"SubsTributaria"_s),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;UF;TipoRegime;TipoDomicilio;Codmunicipio"_s),
                  secondary(u"idxChave"_s, u"AnoBase;CGCEmpresa"_s)});
}

TableDef cfopOperacoes()
{
    const QString message = u"Valor contábil não pode ser negativo"_s;
    return table(u"CFOPOperacoes.DB"_s,
                 withKey({
                     text(u"TipoEntSai"_s, 1),
                     integer(u"CFOP"_s).formats(u"#,###"_s),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"CodMunicipio"_s, 7),
                     money(u"VlrContabil"_s).check(u"VlrContabil >= 0"_s, message),
                     money(u"BaseCalculo"_s).check(u"BaseCalculo >= 0"_s, message),
                     money(u"Outras"_s).check(u"Outras >= 0"_s, message),
                     money(u"SubTributaria"_s).check(u"SubTributaria >= 0"_s, message),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;TipoEntSai;CFOP;TipoDomicilio;CodMunicipio"_s)});
}

TableDef saidasMun()
{
    // The editor creates one line per domicile for each municipality of origin, so the key
    // includes the domicile; the record rule keeps a second line of the same municipality and
    // regime out when one is keyed by hand.
    const QString display = u"###,###,###,##0.00"_s;
    const QString edit = u"###########0.00"_s;
    return table(u"SaidasMun.DB"_s,
                 withKey(
                     {
                         text(u"TipoRegime"_s, 1),
                         text(u"MunicipioID"_s, 7),
                         text(u"TipoDomicilio"_s, 1),
                         text(u"CodMunicipio"_s, 7),
                         number(u"VlrContabil"_s).check(u"VlrContabil >= 0"_s).formats(display, edit),
                         number(u"Devolucoes"_s).check(u"Devolucoes >= 0"_s).formats(display, edit),
                     },
                     12),
                 {primaryKey(u"AnoBase;CGCEmpresa;MunicipioID;TipoRegime;TipoDomicilio;CodMunicipio"_s)});
}

TableDef produtosDiferidos()
{
    // A supplier has one line per domicile (and its municipality) of the declaration; the line
    // key is the one the editor looks lines up by.
    return table(u"ProdutosDiferidos.DB"_s,
                 withKey({
                     text(u"IEOrigem"_s, 9).mask(u"99.999.999-9"_s),
                     text(u"TipoRegime"_s, 1),
                     text(u"MunicipioID"_s, 7),
                     text(u"TipoDomicilio"_s, 1),
                     text(u"CodMunicipio"_s, 7),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;IEOrigem;TipoRegime;CodMunicipio;TipoDomicilio"_s),
                  secondary(u"idxChave"_s, u"AnoBase;CGCEmpresa"_s)});
}

TableDef produtosDiferidosNotas()
{
    // Any number of invoices per supplier line, and nothing forbids a repeated invoice number:
    // no primary key, only the index that links the invoices to their supplier line.
    return table(u"ProdutosDiferidosNotas.DB"_s,
                 withKey({
                     text(u"IEOrigem"_s, 9),
                     text(u"TipoDomicilio"_s, 1),
                     integer(u"NumNotaFiscal"_s).formats(u"000000;_"_s),
                     money(u"VlrDiferido"_s),
                     text(u"CodMunicipio"_s, 7),
                 }),
                 {secondary(u"idxFornecedor"_s, u"AnoBase;CGCEmpresa;IEOrigem;TipoDomicilio"_s)});
}

TableDef estoque()
{
    const QString message = u"O campo de preenchimento não pode ser negativo"_s;
    auto stock = [&](const QString &name) { return money0(name).check(name + u" >= 0"_s, message); };
    // One stock record per declaration.
    return table(u"Estoque.DB"_s,
                 withKey({
                     stock(u"EstoqueInicialTribut"_s),
                     stock(u"EstoqueInicialIsento"_s),
                     stock(u"EstInicialSubTrib"_s),
                     stock(u"EstoqueFinalTributado"_s),
                     stock(u"EstoqueFinalIsento"_s),
                     stock(u"EstFinalSubTrib"_s),
                     money(u"TotalEstoqueInicial"_s),
                     money(u"TotalEstoqueFinal"_s),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa"_s)});
}

TableDef operacoes()
{
    // Totals by regime: one row per declaration and regime.
    return table(u"Operacoes.DB"_s,
                 withKey({
                     money0(u"Compras"_s),
                     money0(u"Entradas"_s),
                     money0(u"Vendas"_s),
                     money0(u"Saidas"_s),
                     money0(u"Resultado"_s),
                     text(u"TipoRegime"_s, 1),
                 }),
                 {primaryKey(u"AnoBase;CGCEmpresa;TipoRegime"_s), secondary(u"idxChave"_s, u"AnoBase;CGCEmpresa"_s)});
}

// ---------------------------------------------------------------------------------------------
// Registers

TableDef empresa()
{
    return table(u"Empresa.DB"_s,
                 {
                     text(u"InscricaoEmpresa"_s, 9).mask(u"99.999.999-9"_s),
                     text(u"CGCEmpresa"_s, 14).required(),
                     text(u"RazaoSocial"_s, 60).required(),
                     text(u"NomeFantasia"_s, 50),
                     text(u"Endereco"_s, 40),
                     text(u"CodigoAtividade"_s, 7).mask(u"9999-9/99"_s),
                     text(u"CodigoMunicipio"_s, 7).required().mask(u"999999-9"_s),
                     text(u"UF"_s, 2).required(),
                     text(u"CEP"_s, 8).mask(u"99.999-999"_s),
                     text(u"Senha"_s, 4),
                 },
                 {primaryKey(u"InscricaoEmpresa"_s), secondary(u"idxCodigoAtividade"_s, u"CodigoAtividade"_s),
                  secondary(u"idxCodigoMunicipio"_s, u"CodigoMunicipio"_s),
                  secondary(u"idxRazaoSocial"_s, u"RazaoSocial"_s)});
}

TableDef contador()
{
    return table(u"Contador.DB"_s,
                 {
                     text(u"CPFContador"_s, 11).required().mask(u"999.999.999-99"_s),
                     text(u"CRCContador"_s, 20),
                     text(u"NomeContador"_s, 60).required(),
                     text(u"EnderecoContador"_s, 40),
                     text(u"FoneContador"_s, 10).mask(u"(99)9999-9999"_s),
                 },
                 {primaryKey(u"CPFContador"_s), secondary(u"idxNome"_s, u"NomeContador"_s)});
}

// ---------------------------------------------------------------------------------------------
// Reference tables. The shipped rows are loaded from the reference files; the keys keep a
// repeated code out of them.

TableDef municip()
{
    return table(u"Municip.DB"_s,
                 {
                     text(u"Codigo"_s, 7).required().mask(u"999999-9"_s),
                     text(u"Descricao"_s, 50),
                     text(u"UF"_s, 2),
                 },
                 {primaryKey(u"Codigo"_s), secondary(u"IDXDESCRICAO"_s, u"Descricao"_s)});
}

TableDef atividades20()
{
    return table(u"atividades20.DB"_s,
                 {
                     text(u"CDATIVIDADE"_s, 7),
                     text(u"DCATIVIDADE"_s, 248),
                 },
                 {primaryKey(u"CDATIVIDADE"_s), secondary(u"IDXDESCRICAO"_s, u"DCATIVIDADE"_s)});
}

TableDef cnae11()
{
    return table(u"CNAE11"_s, {text(u"cnae"_s, 7)}, {primaryKey(u"cnae"_s)});
}

TableDef anoBaseCampo7()
{
    return table(u"AnoBaseCampo7"_s, {text(u"cnae"_s, 7), text(u"AnoBase"_s, 4)},
                 {primaryKey(u"cnae;AnoBase"_s)});
}

TableDef cfop()
{
    // Codes are kept as the digits shown without separators and compared as text.
    return table(u"cfop"_s, {text(u"CFOPCod"_s, 4), text(u"CFOPTipo"_s, 1), text(u"CFOPNom"_s, 400)},
                 {primaryKey(u"CFOPCod;CFOPTipo"_s)});
}

TableDef tbUf()
{
    return table(u"TB_UF.db"_s, {text(u"SiglaUF"_s, 2), text(u"Descricao"_s, 20)}, {primaryKey(u"SiglaUF"_s)});
}

TableDef uf()
{
    return table(u"UF.DB"_s,
                 {
                     integer(u"CodUF"_s).formats(u"0#"_s),
                     text(u"Descricao"_s, 20),
                     text(u"SiglaUF"_s, 2),
                 },
                 {primaryKey(u"CodUF"_s)});
}

// ---------------------------------------------------------------------------------------------
// Defined with the database, never opened by the program.

TableDef socio()
{
    return table(u"Socio.DB"_s,
                 {
                     text(u"CPFSocio"_s, 11),
                     text(u"NomeSocio"_s, 35),
                     text(u"EnderecoSocio"_s, 40),
                     number(u"PercentualSocio"_s),
                     text(u"TipoSocio"_s, 10),
                     text(u"FoneSocio"_s, 10),
                 },
                 {});
}

TableDef coletoria()
{
    return table(u"Coletoria.DB"_s, {text(u"CodigoColetoria"_s, 7), text(u"NomeColetoria"_s, 35)}, {});
}

TableDef testaZef()
{
    return table(u"TestaZEF.db"_s,
                 {
                     text(u"AnoBase"_s, 4),
                     text(u"Tipo"_s, 1),
                     logical(u"PodeCopiar"_s),
                     text(u"CGCEmpresa"_s, 14),
                 },
                 {});
}

QList<TableDef> buildCatalogue()
{
    return {
        zef(),
        zefMunAnterior(),
        compras(),
        entrada(),
        vendas(),
        saidas(),
        cfopOperacoes(),
        saidasMun(),
        produtosDiferidos(),
        produtosDiferidosNotas(),
        estoque(),
        operacoes(),
        empresa(),
        contador(),
        municip(),
        atividades20(),
        cnae11(),
        anoBaseCampo7(),
        cfop(),
        tbUf(),
        uf(),
        socio(),
        coletoria(),
        testaZef(),
    };
}

QString withoutExtension(const QString &name)
{
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

} // namespace

const QList<TableDef> &tableCatalogue()
{
    static const QList<TableDef> catalogue = buildCatalogue();
    return catalogue;
}

const TableDef *catalogueTable(const QString &name)
{
    const QString wanted = withoutExtension(name);
    for (const TableDef &def : tableCatalogue())
        if (def.sqlName().compare(wanted, Qt::CaseInsensitive) == 0)
            return &def;
    return nullptr;
}

} // namespace zef
