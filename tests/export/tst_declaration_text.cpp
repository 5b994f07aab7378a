#include "declaration_fixture.h"
#include "tests/support/golden.h"

#include "data/windows_1252.h"
#include "export/declaration_text.h"
#include "export/export_error.h"

#include <QFile>

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

using FieldList = QList<std::pair<int, QString>>;
Q_DECLARE_METATYPE(FieldList)

namespace {

QString key(const QString &ie = QString::fromUtf16(kIE))
{
    return ie;
}

// The text of the declarations, in order, as one file carries them.
QString textOf(Database &db, const QStringList &keys, const QString &year = QString::fromUtf16(kYear))
{
    DeclarationReader reader(db);
    QString text;
    int counter = 0;
    for (const QString &k : keys)
        appendDeclarationText(text, reader.read({year, k}), counter);
    return text;
}

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(u"\r\n"_s);
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString lineOf(const QStringList &lines, QChar letter)
{
    for (const QString &l : lines)
        if (l.startsWith(letter))
            return l;
    return QString();
}

// One row in every table of the declaration, with values that tell the fields apart.
void addCompleteDeclaration(DeclarationFixture &f)
{
    f.addEmpresa(QString::fromUtf16(kIE), u"COMERCIAL ALFA LTDA"_s);
    f.addDeclaracao();
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"TipoRegime"_s, u"A"_s}, {u"CodMunicipio"_s, u"1700251"_s},
                              {u"VlrContabilEntrada"_s, 1000.0}, {u"BaseCalculoEntrada"_s, 600.0},
                              {u"OutrasEntradas"_s, 300.0}, {u"PetroleoEnergia"_s, 12.34},
                              {u"OutrosProdutosEntrada"_s, 5.5}, {u"SubsTributaria"_s, 100.0}});
    f.addLinha(u"Saidas"_s, {{u"UF"_s, u"RJ"_s}, {u"TipoRegime"_s, u"A"_s}, {u"Codmunicipio"_s, u"1700251"_s},
                             {u"VlrContSaidaContrib"_s, 700.0}, {u"VlrContSaidaNContrib"_s, 300.0},
                             {u"BaseCalcSaidaContrib"_s, 500.0}, {u"BaseCalcSaidaNContrib"_s, 200.0},
                             {u"OutrasSaidas"_s, 250.0}, {u"ICMSSubTribSaidas"_s, 7.77}, {u"SubsTributaria"_s, 50.0}});
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}, {u"TipoRegime"_s, u"A"_s},
                              {u"CodMunicipio"_s, u"1700251"_s}, {u"VlrContabil"_s, 1000.0},
                              {u"BaseCalculo"_s, 600.0}, {u"Outras"_s, 300.0}, {u"SubTributaria"_s, 100.0}});
    f.addLinha(u"Vendas"_s, {{u"TipoVendas"_s, u"01 - VENDAS"_s}, {u"Tiporegime"_s, u"A"_s},
                             {u"CodMunicipio"_s, u"1700251"_s}, {u"VlrContabeis"_s, 1000.0},
                             {u"BaseCalculo"_s, 700.0}, {u"Outras"_s, 250.0}, {u"SubTributaria"_s, 50.0}});
    f.insert(u"Estoque"_s, {{u"AnoBase"_s, u"2025"_s}, {u"CGCEmpresa"_s, QString::fromUtf16(kIE)},
                            {u"EstoqueInicialTribut"_s, 100.0}, {u"EstoqueInicialIsento"_s, 200.0},
                            {u"EstInicialSubTrib"_s, 300.0}, {u"EstoqueFinalTributado"_s, 400.0},
                            {u"EstoqueFinalIsento"_s, 500.0}, {u"EstFinalSubTrib"_s, 600.0},
                            {u"TotalEstoqueInicial"_s, 600.0}, {u"TotalEstoqueFinal"_s, 1500.0}});
    f.addLinha(u"ProdutosDiferidos"_s, {{u"IEOrigem"_s, u"987654321"_s}, {u"TipoRegime"_s, u"A"_s},
                                        {u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, u"1700251"_s}});
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u"1700954"_s}, {u"TipoRegime"_s, u"A"_s},
                                {u"CodMunicipio"_s, u"1700251"_s}, {u"VlrContabil"_s, 1000.0},
                                {u"Devolucoes"_s, 1000.0}});
    f.addLinha(u"ProdutosDiferidosNotas"_s, {{u"IEOrigem"_s, u"987654321"_s}, {u"NumNotaFiscal"_s, 4711},
                                             {u"VlrDiferido"_s, 250.5}, {u"CodMunicipio"_s, u"1700251"_s}});
    f.addLinha(u"CFOPOperacoes"_s, {{u"TipoEntSai"_s, u"S"_s}, {u"CFOP"_s, 5949}, {u"CodMunicipio"_s, u"1700251"_s},
                                    {u"VlrContabil"_s, 80.0}, {u"BaseCalculo"_s, 50.0}, {u"Outras"_s, 20.0},
                                    {u"SubTributaria"_s, 10.0}});
}

} // namespace

class TestDeclarationText : public QObject
{
    Q_OBJECT

private slots:
    void completeDeclarationMatchesExpectedFile();
    void fieldPositions_data();
    void fieldPositions();
    void headerOnlyGivesAAndZ();
    void counterRunsOverTheFile();
    void counterPastNineHundredNinetyNine();
    void headerEdgeCases_data();
    void headerEdgeCases();
    void negativeSectionAmountLosesItsSign();
    void emptyDomicileShortensTheLine();
    void cfopIsZeroFilled();
    void rowsWithoutTheirTypeAreLeftOut();
    void domicilesComeInLetterOrder();
    void invoiceMatchingTwoSuppliersIsWrittenTwice();
    void otherYearsAndTaxpayersStayOut();
    void typeTextThatIsNotANumberStops();
};

void TestDeclarationText::completeDeclarationMatchesExpectedFile()
{
    DeclarationFixture f;
    addCompleteDeclaration(f);
    ZEF_COMPARE_GOLDEN(toWindows1252(textOf(f.db(), {key()})),
                       QStringLiteral(ZEF_EXPORT_TEST_DATA "/declaracao_completa.txt"));
}

void TestDeclarationText::fieldPositions_data()
{
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<int>("length");
    QTest::addColumn<FieldList>("fields");   // position counted from 1, text expected there

    const QString ie = u"     123456789"_s;
    QTest::newRow("A") << QChar(u'A') << 196
                       << FieldList{{1, u"A2025"_s}, {6, ie}, {20, u"1700251"_s}, {27, u"11"_s},
                                    {29, u"0101202531122025"_s}, {45, u"1"_s}, {46, u"0111302"_s},
                                    {53, u"00000000150025"_s}, {67, u"00000000200000"_s}, {81, u"00000035000000"_s},
                                    {95, u"1036"_s}, {99, u"11122233396"_s},
                                    {110, QString(66, u' ') + u"MARIA DA SILVA"_s}, {190, u"S3nh"_s},
                                    {194, u"N3N"_s}};
    QTest::newRow("B") << QChar(u'B') << 43
                       << FieldList{{1, u"B2025"_s}, {6, ie}, {20, u"01012025"_s}, {28, u"31122025"_s},
                                    {36, u"1700251"_s}, {43, u"A"_s}};
    QTest::newRow("C") << QChar(u'C') << 106
                       << FieldList{{1, u"C2025"_s}, {6, ie}, {20, u"SP"_s}, {22, u"00000000100000"_s},
                                    {36, u"00000000060000"_s}, {50, u"00000000030000"_s}, {64, u"00000000001234"_s},
                                    {78, u"00000000000550"_s}, {92, u"00000000010000"_s}, {106, u"A"_s}};
    QTest::newRow("D") << QChar(u'D') << 120
                       << FieldList{{1, u"D2025"_s}, {6, ie}, {20, u"RJ"_s}, {22, u"00000000070000"_s},
                                    {36, u"00000000030000"_s}, {50, u"00000000050000"_s}, {64, u"00000000020000"_s},
                                    {78, u"00000000025000"_s}, {92, u"00000000000777"_s}, {106, u"00000000005000"_s},
                                    {120, u"A"_s}};
    QTest::newRow("E") << QChar(u'E') << 78
                       << FieldList{{1, u"E2025"_s}, {6, ie}, {20, u"01"_s}, {22, u"00000000100000"_s},
                                    {36, u"00000000060000"_s}, {50, u"00000000030000"_s}, {64, u"00000000010000"_s},
                                    {78, u"A"_s}};
    QTest::newRow("F") << QChar(u'F') << 78
                       << FieldList{{1, u"F2025"_s}, {6, ie}, {20, u"01"_s}, {22, u"00000000100000"_s},
                                    {36, u"00000000070000"_s}, {50, u"00000000025000"_s}, {64, u"00000000005000"_s},
                                    {78, u"A"_s}};
    QTest::newRow("G") << QChar(u'G') << 131
                       << FieldList{{1, u"G2025"_s}, {6, ie}, {20, u"00000000010000"_s}, {34, u"00000000020000"_s},
                                    {48, u"00000000030000"_s}, {62, u"00000000040000"_s}, {76, u"00000000050000"_s},
                                    {90, u"00000000060000"_s}, {104, u"00000000060000"_s}, {118, u"00000000150000"_s}};
    QTest::newRow("H") << QChar(u'H') << 69
                       << FieldList{{1, u"H2025"_s}, {6, ie}, {20, u"987654321"_s},
                                    {29, QString(33, u' ') + u"1700954"_s}, {69, u"A"_s}};
    QTest::newRow("I") << QChar(u'I') << 55
                       << FieldList{{1, u"I2025"_s}, {6, ie}, {20, u"1700954"_s}, {27, u"00000000100000"_s},
                                    {41, u"00000000100000"_s}, {55, u"A"_s}};
    QTest::newRow("J") << QChar(u'J') << 53
                       << FieldList{{1, u"J2025"_s}, {6, ie}, {20, u"987654321"_s}, {29, u"0000004711"_s},
                                    {39, u"00000000025050"_s}, {53, u"A"_s}};
    QTest::newRow("L") << QChar(u'L') << 81
                       << FieldList{{1, u"L2025"_s}, {6, ie}, {20, u"S"_s}, {21, u"5949"_s},
                                    {25, u"00000000008000"_s}, {39, u"00000000005000"_s}, {53, u"00000000002000"_s},
                                    {67, u"00000000001000"_s}, {81, u"A"_s}};
    QTest::newRow("Z") << QChar(u'Z') << 22 << FieldList{{1, u"Z2025"_s}, {6, ie}, {20, u"011"_s}};
}

void TestDeclarationText::fieldPositions()
{
    QFETCH(QChar, letter);
    QFETCH(int, length);
    QFETCH(FieldList, fields);
    DeclarationFixture f;
    addCompleteDeclaration(f);
    const QString line = lineOf(linesOf(textOf(f.db(), {key()})), letter);
    QCOMPARE(line.size(), length);
    for (const auto &[position, expected] : fields)
        QVERIFY2(line.mid(position - 1, expected.size()) == expected,
                 qPrintable(u"at %1: \"%2\", expected \"%3\""_s.arg(position)
                                .arg(line.mid(position - 1, expected.size()), expected)));
}

void TestDeclarationText::headerOnlyGivesAAndZ()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {}, QString::fromUtf16(kYear), false);
    const QStringList lines = linesOf(textOf(f.db(), {key()}));
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).startsWith(u"A2025"_s));
    QCOMPARE(lines.at(1), u"Z2025     123456789001"_s);
}

void TestDeclarationText::counterRunsOverTheFile()
{
    DeclarationFixture f;
    f.addEmpresa(u"111111111"_s, u"PRIMEIRA"_s);
    f.addEmpresa(u"222222222"_s, u"SEGUNDA"_s);
    // 5 lines "A" to "L": A, B and three E.
    f.addDeclaracao(u"111111111"_s);
    for (const QString &type : {u"01 - COMPRAS"_s, u"02 - TRANSFERÊNCIAS"_s, u"04 - TRANSPORTES"_s})
        f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, type}, {u"VlrContabil"_s, 1.0}}, u"111111111"_s);
    // 7: A, B, C, D and three I.
    f.addDeclaracao(u"222222222"_s);
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}}, u"222222222"_s);
    f.addLinha(u"Saidas"_s, {{u"UF"_s, u"SP"_s}}, u"222222222"_s);
    for (const QString &m : {u"1700251"_s, u"1700954"_s, u"1701655"_s})
        f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, m}, {u"CodMunicipio"_s, u"1700251"_s}}, u"222222222"_s);

    const QStringList lines = linesOf(textOf(f.db(), {key(u"111111111"_s), key(u"222222222"_s)}));
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.at(5), u"Z2025     111111111005"_s);
    QCOMPARE(lines.at(13), u"Z2025     222222222012"_s);
}

void TestDeclarationText::counterPastNineHundredNinetyNine()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {}, QString::fromUtf16(kYear), false);
    f.db().startTransaction();
    for (int i = 0; i < 999; ++i)
        f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS %1"_s.arg(i, 3, 10, QLatin1Char('0'))}});
    f.db().commit();
    const QStringList lines = linesOf(textOf(f.db(), {key()}));
    QCOMPARE(lines.size(), 1001);
    QCOMPARE(lines.constLast(), u"Z2025     1234567891000"_s);
    QCOMPARE(lines.constLast().size(), 23);
}

void TestDeclarationText::headerEdgeCases_data()
{
    QTest::addColumn<QVariantMap>("zef");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("length");
    QTest::newRow("negative cash keeps its sign")
        << QVariantMap{{u"VlrCaixaI"_s, -1234.5}} << 53 << u"-0000000123450"_s << 196;
    QTest::newRow("negative net worth") << QVariantMap{{u"VlrPatrimLiq"_s, -0.5}} << 81 << u"-0000000000050"_s << 196;
    QTest::newRow("empty purpose is a space") << QVariantMap{{u"Finalidade"_s, QString()}} << 44 << u"5 0"_s << 196;
    QTest::newRow("empty start of period") << QVariantMap{{u"PeriodoRefInicio"_s, QVariant()}} << 29
                                           << u"3012189931122025"_s << 196;
    QTest::newRow("four letters of responsible")
        << QVariantMap{{u"Responsavel"_s, u"JOSE"_s}} << 110 << QString(76, u' ') + u"JOSE"_s << 196;
    QTest::newRow("empty activity is one space")
        << QVariantMap{{u"CodigoAtividade"_s, QString()}} << 45 << u"1 0000"_s << 190;
    QTest::newRow("empty accountant is 11 spaces")
        << QVariantMap{{u"CPFContador"_s, QString()}} << 95 << u"1036"_s + QString(11, u' ') << 196;
}

void TestDeclarationText::headerEdgeCases()
{
    QFETCH(QVariantMap, zef);
    QFETCH(int, position);
    QFETCH(QString, expected);
    QFETCH(int, length);
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), zef);
    const QString a = linesOf(textOf(f.db(), {key()})).at(0);
    QCOMPARE(a.size(), length);
    QCOMPARE(a.mid(position - 1, expected.size()), expected);
}

void TestDeclarationText::negativeSectionAmountLosesItsSign()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"OutrasEntradas"_s, -1234.5}});
    const QString c = lineOf(linesOf(textOf(f.db(), {key()})), u'C');
    QCOMPARE(c.mid(49, 14), u"00000000123450"_s);
}

void TestDeclarationText::emptyDomicileShortensTheLine()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, u"SP"_s}, {u"TipoDomicilio"_s, QString()}});
    const QString c = lineOf(linesOf(textOf(f.db(), {key()})), u'C');
    QCOMPARE(c.size(), 105);
    QVERIFY(c.endsWith(u"00000000000000"_s));
}

void TestDeclarationText::cfopIsZeroFilled()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"CFOPOperacoes"_s, {{u"TipoEntSai"_s, u"E"_s}, {u"CFOP"_s, 102}});
    const QString l = lineOf(linesOf(textOf(f.db(), {key()})), u'L');
    QCOMPARE(l.mid(19, 5), u"E0102"_s);
}

void TestDeclarationText::rowsWithoutTheirTypeAreLeftOut()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {}, QString::fromUtf16(kYear), false);
    f.addLinha(u"Entrada"_s, {{u"UFEntrada"_s, QString()}, {u"VlrContabilEntrada"_s, 5.0}});
    f.addLinha(u"Saidas"_s, {{u"UF"_s, QString()}});
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, QString()}});
    f.addLinha(u"Vendas"_s, {{u"TipoVendas"_s, QString()}});
    f.addLinha(u"SaidasMun"_s, {{u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, QString()}});
    f.addLinha(u"CFOPOperacoes"_s, {{u"TipoEntSai"_s, QString()}, {u"CFOP"_s, 1949}});
    const QStringList lines = linesOf(textOf(f.db(), {key()}));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(1), u"Z2025     123456789001"_s);
}

void TestDeclarationText::domicilesComeInLetterOrder()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao(QString::fromUtf16(kIE), {{u"StatusDRF"_s, u"S"_s}}, QString::fromUtf16(kYear), false);
    f.addDomicilio(QString::fromUtf16(kIE), u"C"_s);
    f.addDomicilio(QString::fromUtf16(kIE), u"A"_s);
    f.addDomicilio(QString::fromUtf16(kIE), u"B"_s);
    const QStringList lines = linesOf(textOf(f.db(), {key()}));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(1).right(1), u"A"_s);
    QCOMPARE(lines.at(2).right(1), u"B"_s);
    QCOMPARE(lines.at(3).right(1), u"C"_s);
}

void TestDeclarationText::invoiceMatchingTwoSuppliersIsWrittenTwice()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    // One supplier under both regimes: both lines match the invoice.
    for (const QString &regime : {u"A"_s, u"B"_s})
        f.addLinha(u"ProdutosDiferidos"_s, {{u"IEOrigem"_s, u"987654321"_s}, {u"TipoRegime"_s, regime},
                                            {u"MunicipioID"_s, u"1700954"_s}, {u"CodMunicipio"_s, u"1700251"_s}});
    // The invoice's own domicile letter is the one written.
    f.addLinha(u"ProdutosDiferidosNotas"_s, {{u"IEOrigem"_s, u"987654321"_s}, {u"TipoDomicilio"_s, u"B"_s},
                                             {u"NumNotaFiscal"_s, 12}, {u"VlrDiferido"_s, 3.0},
                                             {u"CodMunicipio"_s, u"1700251"_s}});
    // No supplier line of this municipality: not written.
    f.addLinha(u"ProdutosDiferidosNotas"_s, {{u"IEOrigem"_s, u"987654321"_s}, {u"NumNotaFiscal"_s, 13},
                                             {u"CodMunicipio"_s, u"1700954"_s}});
    QStringList j;
    for (const QString &l : linesOf(textOf(f.db(), {key()})))
        if (l.startsWith(u'J'))
            j.append(l);
    QCOMPARE(j.size(), 2);
    QCOMPARE(j.at(0), u"J2025     1234567899876543210000000012" "00000000000300B"_s);
    QCOMPARE(j.at(1), j.at(0));
}

void TestDeclarationText::otherYearsAndTaxpayersStayOut()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addEmpresa(u"222222222"_s, u"BETA"_s);
    f.addDeclaracao();
    f.addDeclaracao(QString::fromUtf16(kIE), {}, u"2024"_s);
    f.addDeclaracao(u"222222222"_s);
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}}, QString::fromUtf16(kIE), u"2024"_s);
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"01 - COMPRAS"_s}}, u"222222222"_s);
    const QStringList lines = linesOf(textOf(f.db(), {key()}, u"2024"_s));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines.at(0).startsWith(u"A2024     123456789"_s));
    QVERIFY(lines.at(2).startsWith(u"E2024     12345678901"_s));
    QCOMPARE(lines.at(3), u"Z2024     123456789003"_s);
}

void TestDeclarationText::typeTextThatIsNotANumberStops()
{
    DeclarationFixture f;
    f.addEmpresa(QString::fromUtf16(kIE), u"ALFA"_s);
    f.addDeclaracao();
    f.addLinha(u"Compras"_s, {{u"TipoEntradas"_s, u"XX - COMPRAS"_s}});
    try {
        textOf(f.db(), {key()});
        QFAIL("the text was built");
    } catch (const ExportError &e) {
        QVERIFY2(e.message().contains(u"12.345.678-9"_s), qPrintable(e.message()));
        QVERIFY2(e.message().contains(u"\"E\""_s), qPrintable(e.message()));
        QVERIFY2(e.message().contains(u"XX - COMPRAS"_s), qPrintable(e.message()));
    }
}

QTEST_APPLESS_MAIN(TestDeclarationText)
#include "tst_declaration_text.moc"
