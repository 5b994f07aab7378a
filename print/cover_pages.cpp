#include "print/cover_pages.h"

#include "data/edit_mask.h"
#include "engine/field.h"
#include "engine/query.h"
#include "print/emblem.h"

#include <utility>
#include <vector>

namespace zef::print {

namespace {

using namespace Qt::StringLiterals;

constexpr double kW = kContentWidth;
constexpr double kCaptionPoints = 5.5;
constexpr double kValuePoints = 7.5;
constexpr auto kBlankPeriod = u"___/___/____ A ___/___/____";
constexpr auto kLetters = u"ABCDE";

// A code-to-mark group: the "X" of the option whose code the column holds.
struct MarkGroup {
    QString column;
    std::vector<std::pair<QString, QString>> options;   // code, caption
};

const std::vector<MarkGroup> &markGroups()
{
    static const std::vector<MarkGroup> groups = {
        {u"StatusDRF"_s, {{u"S"_s, u"SIM"_s}, {u"N"_s, u"NÃO"_s}}},
        {u"RegimeApuracao"_s, {{u"3"_s, u"NORMAL"_s}, {u"4"_s, u"SIMPLES NACIONAL"_s}}},
        {u"TipoEscrita"_s, {{u"1"_s, u"FISCAL"_s}, {u"2"_s, u"CONTÁBIL"_s}}},
        {u"TipoEstabelecimento"_s, {{u"1"_s, u"ÚNICO"_s}, {u"2"_s, u"MATRIZ"_s}, {u"3"_s, u"FILIAL"_s}}},
        {u"Finalidade"_s,
         {{u"1"_s, u"INFORMAÇÃO ANUAL"_s}, {u"2"_s, u"BAIXA VOLUNTÁRIA"_s}, {u"4"_s, u"SUSPENSÃO VOLUNTÁRIA"_s}}},
        {u"Retificacao"_s, {{u"S"_s, u"SIM"_s}, {u"N"_s, u"NÃO"_s}}},
    };
    return groups;
}

const MarkGroup &group(const QString &column)
{
    for (const MarkGroup &g : markGroups())
        if (g.column == column)
            return g;
    return markGroups().front();
}

QString markName(const QString &column, const QString &code)
{
    return u"x"_s + column + code;
}

QString period(const Field &start, const Field &end)
{
    return start.asString() + u" A "_s + end.asString();
}

// Builds the form top to bottom; y is the top of the next row of boxes.
class Form
{
public:
    std::vector<Element> elements;
    double y = 0;

    Element &add(Element e)
    {
        elements.push_back(std::move(e));
        return elements.back();
    }
    void sectionTitle(const QString &text)
    {
        add(fill(QRectF(0, y, kW, 5), QColor(0xE8, 0xE8, 0xE8)));
        add(box(QRectF(0, y, kW, 5)).penWidth(0.3));
        add(label(QRectF(1.5, y, kW - 3, 5), text).bold().size(7.5));
        y += 5;
    }
    // A boxed item with its number and caption on top.
    void item(double left, double width, double height, const QString &number, const QString &caption)
    {
        add(box(QRectF(left, y, width, height)));
        add(label(QRectF(left + 1, y + 0.3, width - 2, 3), number + u"  "_s + caption).size(kCaptionPoints).bold());
    }
    // The value of a one-line item, under its caption.
    Element &value(Element e, double left, double width, double height)
    {
        e.rect = QRectF(left + 2, y + 3.3, width - 4, height - 3.6);
        return add(e.size(kValuePoints));
    }
    // An option box with its mark and caption.
    void option(double left, double top, const QString &column, const QString &code, const QString &caption)
    {
        add(box(QRectF(left, top, 3.6, 3.6)));
        add(label(QRectF(left, top, 3.6, 3.6), QString(), Qt::AlignCenter).named(markName(column, code)).bold().size(7));
        add(label(QRectF(left + 4.6, top, 40, 3.6), caption).size(6.5));
    }
    void options(const QString &column, double left, double top, double step)
    {
        double x = left;
        for (const auto &[code, caption] : group(column).options) {
            option(x, top, column, code, caption);
            x += step;
        }
    }
};

Band pageHeader()
{
    Band b;
    b.kind = BandKind::PageHeader;
    b.name = u"cabecalho"_s;
    b.height = 40;
    b.elements.push_back(picture(QRectF(0, 0, 22, 22), emblemaZef(300)));
    const QStringList authority = {u"ESTADO DE VARDELO"_s, u"SECRETARIA DE ESTADO DA FAZENDA - TAVRO"_s,
                                   u"COORDENADORIA DA ADMINISTRAÇÃO TRIBUTÁRIA"_s};
    for (qsizetype i = 0; i < authority.size(); ++i)
        b.elements.push_back(
            label(QRectF(24, 3 + 5.0 * double(i), 116, 5), authority.at(i), Qt::AlignCenter).bold().size(8.5));
    b.elements.push_back(box(QRectF(143, 0, kW - 143, 22)).penWidth(0.3));
    b.elements.push_back(label(QRectF(143, 0.5, kW - 143, 10), u"Z E F"_s, Qt::AlignCenter).bold().size(18));
    b.elements.push_back(hrule(145, 11, kW - 147));
    b.elements.push_back(label(QRectF(144, 11.5, kW - 145, 10),
                               u"DECLARAÇÃO ANUAL DE INFORMAÇÕES ECONÔMICO-FISCAIS"_s, Qt::AlignCenter)
                             .wrapped()
                             .bold()
                             .size(6.5));
    b.elements.push_back(box(QRectF(0, 24, kW, 6)).penWidth(0.3));
    b.elements.push_back(label(QRectF(2, 24, 16, 6), u"SINIEF - "_s).bold().size(8));
    b.elements.push_back(
        label(QRectF(18, 24, kW - 20, 6), u"SISTEMA  NACIONAL  INTEGRADO DE INFORMAÇÕES  ECONÔMICO-FISCAIS"_s).size(8));
    b.elements.push_back(label(QRectF(143, 32, 25, 6), u"ANO BASE"_s, Qt::AlignRight).bold().size(8));
    b.elements.push_back(box(QRectF(170, 32, kW - 170, 6)));
    b.elements.push_back(field(QRectF(170, 32, kW - 170, 6), u"AnoBase"_s, Qt::AlignCenter).named(u"AnoBase"_s).bold().size(9));
    return b;
}

Band detail(CoverVariant variant)
{
    Form f;
    f.sectionTitle(u"1 - IDENTIFICAÇÃO DO CONTRIBUINTE"_s);
    const double rowH = 9;
    f.item(0, 140, rowH, u"1.1"_s, u"NOME OU RAZÃO SOCIAL"_s);
    f.value(field({}, u"RazaoSocial"_s).named(u"RazaoSocial"_s), 0, 140, rowH);
    f.item(140, kW - 140, rowH, u"1.2"_s, u"INSCRIÇÃO ESTADUAL"_s);
    f.value(masked({}, u"CGCEmpresa"_s, u"99.999.999-9"_s).named(u"CGCEmpresa"_s), 140, kW - 140, rowH);
    f.y += rowH;
    f.item(0, 140, rowH, u"1.3"_s, u"ENDEREÇO"_s);
    f.value(field({}, u"Endereco"_s).named(u"Endereco"_s), 0, 140, rowH);
    f.item(140, kW - 140, rowH, u"1.4"_s, u"CNPJ/CPF"_s);
    f.value(label({}, QString()).named(u"lCNPJCPF"_s), 140, kW - 140, rowH);
    f.y += rowH;
    f.item(0, 100, rowH, u"1.5"_s, u"MUNICÍPIO"_s);
    f.value(field({}, u"Descricao"_s).named(u"Descricao"_s), 0, 100, rowH);
    f.item(100, 40, rowH, u"1.6"_s, u"CÓDIGO"_s);
    f.value(masked({}, u"CodigoMunicipio"_s, u"999999-9"_s).named(u"CodigoMunicipio"_s), 100, 40, rowH);
    f.item(140, 20, rowH, u"1.7"_s, u"U.F."_s);
    f.value(field({}, u"UF"_s).named(u"UF"_s), 140, 20, rowH);
    f.item(160, kW - 160, rowH, u"1.8"_s, u"CEP"_s);
    f.value(masked({}, u"CEP"_s, u"99.999-999"_s).named(u"CEP"_s), 160, kW - 160, rowH);
    f.y += rowH + 3;

    f.sectionTitle(u"2 - INFORMAÇÕES ECONÔMICO-FISCAIS"_s);
    // 2.1
    f.item(0, kW, 13, u"2.1"_s, QString());
    const QStringList question = {u"HOUVE MUDANÇA DE DOMICÓLIO PARA OUTRO"_s, u"MUNICÍPIO VARDELENSE NO PERÍODO DE"_s,
                                  u"REFERÊNCIA FISCAL"_s};
    for (qsizetype i = 0; i < question.size(); ++i)
        f.add(label(QRectF(8, f.y + 0.8 + 3.6 * double(i), 100, 3.6), question.at(i)).size(6.5));
    f.options(u"StatusDRF"_s, 115, f.y + 4.5, 30);
    f.y += 13;

    // 2.2
    const bool previous = variant == CoverVariant::WithDomiciles;
    const double lineH = 5;
    const int lineCount = previous ? 5 : 1;
    const double height22 = 4 + lineH * lineCount + 1;
    f.item(0, kW, height22, u"2.2"_s, u"DOMICÍLIOS POR PERÍODO DE REFERÊNCIA FISCAL"_s);
    const QString letters = QString::fromUtf16(kLetters);
    for (int n = 0; n < lineCount; ++n) {
        const QString letter = letters.mid(n, 1);
        const double top = f.y + 4 + lineH * n;
        const QString g = u"linha"_s + letter;
        auto line = [&](Element e) -> Element & { return f.add(std::move(e)).inGroup(n == 0 ? QString() : g); };
        if (n < 2) {
            line(label(QRectF(3, top, 5, lineH), QString::number(n + 1), Qt::AlignCenter).bold().size(7));
            line(label(QRectF(9, top, 20, lineH), n == 0 ? u"ATUAL:"_s : u"ANTERIOR:"_s).bold().size(6.5));
        }
        line(box(QRectF(31, top + 0.5, 6, lineH - 1)));
        line(label(QRectF(31, top + 0.5, 6, lineH - 1), letter, Qt::AlignCenter).bold().size(7));
        line(box(QRectF(39, top + 0.5, 95, lineH - 1)));
        line(label(QRectF(40.5, top + 0.5, 92, lineH - 1), QString()).named(u"lMun"_s + letter).size(kValuePoints));
        line(box(QRectF(136, top + 0.5, kW - 138, lineH - 1)));
        line(label(QRectF(136, top + 0.5, kW - 138, lineH - 1), QString::fromUtf16(kBlankPeriod), Qt::AlignCenter)
                 .named(u"lPeriodo"_s + letter)
                 .size(kValuePoints));
    }
    f.y += height22;

    // 2.3
    f.item(0, kW, 10, u"2.3"_s, u"PERÍODO DE REFERÊNCIA FISCAL E REGIME DE TRIBUTAÇÃO"_s);
    f.options(u"RegimeApuracao"_s, 8, f.y + 4.8, 30);
    f.add(box(QRectF(120, f.y + 4, kW - 122, 5)));
    f.add(label(QRectF(120, f.y + 4, kW - 122, 5), QString(), Qt::AlignCenter).named(u"lPeriodoRef"_s).size(kValuePoints));
    f.y += 10;

    // 2.4 and 2.5
    f.item(0, 80, 10, u"2.4"_s, u"ESCRITURAÇÃO"_s);
    f.options(u"TipoEscrita"_s, 8, f.y + 4.8, 30);
    f.item(80, kW - 80, 10, u"2.5"_s, u"TIPO DE ESTABELECIMENTO"_s);
    f.options(u"TipoEstabelecimento"_s, 88, f.y + 4.8, 32);
    f.y += 10;

    // 2.6 and 2.7
    f.item(0, 140, 10, u"2.6"_s, u"FINALIDADE"_s);
    f.options(u"Finalidade"_s, 8, f.y + 4.8, 44);
    f.item(140, kW - 140, 10, u"2.7"_s, u"ZEF RETIFICADOR"_s);
    f.options(u"Retificacao"_s, 148, f.y + 4.8, 22);
    f.y += 10;

    // 2.8 to 2.10
    const double h = 13;
    f.item(0, 50, h, u"2.8"_s, u"CÓDIGO DA CNAE"_s);
    f.add(masked(QRectF(2, f.y + 5, 46, 6), u"CodigoAtividade"_s, u"9999-9/99"_s, Qt::AlignCenter)
              .named(u"CodigoAtividade"_s)
              .size(kValuePoints));
    f.item(50, 95, h, u"2.9"_s, u"SALDO DE CAIXA"_s);
    f.add(label(QRectF(52, f.y + 4, 44, 3.5), u"CAIXA INICIAL"_s, Qt::AlignCenter).size(kCaptionPoints));
    f.add(label(QRectF(99, f.y + 4, 44, 3.5), u"CAIXA FINAL"_s, Qt::AlignCenter).size(kCaptionPoints));
    f.add(box(QRectF(52, f.y + 7.5, 44, 4.8)));
    f.add(box(QRectF(99, f.y + 7.5, 44, 4.8)));
    f.add(amount(QRectF(53, f.y + 7.5, 42, 4.8), u"vlrCaixaI"_s, u"#,###,###,##0.00"_s).named(u"vlrCaixaI"_s).size(kValuePoints));
    f.add(amount(QRectF(100, f.y + 7.5, 42, 4.8), u"vlrCCaixaI"_s, u"#,###,###,##0.00"_s).named(u"vlrCCaixaI"_s).size(kValuePoints));
    f.item(145, kW - 145, h, u"2.10"_s, u"PATRIMÔNIO LÍQUIDO"_s);
    f.add(label(QRectF(147, f.y + 4, kW - 149, 3.5), u"P. L. EM (R$)"_s, Qt::AlignCenter).size(kCaptionPoints));
    f.add(box(QRectF(147, f.y + 7.5, kW - 149, 4.8)));
    f.add(amount(QRectF(148, f.y + 7.5, kW - 151, 4.8), u"vlrPatrimLiq"_s, u"#,###,###,##0.00"_s)
              .named(u"vlrPatrimLiq"_s)
              .size(kValuePoints));
    f.y += h;

    Band b;
    b.kind = BandKind::Detail;
    b.name = u"detalhe"_s;
    b.height = f.y;
    b.elements = std::move(f.elements);
    return b;
}

// Marks, periods, the CNPJ/CPF and the domicile lines, just before the form prints.
void fillForm(BandPrint &band, const Dataset &row, CoverVariant variant, Database &db, const DeclarationKey &key)
{
    for (const MarkGroup &g : markGroups()) {
        const QString value = row.fieldByName(g.column)->asString();
        for (const auto &option : g.options)
            AtribuiTexto(band, markName(g.column, option.first), value == option.first ? u"X"_s : QString());
    }
    AtribuiTexto(band, u"lPeriodoRef"_s,
                 period(*row.fieldByName(u"PeriodoRefInicio"_s), *row.fieldByName(u"PeriodoRefFinal"_s)));
    AtribuiTexto(band, u"lCNPJCPF"_s, formataCnpjCpf(row.fieldByName(u"CGCEmpresa_1"_s)->asString()));

    Query domicilios(db, u"Select d.TipoDomicilio, m.Descricao, d.DataDRFAntI, d.DataDRFAntF"
                         u" from ZefMunAnterior d, Municip m where d.CodMunicipioAnt = m.Codigo"
                         u" and d.AnoBase = :AnoBase and d.CGCEmpresa = :CGCEmpresa"_s);
    bindKey(domicilios, key);
    domicilios.open();
    const bool previous = variant == CoverVariant::WithDomiciles;
    const bool moved = row.fieldByName(u"StatusDRF"_s)->asString() == u"S"_s;
    const QString letters = QString::fromUtf16(kLetters);
    if (previous) {
        band.setGroupVisible(u"linhaB"_s, moved);
        for (const QString &l : {u"C"_s, u"D"_s, u"E"_s})
            band.setGroupVisible(u"linha"_s + l, false);
    }
    for (domicilios.first(); !domicilios.eof(); domicilios.next()) {
        const QString letter = domicilios.fieldByName(u"TipoDomicilio"_s)->asString();
        if (letter.size() != 1 || !letters.contains(letter) || (letter != u"A"_s && (!previous || !moved)))
            continue;
        AtribuiTexto(band, u"lMun"_s + letter, domicilios.fieldByName(u"Descricao"_s)->asString());
        AtribuiTexto(band, u"lPeriodo"_s + letter,
                     period(*domicilios.fieldByName(u"DataDRFAntI"_s), *domicilios.fieldByName(u"DataDRFAntF"_s)));
        if (letter != u"A"_s && letter != u"B"_s)
            band.setGroupVisible(u"linha"_s + letter, true);
    }
}

} // namespace

QString formataCnpjCpf(const QString &digits)
{
    const QString mask = digits.size() > 11 ? u"99.999.999/9999-99;0;_"_s : u"999.999.999-99;0;_"_s;
    return EditMask(mask).format(digits);
}

QString coverSql()
{
    return u"select z.AnoBase, z.CGCEmpresa, z.CodigoAtividade, z.CodigoMunicipio, z.RegimeApuracao,"
           u" z.TipoEscrita, z.Finalidade, z.TipoEstabelecimento, z.Retificacao, z.StatusDRF,"
           u" z.PeriodoRefInicio, z.PeriodoRefFinal, z.VlrCaixaI as vlrCaixaI, z.VlrCCaixaI as vlrCCaixaI,"
           u" z.VlrPatrimLiq as vlrPatrimLiq, e.RazaoSocial, e.Endereco, e.UF, e.CEP, e.CGCEmpresa as CGCEmpresa_1,"
           u" m.Descricao"
           u" from Zef z"
           u" inner join Empresa e on e.InscricaoEmpresa = z.CGCEmpresa"
           u" inner join atividades20 a on a.CDATIVIDADE = e.CodigoAtividade"
           u" inner join Municip m on m.Codigo = z.CodigoMunicipio"
           u" where z.AnoBase = :AnoBase and z.CGCEmpresa = :CGCEmpresa"_s;
}

Report coverReport(CoverVariant variant, Database &db, const DeclarationKey &key)
{
    Report r;
    r.name = variant == CoverVariant::Plain ? u"TfprintZEF"_s : u"TfprintZEFDom"_s;
    r.bands = {pageHeader(), detail(variant)};
    r.beforeDetail = [variant, &db, key](BandPrint &band, const Dataset &row) { fillForm(band, row, variant, db, key); };
    return r;
}

void addCover(Database &db, const DeclarationKey &key, CoverVariant variant, Document &document)
{
    Query row(db, coverSql());
    bindKey(row, key);
    row.open();
    layoutReport(coverReport(variant, db, key), &row, document);
}

} // namespace zef::print
