#include "data_module_fixture.h"

#include "data/sections/section_description.h"
#include "data/sections/section_lines.h"

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

const DeclarationKey kKey{kYear, kTaxpayer};
const QString kCompras = u"01 - COMPRAS"_s;
const QString kDiferencial = QString::fromUtf8(kTipoDiferencialAliquota);

} // namespace

class TstSectionLines : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void linesFollowTheDomiciles_data();
    void linesFollowTheDomiciles();
    void choosingTwiceCreatesNoDuplicates();
    void deletingType07ClearsSection04OnlyWhenNoneRemain_data();
    void deletingType07ClearsSection04OnlyWhenNoneRemain();
    void failedDeleteLeavesTheDatabase();
    void totalsOfLineASumEveryType();
    void cfopListByYear_data();
    void cfopListByYear();
    void cfopTotalsAddUpTheCodesOfALetter();
    void deletingACodeRemovesEveryDomicile();
    void refusedSaveLeavesTheDatabase();
    void closeCheckAsksForTheMissingRegime();
    void cfopTotalsGoIntoTheType11Lines();

private:
    int count(const QString &sql) { return f->value(sql).toInt(); }
    void threeDomiciles();
    std::unique_ptr<DataModuleFixture> f;
};

void TstSectionLines::init()
{
    f = std::make_unique<DataModuleFixture>();
}

void TstSectionLines::cleanup()
{
    f.reset();
}

void TstSectionLines::threeDomiciles()
{
    f->addDeclaration(kYear, kTaxpayer, u"S"_s);
    f->addDomicile(u"A"_s, kVardelopolis, d(1, 7, 2025), d(31, 12, 2025));
    f->addDomicile(u"B"_s, kAldeia, d(1, 3, 2025), d(30, 6, 2025));
    f->addDomicile(u"C"_s, kBarraDOuro, d(1, 1, 2025), d(28, 2, 2025));
}

void TstSectionLines::linesFollowTheDomiciles_data()
{
    QTest::addColumn<bool>("moved");
    QTest::addColumn<QStringList>("lines");   // letter:municipality, by municipality name
    QTest::newRow("no move: the declaration's municipality") << false << QStringList{u"A:"_s + kVardelopolis};
    QTest::newRow("three domiciles")
        << true << QStringList{u"B:"_s + kAldeia, u"C:"_s + kBarraDOuro, u"A:"_s + kVardelopolis};
}

void TstSectionLines::linesFollowTheDomiciles()
{
    QFETCH(bool, moved);
    QFETCH(QStringList, lines);
    if (moved)
        threeDomiciles();
    else
        f->addDeclaration();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    QCOMPARE(compras.GeraLinhas(kKey, kCompras, !moved), int(lines.size()));

    Query q(f->db(), u"select TipoDomicilio, CodMunicipio, TipoRegime, VlrContabil + BaseCalculo + Outras + "
                     u"SubTributaria as Soma from Compras where TipoEntradas = :t order by TipoDomicilio"_s);
    q.setParam(u"t"_s, kCompras);
    q.open();
    QStringList stored;
    for (q.first(); !q.eof(); q.next()) {
        stored.append(q.field(0)->asString() + u':' + q.field(1)->asString());
        QCOMPARE(q.field(2)->asString(), u"A"_s);
        QCOMPARE(q.field(3)->asFloat(), 0.0);
    }
    QStringList expected = lines;
    expected.sort();
    QCOMPARE(stored, expected);
}

void TstSectionLines::choosingTwiceCreatesNoDuplicates()
{
    threeDomiciles();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    QCOMPARE(compras.GeraLinhas(kKey, kCompras, false), 3);
    QCOMPARE(compras.GeraLinhas(kKey, kCompras, false), 0);
    QVERIFY(compras.ExisteLinha(kKey, kCompras, u"C"_s));
    QVERIFY(!compras.ExisteLinha(kKey, kCompras, u"D"_s));
    // A new domicile gets its line; the others are left alone.
    f->addDomicile(u"D"_s, kOlhoDAgua, d(1, 1, 2024), d(31, 12, 2024));
    QCOMPARE(compras.GeraLinhas(kKey, kCompras, false), 1);
    QCOMPARE(count(u"select count(*) from Compras"_s), 4);
}

void TstSectionLines::deletingType07ClearsSection04OnlyWhenNoneRemain_data()
{
    QTest::addColumn<QStringList>("typesBefore");
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<double>("outrasEntradas");
    QTest::newRow("last type 07") << QStringList{kDiferencial, kCompras} << kDiferencial << 0.0;
    QTest::newRow("another type, 07 remains") << QStringList{kDiferencial, kCompras} << kCompras << 5.0;
}

void TstSectionLines::deletingType07ClearsSection04OnlyWhenNoneRemain()
{
    QFETCH(QStringList, typesBefore);
    QFETCH(QString, deleted);
    QFETCH(double, outrasEntradas);
    threeDomiciles();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    for (const QString &t : typesBefore)
        compras.GeraLinhas(kKey, t, false);
    for (const char *uf : {"SP", "GO"})
        f->insertRow(u"Entrada"_s, {{u"AnoBase"_s, kYear}, {u"CGCEmpresa"_s, kTaxpayer},
                                    {u"UFEntrada"_s, QString::fromLatin1(uf)}, {u"TipoRegime"_s, u"A"_s},
                                    {u"TipoDomicilio"_s, u"A"_s}, {u"CodMunicipio"_s, kVardelopolis},
                                    {u"OutrasEntradas"_s, 5.0}});
    compras.exclui(kKey, deleted);
    QCOMPARE(count(u"select count(*) from Compras where TipoEntradas = '%1'"_s.arg(deleted)), 0);
    QCOMPARE(count(u"select count(*) from Compras"_s), 3);
    QCOMPARE(f->value(u"select max(OutrasEntradas) from Entrada"_s).toDouble(), outrasEntradas);
    QCOMPARE(f->value(u"select min(OutrasEntradas) from Entrada"_s).toDouble(), outrasEntradas);
}

void TstSectionLines::failedDeleteLeavesTheDatabase()
{
    threeDomiciles();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    compras.GeraLinhas(kKey, kDiferencial, false);
    // Section 04's clearing fails: the deletion of the lines goes back too.
    f->exec(u"create trigger falha before update on Entrada begin select raise(abort, 'falha'); end"_s);
    f->insertRow(u"Entrada"_s, {{u"AnoBase"_s, kYear}, {u"CGCEmpresa"_s, kTaxpayer}, {u"UFEntrada"_s, u"SP"_s},
                                {u"TipoRegime"_s, u"A"_s}, {u"TipoDomicilio"_s, u"A"_s},
                                {u"CodMunicipio"_s, kVardelopolis}, {u"OutrasEntradas"_s, 5.0}});
    QVERIFY_THROWS_EXCEPTION(EngineError, compras.exclui(kKey, kDiferencial));
    QCOMPARE(count(u"select count(*) from Compras"_s), 3);
    QCOMPARE(f->value(u"select OutrasEntradas from Entrada"_s).toDouble(), 5.0);
}

void TstSectionLines::totalsOfLineASumEveryType()
{
    threeDomiciles();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    compras.GeraLinhas(kKey, kCompras, false);
    compras.GeraLinhas(kKey, kDiferencial, false);
    f->exec(u"update Compras set VlrContabil = 100, BaseCalculo = 60, Outras = 40 where TipoDomicilio = 'A'"_s);
    f->exec(u"update Compras set VlrContabil = 7.5, SubTributaria = 7.5 where TipoDomicilio = 'B' "
            u"and TipoEntradas = '01 - COMPRAS'"_s);
    const TotaisSecao t = totaisPorDomicilio(f->db(), descricaoCompras(), kKey);
    QCOMPARE(t[0].letra, u"A"_s);
    QCOMPARE(t[0].municipio, u"VARDELÓPOLIS"_s);
    QCOMPARE(t[0].valores, (std::array<double, 4>{200, 120, 80, 0}));
    QCOMPARE(t[1].valores, (std::array<double, 4>{7.5, 0, 0, 7.5}));
    QCOMPARE(t[2].letra, u"C"_s);
    QCOMPARE(t[2].valores, (std::array<double, 4>{}));
    QVERIFY(t[3].letra.isEmpty());
    QVERIFY(t[4].letra.isEmpty());
}

void TstSectionLines::cfopListByYear_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("newCodes");
    QTest::newRow("entries 2018") << u"2018"_s << u"E"_s << false;
    QTest::newRow("entries 2019") << u"2019"_s << u"E"_s << true;
    QTest::newRow("exits 2018") << u"2018"_s << u"S"_s << false;
    QTest::newRow("exits 2025") << u"2025"_s << u"S"_s << true;
}

void TstSectionLines::cfopListByYear()
{
    QFETCH(QString, year);
    QFETCH(QString, direction);
    QFETCH(bool, newCodes);
    const QStringList itens = listaCFOP(f->db(), direction, year);
    QVERIFY(!itens.isEmpty());
    QStringList codes;
    for (const QString &item : itens) {
        QCOMPARE(item.mid(4, 3), u" - "_s);
        codes.append(item.left(4));
        QVERIFY((direction == u"E" ? u"123"_s : u"567"_s).contains(item.at(0)));
    }
    QStringList sorted = codes;
    sorted.sort();
    QCOMPARE(codes, sorted);
    const QStringList novos = direction == u"E" ? QStringList{u"1933"_s, u"1934"_s, u"2933"_s, u"2934"_s}
                                                : QStringList{u"5933"_s, u"6934"_s};
    for (const QString &c : novos)
        QVERIFY2(codes.contains(c) == newCodes, qPrintable(c));
    QVERIFY(listaCFOP(f->db(), u"X"_s, year).isEmpty());
}

void TstSectionLines::cfopTotalsAddUpTheCodesOfALetter()
{
    threeDomiciles();
    SectionLines cfop(f->db(), descricaoCFOP(), u"tblInsOpCFOP"_s);
    cfop.setDirection(u"E"_s);
    QCOMPARE(cfop.GeraLinhas(kKey, u"1101"_s, false), 3);
    QCOMPARE(cfop.GeraLinhas(kKey, u"1102"_s, false), 3);
    QCOMPARE(cfop.GeraLinhas(kKey, u"1102"_s, false), 0);
    f->exec(u"update CFOPOperacoes set VlrContabil = CFOP - 1000, Outras = 1 where TipoDomicilio = 'A'"_s);
    // Exits are another direction's totals.
    cfop.setDirection(u"S"_s);
    cfop.GeraLinhas(kKey, u"5101"_s, false);
    f->exec(u"update CFOPOperacoes set VlrContabil = 999 where CFOP = 5101"_s);

    const TotaisSecao e = totaisPorDomicilio(f->db(), descricaoCFOP(), kKey, u"E"_s);
    QCOMPARE(e[0].letra, u"A"_s);
    QCOMPARE(e[0].valores, (std::array<double, 4>{101 + 102, 0, 2, 0}));
    QCOMPARE(e[1].valores, (std::array<double, 4>{}));
    QCOMPARE(totaisPorDomicilio(f->db(), descricaoCFOP(), kKey, u"S"_s)[0].valores[0], 999.0);
}

void TstSectionLines::deletingACodeRemovesEveryDomicile()
{
    threeDomiciles();
    SectionLines cfop(f->db(), descricaoCFOP(), u"tblInsOpCFOP"_s);
    cfop.setDirection(u"E"_s);
    cfop.GeraLinhas(kKey, u"1101"_s, false);
    cfop.GeraLinhas(kKey, u"1102"_s, false);
    cfop.exclui(kKey, u"1101"_s);
    QCOMPARE(count(u"select count(*) from CFOPOperacoes where CFOP = 1101"_s), 0);
    QCOMPARE(count(u"select count(*) from CFOPOperacoes where CFOP = 1102"_s), 3);
}

void TstSectionLines::refusedSaveLeavesTheDatabase()
{
    f->addDeclaration();
    f->openDeclaration();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    compras.GeraLinhas(kKey, kCompras, true);
    Table &t = f->dm->tbCompras;
    t.open();
    QCOMPARE(t.recordCount(), 1);

    // A negative amount is refused by the stored table.
    t.edit();
    t.fieldByName(u"VlrContabil"_s)->setAsFloat(-1);
    QVERIFY_THROWS_EXCEPTION(std::exception, gravaLinha(t, descricaoCompras(), kKey));
    QVERIFY(t.editing());
    t.cancel();
    QCOMPARE(f->value(u"select VlrContabil from Compras"_s).toDouble(), 0.0);
    QVERIFY(!f->db().inTransaction());

    // A balanced line is stored, stamped with the key.
    t.edit();
    t.fieldByName(u"VlrContabil"_s)->setAsFloat(1500);
    t.fieldByName(u"BaseCalculo"_s)->setAsFloat(1500);
    gravaLinha(t, descricaoCompras(), kKey);
    QCOMPARE(f->value(u"select VlrContabil from Compras"_s).toDouble(), 1500.0);
    QVERIFY(!t.editing());
}

void TstSectionLines::closeCheckAsksForTheMissingRegime()
{
    threeDomiciles();
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    compras.GeraLinhas(kKey, kCompras, false);
    // The type is named by its characters 3 to 22.
    const QList<LinhaFechamento> linhas{{kKey, kCompras}, {kKey, kCompras}};
    f->dialogs.answer(Dialogs::Button::No).answer(Dialogs::Button::Yes);
    QCOMPARE(perguntasFechamento(f->db(), f->dialogs, linhas), 1);
    QCOMPARE(f->dialogs.texts(),
             QStringList(2, u"A empresa teve - COMPRAS, durante o período de enquadramento no Tipo de Regime B "
                            u"(Microempresa / Emp. de Pequeno Porte)?"_s));
    f->exec(u"update Compras set TipoRegime = 'B' where TipoDomicilio = 'B'"_s);
    f->dialogs.clear();
    QCOMPARE(perguntasFechamento(f->db(), f->dialogs, {{kKey, kCompras}}), 0);
    QVERIFY(f->dialogs.texts().isEmpty());
}

void TstSectionLines::cfopTotalsGoIntoTheType11Lines()
{
    threeDomiciles();
    f->openDeclaration();
    const QString outras = QString::fromUtf8(kTipoOutrasEntradas);
    SectionLines compras(f->db(), descricaoCompras(), u"tblInsCompras"_s);
    compras.GeraLinhas(kKey, outras, false);
    SectionLines cfop(f->db(), descricaoCFOP(), u"tblInsOpCFOP"_s);
    cfop.setDirection(u"E"_s);
    cfop.GeraLinhas(kKey, u"1101"_s, false);
    f->exec(u"update CFOPOperacoes set VlrContabil = 30, Outras = 30 where TipoDomicilio = 'B'"_s);

    Table &t = f->dm->tbCompras;
    t.setFilter(u"TipoEntradas='%1'"_s.arg(outras));
    t.setFiltered(true);
    t.open();
    aplicaTotaisCFOP(t, totaisPorDomicilio(f->db(), descricaoCFOP(), kKey, u"E"_s));
    QCOMPARE(f->value(u"select VlrContabil from Compras where TipoDomicilio = 'B'"_s).toDouble(), 30.0);
    QCOMPARE(f->value(u"select Outras from Compras where TipoDomicilio = 'B'"_s).toDouble(), 30.0);
    QCOMPARE(f->value(u"select sum(VlrContabil) from Compras"_s).toDouble(), 30.0);
    QCOMPARE(t.recNo(), 1);
}

QTEST_GUILESS_MAIN(TstSectionLines)
#include "tst_section_lines.moc"
