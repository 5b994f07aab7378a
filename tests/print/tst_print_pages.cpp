// The printed pages read as their drawing list: which sheets, which bands, which texts and
// backgrounds, without looking at pixels.

#include "print_fixture.h"

#include "print/cover_pages.h"
#include "print/declaration_print.h"
#include "print/print_error.h"

#include <QGuiApplication>

using namespace zef;
using namespace zef::print;
using namespace zef::testing;
using namespace Qt::StringLiterals;

namespace {

const DeclarationKey kKey{QString::fromUtf16(kYear), QString::fromUtf16(kIE)};

QStringList reportsOf(const Document &d)
{
    QStringList names;
    for (const Sheet &s : d.sheets)
        names.append(s.report);
    return names;
}

const Sheet &sheetOf(const Document &d, const QString &report)
{
    for (const Sheet &s : d.sheets)
        if (s.report == report)
            return s;
    qFatal("no sheet %s", qPrintable(report));
}

const PlacedBand &only(const Sheet &s, const QString &band)
{
    const auto bands = s.bandsNamed(band);
    if (bands.size() != 1)
        qFatal("%zu bands %s", bands.size(), qPrintable(band));
    return *bands.front();
}

// "A:1000" -> letter and amount.
std::pair<QString, double> entry(const QString &texto)
{
    const QStringList parts = texto.split(u':');
    return {parts.at(0), parts.size() > 1 ? parts.at(1).toDouble() : 10.0};
}

const QStringList kTypes = {u"01 - COMPRAS"_s, u"02 - TRANSFERÊNCIAS"_s, u"03 - VENDAS CANCELADAS"_s,
                            u"04 - TRANSPORTES"_s};

} // namespace

class TestPrintPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void totalsBand_data();
    void totalsBand();
    void shading_data();
    void shading();
    void stateLookup();
    void blankPagesWithoutRows();
    void continuationSheetsCarryNoHeadings();
    void cover_data();
    void cover();
    void cnpjCpfMasks_data();
    void cnpjCpfMasks();
    void missingDeclaration();
    void coverWithoutJoinedRowIsLeftOut();
};

void TestPrintPages::initTestCase()
{
    // Amounts print the Brazilian way whatever the workstation's language.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestPrintPages::totalsBand_data()
{
    QTest::addColumn<QStringList>("rows");        // letter:VlrContabil of item 03 rows
    QTest::addColumn<double>("height");
    QTest::addColumn<QStringList>("letters");     // lTipoDom0.. of the lines that print
    QTest::addColumn<QStringList>("totals");      // ITContabil0..

    QTest::newRow("A e B") << QStringList{u"A:10"_s, u"B:20"_s} << 7.9 << QStringList{u"A"_s, u"B"_s}
                           << QStringList{u"10,00"_s, u"20,00"_s};
    QTest::newRow("A e C") << QStringList{u"A:10"_s, u"C:30"_s} << 11.9 << QStringList{u"A"_s, u""_s, u"C"_s}
                           << QStringList{u"10,00"_s, u""_s, u"30,00"_s};
    QTest::newRow("só B") << QStringList{u"B:20"_s} << 7.9 << QStringList{u""_s, u"B"_s}
                          << QStringList{u""_s, u"20,00"_s};
    QTest::newRow("três A") << QStringList{u"A:1000"_s, u"A:250.5"_s, u"A:0.25"_s} << 3.5 << QStringList{u"A"_s}
                            << QStringList{u"1.250,75"_s};
    QTest::newRow("A a E") << QStringList{u"E:1"_s, u"A:1"_s} << 20.3
                           << QStringList{u"A"_s, u""_s, u""_s, u""_s, u"E"_s}
                           << QStringList{u"1,00"_s, u""_s, u""_s, u""_s, u"1,00"_s};
}

void TestPrintPages::totalsBand()
{
    QFETCH(QStringList, rows);
    QFETCH(double, height);
    QFETCH(QStringList, letters);
    QFETCH(QStringList, totals);

    PrintFixture f;
    f.addPrintable();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto [letter, value] = entry(rows.at(i));
        f.compra(kTypes.at(i), letter, value);
    }
    const Document d = imprimeDeclaracao(f.db(), kKey);
    const Sheet &page = sheetOf(d, u"TfprintEntradasOPDom"_s);
    QCOMPARE(page.bandsNamed(u"detalhe"_s).size(), std::size_t(rows.size()));
    const PlacedBand &footer = only(page, u"rodape"_s);
    QCOMPARE(footer.height, height);
    for (int n = 0; n < 5; ++n) {
        const QString slot = QString::number(n);
        const bool prints = n < letters.size();
        QCOMPARE(footer.op(u"lTipoDom"_s + slot) != nullptr, prints);
        if (prints) {
            QCOMPARE(footer.text(u"lTipoDom"_s + slot), letters.at(n));
            QCOMPARE(footer.text(u"ITContabil"_s + slot), totals.at(n));
            QCOMPARE(footer.text(u"lNomeDom"_s + slot), letters.at(n).isEmpty() ? u""_s : u"ÁGUA BOA DO NORTE"_s);
        }
    }
    QCOMPARE(footer.text(u"lTotal"_s), u"T O T A L"_s);
    // Rows print in type order, then domicile, "A" first.
    QCOMPARE(page.bandsNamed(u"detalhe"_s).front()->text(u"TipoEntradasNome"_s), u"COMPRAS"_s);
    QCOMPARE(page.bandsNamed(u"detalhe"_s).front()->text(u"TipoEntradasCodigo"_s), u"01"_s);
}

void TestPrintPages::shading_data()
{
    QTest::addColumn<QStringList>("rows");        // state:letter of item 04 rows, in print order
    QTest::addColumn<QString>("shades");          // w white, s silver, per line

    QTest::newRow("A,B,A,B") << QStringList{u"AC:A"_s, u"AC:B"_s, u"AL:A"_s, u"AL:B"_s} << u"wwss"_s;
    QTest::newRow("B,A,B") << QStringList{u"AC:B"_s, u"AL:A"_s, u"AL:B"_s} << u"sww"_s;
    QTest::newRow("two states, A and B") << QStringList{u"SP:A"_s, u"SP:B"_s, u"RJ:A"_s, u"RJ:B"_s} << u"wwss"_s;
}

void TestPrintPages::shading()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, shades);

    PrintFixture f;
    f.addPrintable();
    for (const QString &r : rows)
        f.entrada(r.section(u':', 0, 0), r.section(u':', 1, 1), 100);
    const Document d = imprimeDeclaracao(f.db(), kKey);
    const auto lines = sheetOf(d, u"TfprintentradasUFDom"_s).bandsNamed(u"detalhe"_s);
    QCOMPARE(lines.size(), std::size_t(shades.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool silver = shades.at(qsizetype(i)) == u's';
        const DrawOp *backdrop = lines[i]->op(u"fundo"_s);
        QVERIFY(backdrop);
        QCOMPARE(backdrop->color, kSilver);
        // The first column always sits on silver; the rest of the line only when shaded.
        QCOMPARE(backdrop->rect.width() > 100, silver);
        QCOMPARE(lines[i]->op(u"VlrContabil"_s)->color, silver ? kSilver : QColor(Qt::white));
        QCOMPARE(lines[i]->op(u"NomMunicipio"_s)->color, silver ? kSilver : QColor(Qt::white));
    }
}

void TestPrintPages::stateLookup()
{
    PrintFixture f;
    f.addPrintable();
    f.entrada(u"SP"_s, u"A"_s, 100);
    f.entrada(u"XX"_s, u"A"_s, 100);
    const Document d = imprimeDeclaracao(f.db(), kKey);
    const auto lines = sheetOf(d, u"TfprintentradasUFDom"_s).bandsNamed(u"detalhe"_s);
    QCOMPARE(lines.size(), std::size_t(2));
    QCOMPARE(lines[0]->text(u"lCodUF"_s), u"26"_s);
    QCOMPARE(lines[0]->text(u"lNomeUF"_s), u"SÃO PAULO"_s);
    QCOMPARE(lines[1]->text(u"lCodUF"_s), u""_s);
    QCOMPARE(lines[1]->text(u"lNomeUF"_s), u""_s);
    QCOMPARE(lines[1]->text(u"VlrContabil"_s), u"100,00"_s);
    QCOMPARE(lines[1]->text(u"PetroleoEnergia"_s), u"1,50"_s);
}

void TestPrintPages::blankPagesWithoutRows()
{
    PrintFixture f;
    f.addPrintable();
    Document d = imprimeDeclaracao(f.db(), kKey);
    QCOMPARE(reportsOf(d), (QStringList{u"TfprintZEF"_s, u"TfprintEntradasDomVazia"_s, u"TfprintEntradasDomVazia4"_s}));
    const PlacedBand &zeros = only(d.sheets[1], u"totais"_s);
    QCOMPARE(zeros.text(u"lTotal"_s), u"T O T A L"_s);
    for (const QString &label : {u"ITContabil0"_s, u"ITBaseCalculo0"_s, u"IOutrasIsentas0"_s, u"ITSubstituicao0"_s})
        QCOMPARE(zeros.text(label), u"0,00"_s);
    const PlacedBand &zeros4 = only(d.sheets[2], u"totais"_s);
    for (const QString &label : {u"ITContabil0"_s, u"ITBaseCalculo0"_s, u"ITOutras0"_s, u"SubTrib0"_s,
                                 u"ITPetroleo0"_s, u"ITOutrosProdutos0"_s})
        QCOMPARE(zeros4.text(label), u"0,00"_s);
    QCOMPARE(only(d.sheets[2], u"cabecalho"_s).text(u"item 4.7"_s), u"4.7"_s);
    QVERIFY(describe(d).contains(u"text [ITPetroleo0] "_s));

    // With rows of the CFOP page only, item 03 still prints blank and the CFOP page follows it.
    f.cfop(1949, u"A"_s, 5);
    d = imprimeDeclaracao(f.db(), kKey);
    QCOMPARE(reportsOf(d), (QStringList{u"TfprintZEF"_s, u"TfprintEntradasDomVazia"_s, u"TfprintEntradasOPCFOPDom"_s,
                                        u"TfprintEntradasDomVazia4"_s}));
    const PlacedBand &line = only(d.sheets[2], u"detalhe"_s);
    QCOMPARE(line.text(u"CFOP"_s), u"1949"_s);
    QCOMPARE(line.text(u"Outras"_s), u"5,00"_s);
    QVERIFY(d.sheets[2].bandsNamed(u"rodape"_s).empty());
    QCOMPARE(d.sheets[2].bands.back().name, u"fecho"_s);
}

void TestPrintPages::continuationSheetsCarryNoHeadings()
{
    PrintFixture f;
    f.addPrintable();
    const QStringList states = {u"AC"_s, u"AL"_s, u"AP"_s, u"AM"_s, u"BA"_s, u"CE"_s, u"DF"_s, u"ES"_s, u"GO"_s,
                                u"MA"_s, u"MT"_s, u"MS"_s, u"MG"_s, u"PA"_s, u"PB"_s, u"PR"_s, u"PE"_s, u"PI"_s,
                                u"RJ"_s, u"RN"_s, u"RS"_s, u"RO"_s, u"RR"_s, u"SC"_s, u"SP"_s, u"SE"_s, u"TO"_s};
    for (const QString &uf : states)
        for (const QString &letter : {u"A"_s, u"B"_s, u"C"_s})
            f.entrada(uf, letter, 1);
    const Document d = imprimeDeclaracao(f.db(), kKey);
    QStringList reports = reportsOf(d);
    QCOMPARE(reports.count(u"TfprintentradasUFDom"_s), 2);
    const Sheet &first = d.sheets[reports.indexOf(u"TfprintentradasUFDom"_s)];
    const Sheet &next = d.sheets[reports.lastIndexOf(u"TfprintentradasUFDom"_s)];
    QCOMPARE(first.bands.front().name, u"cabecalho"_s);
    QCOMPARE(next.bands.front().name, u"detalhe"_s);
    QVERIFY(next.bandsNamed(u"cabecalho"_s).empty());
    QCOMPARE(first.bandsNamed(u"detalhe"_s).size() + next.bandsNamed(u"detalhe"_s).size(), std::size_t(81));
    QCOMPARE(only(next, u"rodape"_s).text(u"ITContabil2"_s), u"27,00"_s);
    // Nothing below the bottom margin.
    for (const PlacedBand &b : first.bands)
        QVERIFY(b.top + b.height <= kSheetHeight - kMargin + 0.05);
}

void TestPrintPages::cover_data()
{
    QTest::addColumn<QVariantMap>("header");           // overrides of Zef.DB
    QTest::addColumn<QStringList>("domiciles");        // letters of ZefMunAnterior rows
    QTest::addColumn<QString>("report");
    QTest::addColumn<QVariantMap>("texts");            // element name -> text; null: does not print

    const QVariant absent;
    const QString period = u"01/01/2025 A 31/12/2025"_s;
    const QString blank = u"___/___/____ A ___/___/____"_s;
    QTest::newRow("S, A e B") << QVariantMap{{u"StatusDRF"_s, u"S"_s}} << QStringList{u"A"_s, u"B"_s}
                              << u"TfprintZEFDom"_s
                              << QVariantMap{{u"lMunA"_s, u"ÁGUA BOA DO NORTE"_s}, {u"lPeriodoA"_s, period},
                                             {u"lMunB"_s, u"ÁGUA BOA DO NORTE"_s}, {u"lPeriodoB"_s, period},
                                             {u"lMunC"_s, absent}, {u"lMunE"_s, absent},
                                             {u"xStatusDRFS"_s, u"X"_s}, {u"xStatusDRFN"_s, u""_s}};
    QTest::newRow("S, só A") << QVariantMap{{u"StatusDRF"_s, u"S"_s}} << QStringList{u"A"_s} << u"TfprintZEFDom"_s
                             << QVariantMap{{u"lMunA"_s, u"ÁGUA BOA DO NORTE"_s}, {u"lMunB"_s, u""_s},
                                            {u"lPeriodoB"_s, blank}, {u"lMunC"_s, absent}};
    QTest::newRow("S, A, B e D") << QVariantMap{{u"StatusDRF"_s, u"S"_s}} << QStringList{u"A"_s, u"B"_s, u"D"_s}
                                 << u"TfprintZEFDom"_s
                                 << QVariantMap{{u"lMunC"_s, absent}, {u"lPeriodoD"_s, period}};
    QTest::newRow("StatusDRF vazio") << QVariantMap{{u"StatusDRF"_s, u""_s}} << QStringList{u"A"_s, u"B"_s}
                                     << u"TfprintZEFDom"_s
                                     << QVariantMap{{u"lMunA"_s, u"ÁGUA BOA DO NORTE"_s}, {u"lMunB"_s, absent},
                                                    {u"lPeriodoB"_s, absent}, {u"lMunC"_s, absent},
                                                    {u"xStatusDRFS"_s, u""_s}, {u"xStatusDRFN"_s, u""_s}};
    QTest::newRow("N") << QVariantMap{} << QStringList{u"A"_s, u"B"_s} << u"TfprintZEF"_s
                       << QVariantMap{{u"lPeriodoA"_s, period}, {u"lMunB"_s, absent}, {u"xStatusDRFN"_s, u"X"_s},
                                      {u"xRegimeApuracao3"_s, u"X"_s}, {u"xTipoEscrita1"_s, u"X"_s},
                                      {u"xTipoEstabelecimento1"_s, u"X"_s}, {u"xFinalidade1"_s, u"X"_s},
                                      {u"xRetificacaoN"_s, u"X"_s}, {u"xRetificacaoS"_s, u""_s},
                                      {u"lPeriodoRef"_s, period}, {u"AnoBase"_s, u"2025"_s},
                                      {u"CGCEmpresa"_s, u"12.345.678-9"_s}, {u"CodigoMunicipio"_s, u"170025-1"_s},
                                      {u"CodigoAtividade"_s, u"0111-3/02"_s}, {u"CEP"_s, u"77.500-000"_s},
                                      {u"lCNPJCPF"_s, u"12.345.678/0001-95"_s}, {u"vlrCaixaI"_s, u"1.500,25"_s},
                                      {u"vlrPatrimLiq"_s, u"350.000,00"_s}};
    QTest::newRow("Finalidade 3") << QVariantMap{{u"Finalidade"_s, u"3"_s}, {u"RegimeApuracao"_s, u"4"_s}}
                                  << QStringList{u"A"_s} << u"TfprintZEF"_s
                                  << QVariantMap{{u"xFinalidade1"_s, u""_s}, {u"xFinalidade2"_s, u""_s},
                                                 {u"xFinalidade4"_s, u""_s}, {u"xRegimeApuracao4"_s, u"X"_s},
                                                 {u"xRegimeApuracao3"_s, u""_s}};
    QTest::newRow("períodos vazios") << QVariantMap{{u"PeriodoRefInicio"_s, u""_s}, {u"PeriodoRefFinal"_s, u""_s}}
                                     << QStringList{} << u"TfprintZEF"_s
                                     << QVariantMap{{u"lPeriodoRef"_s, u" A "_s}, {u"lMunA"_s, u""_s},
                                                    {u"lPeriodoA"_s, blank}};
}

void TestPrintPages::cover()
{
    QFETCH(QVariantMap, header);
    QFETCH(QStringList, domiciles);
    QFETCH(QString, report);
    QFETCH(QVariantMap, texts);

    PrintFixture f;
    f.addPrintable(header);
    for (const QString &letter : domiciles)
        f.addDomicilio(QString::fromUtf16(kIE), letter);
    const Document d = imprimeDeclaracao(f.db(), kKey);
    QCOMPARE(d.sheets.front().report, report);
    const PlacedBand &form = only(d.sheets.front(), u"detalhe"_s);
    const PlacedBand &letterhead = only(d.sheets.front(), u"cabecalho"_s);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const DrawOp *op = form.op(it.key()) ? form.op(it.key()) : letterhead.op(it.key());
        QVERIFY2((op != nullptr) == !it.value().isNull(), qPrintable(it.key()));
        if (op)
            QCOMPARE(op->text, it.value().toString());
    }
}

void TestPrintPages::cnpjCpfMasks_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("printed");
    QTest::newRow("CNPJ") << u"12345678000195"_s << u"12.345.678/0001-95"_s;
    QTest::newRow("CPF") << u"11122233396"_s << u"111.222.333-96"_s;
    QTest::newRow("CNPJ curto") << u"123456789012"_s << u"12.345.678/9012-__"_s;
    QTest::newRow("CPF curto") << u"123"_s << u"123.___.___-__"_s;
}

void TestPrintPages::cnpjCpfMasks()
{
    QFETCH(QString, digits);
    QFETCH(QString, printed);
    QCOMPARE(formataCnpjCpf(digits), printed);
}

void TestPrintPages::missingDeclaration()
{
    PrintFixture f;
    f.addPrintable();
    try {
        imprimeDeclaracao(f.db(), {u"202"_s, QString::fromUtf16(kIE)});
        QFAIL("printed a declaration that does not exist");
    } catch (const PrintError &e) {
        QCOMPARE(e.message(), u"Não foi encontrada esta empresa no referido ano base"_s);
    }
}

void TestPrintPages::coverWithoutJoinedRowIsLeftOut()
{
    PrintFixture f;
    f.addPrintable();
    f.execute(u"UPDATE Empresa SET CodigoAtividade = '9999999'"_s);
    f.compra(kTypes.at(0), u"A"_s, 1);
    const Document d = imprimeDeclaracao(f.db(), kKey);
    QCOMPARE(reportsOf(d), (QStringList{u"TfprintEntradasOPDom"_s, u"TfprintEntradasDomVazia4"_s}));
}

int main(int argc, char *argv[])
{
    // The laid-out list does not depend on fonts, but the emblem is drawn with one.
    QGuiApplication app(argc, argv);
    TestPrintPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print_pages.moc"
