#include "print/entries_pages.h"

#include "print/row_shading.h"

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

Heading heading(double left, double width, const QStringList &lines, double top = 0, double height = 11)
{
    return Heading{QRectF(left, top, width, height), lines};
}

Element shadedCell(Element e)
{
    return e.inGroup(QString::fromUtf16(kDataCells));
}

// Amount columns share what is left of the line after the first columns, evenly.
std::vector<double> amountEdges(double from, int count)
{
    std::vector<double> edges;
    const double width = (kContentWidth - from) / count;
    for (int i = 0; i <= count; ++i)
        edges.push_back(from + width * i);
    return edges;
}

SectionPage buildEntradasOP()
{
    SectionPage p;
    p.name = u"TfprintEntradasOPDom"_s;
    p.blankName = u"TfprintEntradasDomVazia"_s;
    p.sql = u"select substr(c.TipoEntradas, 6, 40) as TipoEntradasNome,"
            u" substr(c.TipoEntradas, 1, 2) as TipoEntradasCodigo, c.TipoRegime, c.TipoDomicilio,"
            u" m.Descricao as NomMunicipio, c.VlrContabil, c.BaseCalculo, c.Outras, c.SubTributaria"
            u" from Compras c inner join Municip m on c.CodMunicipio = m.Codigo"
            u" where c.AnoBase = :AnoBase and c.CGCEmpresa = :CGCEmpresa"
            u" order by TipoEntradasCodigo, c.TipoDomicilio"_s;
    p.title = u"3 - ENTRADAS DE MERCADORIAS, BENS E/OU AQUISIÇÕES DE SERVIÇOS NO ESTABELECIMENTO DO CONTRIBUINTE"_s;

    const double type = 0, code = 54, domicile = 61, name = 66;
    const std::vector<double> a = amountEdges(103, 4);
    p.headings = {
        heading(type, domicile - type, {u"3.1"_s, u"ENTRADAS E/OU"_s, u"AQUISIÇÕES"_s}),
        heading(domicile, a[0] - domicile, {u"3.2"_s, u"DOMICÍLIO FISCAL"_s}),
        heading(a[0], a[1] - a[0], {u"3.3"_s, u"VALOR CONTÁBIL"_s}),
        heading(a[1], a[2] - a[1], {u"3.4"_s, u"BASE DE"_s, u"CÁLCULO"_s}),
        heading(a[2], a[3] - a[2], {u"3.5"_s, u"OUTRAS, ISENTAS E/OU"_s, u"NÃO TRIBUTADAS"_s}),
        heading(a[3], a[4] - a[3], {u"3.6"_s, u"SUBSTITUIÇÃO"_s, u"TRIBUTÁRIA"_s}),
    };
    p.rules = {0, domicile, a[0], a[1], a[2], a[3], a[4]};
    p.cells = {
        cellText(type, code - type, u"TipoEntradasNome"_s),
        cellText(code, domicile - code, u"TipoEntradasCodigo"_s, Qt::AlignCenter),
        cellText(domicile, name - domicile, u"TipoDomicilio"_s, Qt::AlignCenter),
        cellText(name, a[0] - name, u"NomMunicipio"_s),
        cellAmount(a[0], a[1] - a[0], u"VlrContabil"_s),
        cellAmount(a[1], a[2] - a[1], u"BaseCalculo"_s),
        cellAmount(a[2], a[3] - a[2], u"Outras"_s),
        cellAmount(a[3], a[4] - a[3], u"SubTributaria"_s),
    };
    p.firstColumnWidth = domicile;
    p.totals = TotalsGeometry{{3.5, 7.9, 11.9, 16.4, 20.3}, {0.2, 1.4, 2.6, 4.2, 5.5}, 1.2};
    p.domicile = DomicileCells{QRectF(domicile, 0, name - domicile, 0), QRectF(name, 0, a[0] - name, 0)};
    p.totalled = {
        {u"VlrContabil"_s, u"ITContabil"_s, a[0], a[1] - a[0]},
        {u"BaseCalculo"_s, u"ITBaseCalculo"_s, a[1], a[2] - a[1]},
        {u"Outras"_s, u"IOutrasIsentas"_s, a[2], a[3] - a[2]},
        {u"SubTributaria"_s, u"ITSubstituicao"_s, a[3], a[4] - a[3]},
    };
    p.captionCell = QRectF(type, 0, domicile - type, 0);
    return p;
}

SectionPage buildEntradasOPCFOP()
{
    SectionPage p;
    p.name = u"TfprintEntradasOPCFOPDom"_s;
    p.sql = u"select m.Descricao as NomMunicipio, o.* from CFOPOperacoes  o, Municip m"
            u" where o.AnoBase = :AnoBase and o.CGCEmpresa = :CGCEmpresa and o.TipoEntSai = 'E'"
            u" and o.CodMunicipio = m.Codigo order by o.CFOP"_s;
    p.title = u"3.1 - OUTAS ENTRADAS - LINHA 11"_s;

    const double cfop = 0, domicile = 20, name = 25;
    const std::vector<double> a = amountEdges(80, 4);
    p.headings = {
        heading(cfop, domicile - cfop, {u"CFOP"_s}),
        heading(domicile, a[0] - domicile, {u"3.2"_s, u"DOMICÍLIO FISCAL"_s}),
        heading(a[0], a[1] - a[0], {u"3.3"_s, u"VALOR CONTÁBIL"_s}),
        heading(a[1], a[2] - a[1], {u"3.4"_s, u"BASE DE CÁLCULO"_s}),
        heading(a[2], a[3] - a[2], {u"3.5"_s, u"OUTRAS, ISENTAS E/OU"_s, u"NÃO TRIBUTADAS"_s}),
        heading(a[3], a[4] - a[3], {u"3.6"_s, u"SUBSTITUIÇÃO"_s, u"TRIBUTÁRIA"_s}),
    };
    p.rules = {0, domicile, a[0], a[1], a[2], a[3], a[4]};
    p.cells = {
        cellText(cfop, domicile - cfop, u"CFOP"_s, Qt::AlignCenter),
        cellText(domicile, name - domicile, u"TipoDomicilio"_s, Qt::AlignCenter),
        cellText(name, a[0] - name, u"NomMunicipio"_s, Qt::AlignCenter),
        cellAmount(a[0], a[1] - a[0], u"VlrContabil"_s),
        cellAmount(a[1], a[2] - a[1], u"BaseCalculo"_s),
        cellAmount(a[2], a[3] - a[2], u"Outras"_s),
        cellAmount(a[3], a[4] - a[3], u"SubTributaria"_s),
    };
    p.firstColumnWidth = domicile;
    return p;
}

SectionPage buildEntradasUF()
{
    SectionPage p;
    p.name = u"TfprintentradasUFDom"_s;
    p.blankName = u"TfprintEntradasDomVazia4"_s;
    // Rows of one state and regime follow their domiciles' order, so that every group starts with
    // its domicile-A row.
    p.sql = u"select e.UFEntrada as TipoEntradasNome, e.TipoRegime, e.TipoDomicilio, m.Descricao as NomMunicipio,"
            u" e.VlrContabilEntrada as VlrContabil, e.BaseCalculoEntrada as BaseCalculo, e.OutrasEntradas,"
            u" e.PetroleoEnergia, e.OutrosProdutosEntrada, e.SubsTributaria"
            u" from Entrada e inner join Municip m on e.CodMunicipio = m.Codigo"
            u" where e.AnoBase = :AnoBase and e.CGCEmpresa = :CGCEmpresa"
            u" order by e.UFEntrada, e.TipoRegime, e.TipoDomicilio"_s;
    p.title = u"4 - ENTRADAS DE MERCADORIAS, BENS E/OU AQUISIÇÃO DE SERVIÇOS, DETALHADAS (POR UNIDADE DA FEDERAÇÃO)."_s;
    p.headingHeight = 14;

    const double state = 0, stateName = 7, domicile = 34, name = 39;
    const std::vector<double> a = amountEdges(75, 6);
    const double h = p.headingHeight;
    p.headings = {
        heading(state, domicile - state, {u"4.1"_s, u"CÓDIGO E UNIDADE DA"_s, u"FEDERAÇÃO DE ORIGEM"_s}, 0, h),
        heading(domicile, a[0] - domicile, {u"4.2"_s, u"DOMICÍLIO FISCAL"_s}, 0, h),
        heading(a[0], a[1] - a[0], {u"4.3"_s, u"VALOR CONTÁBIL"_s}, 0, h),
        heading(a[1], a[2] - a[1], {u"4.4"_s, u"BASE DE"_s, u"CÁLCULO"_s}, 0, h),
        heading(a[2], a[3] - a[2], {u"4.5"_s, u"OUTRAS,"_s, u"ISENTAS E/OU"_s, u"NÃO TRIBUTADAS"_s}, 0, h),
        heading(a[3], a[4] - a[3], {u"4.6"_s, u"SUBSTITUIÇÃO"_s, u"TRIBUTÁRIA"_s}, 0, h),
        heading(a[4], a[6] - a[4], {u"4.7"_s, u"ICMS COBRADO POR"_s, u"SUBSTITUIÇÃO TRIBUTÁRIA"_s}, 0, 8),
        heading(a[4], a[5] - a[4], {u"A"_s, u"PETRÓLEO/ENERGIA"_s}, 8, h - 8),
        heading(a[5], a[6] - a[5], {u"B"_s, u"OUTROS PRODUTOS"_s}, 8, h - 8),
    };
    p.rules = {0, domicile, a[0], a[1], a[2], a[3], a[4], a[5], a[6]};
    p.cells = {
        label(QRectF(state + 0.8, 0, stateName - state - 1.2, kDetailHeight), QString(), Qt::AlignRight)
            .named(u"lCodUF"_s)
            .size(6),
        label(QRectF(stateName + 0.8, 0, domicile - stateName - 1.6, kDetailHeight), QString()).named(u"lNomeUF"_s).size(6),
        shadedCell(cellText(domicile, name - domicile, u"TipoDomicilio"_s, Qt::AlignCenter)),
        shadedCell(cellText(name, a[0] - name, u"NomMunicipio"_s)),
        shadedCell(cellAmount(a[0], a[1] - a[0], u"VlrContabil"_s)),
        shadedCell(cellAmount(a[1], a[2] - a[1], u"BaseCalculo"_s)),
        shadedCell(cellAmount(a[2], a[3] - a[2], u"OutrasEntradas"_s)),
        shadedCell(cellAmount(a[3], a[4] - a[3], u"SubsTributaria"_s)),
        shadedCell(cellAmount(a[4], a[5] - a[4], u"PetroleoEnergia"_s)),
        shadedCell(cellAmount(a[5], a[6] - a[5], u"OutrosProdutosEntrada"_s)),
    };
    p.firstColumnWidth = domicile;
    p.shaded = true;
    p.stateColumn = u"TipoEntradasNome"_s;
    p.totals = TotalsGeometry{{4.0, 7.9, 12.3, 16.4, 20.0}, {0.6, 2.5, 4.3, 6.8, 8.9}, 1.9};
    p.domicile = DomicileCells{QRectF(domicile, 0, name - domicile, 0), QRectF(name, 0, a[0] - name, 0)};
    p.totalled = {
        {u"VlrContabil"_s, u"ITContabil"_s, a[0], a[1] - a[0]},
        {u"BaseCalculo"_s, u"ITBaseCalculo"_s, a[1], a[2] - a[1]},
        {u"OutrasEntradas"_s, u"ITOutras"_s, a[2], a[3] - a[2]},
        {u"SubsTributaria"_s, u"SubTrib"_s, a[3], a[4] - a[3]},
        {u"PetroleoEnergia"_s, u"ITPetroleo"_s, a[4], a[5] - a[4]},
        {u"OutrosProdutosEntrada"_s, u"ITOutrosProdutos"_s, a[5], a[6] - a[5]},
    };
    p.captionCell = QRectF(state, 0, domicile - state, 0);
    return p;
}

} // namespace

const SectionPage &entradasOPDom()
{
    static const SectionPage page = buildEntradasOP();
    return page;
}

const SectionPage &entradasOPCFOPDom()
{
    static const SectionPage page = buildEntradasOPCFOP();
    return page;
}

const SectionPage &entradasUFDom()
{
    static const SectionPage page = buildEntradasUF();
    return page;
}

} // namespace zef::print
