// Storing and deleting the fiscal domiciles of a declaration, without the window.

#include "data_module_fixture.h"

#include "data/domicile_register.h"

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

const QString kOther = u"290000025"_s;

// Every table the deletion empties, and the stock it leaves.
const QStringList kDeleted{u"ZefMunAnterior"_s,    u"Compras"_s,  u"Operacoes"_s, u"CFOPOperacoes"_s,
                           u"ProdutosDiferidos"_s, u"ProdutosDiferidosNotas"_s, u"Entrada"_s,
                           u"Saidas"_s,            u"SaidasMun"_s, u"Vendas"_s};

} // namespace

class TstDomicileRegister : public QObject
{
    Q_OBJECT

private slots:
    void letterForCount_data();
    void letterForCount();
    void countIsPerDeclaration();
    void storeTakesTheCurrentDeclarationKey();
    void refusedStoreIsRolledBack_data();
    void refusedStoreIsRolledBack();
    void deleteStatements();
    void deleteEmptiesTheDeclarationButItsStock();
    void failedDeleteRestoresEverything();

private:
    // A declaration with a row in every declaration table.
    static void fillDeclaration(DataModuleFixture &f, const QString &taxpayer);
    static int rowsOf(DataModuleFixture &f, const QString &table, const QString &taxpayer);
    // Starts a domicile in tbDomicilio as the window does.
    static void startDomicile(DataModuleFixture &f, const QString &letter, const QDate &start, const QDate &end);
};

void TstDomicileRegister::letterForCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("letter");
    QTest::newRow("none stored: the current domicile") << 0 << u"A"_s;
    QTest::newRow("one") << 1 << u"B"_s;
    QTest::newRow("two") << 2 << u"C"_s;
    QTest::newRow("three") << 3 << u"D"_s;
    QTest::newRow("four: the last one allowed") << 4 << u"E"_s;
    QTest::newRow("five: no more") << 5 << QString();
    QTest::newRow("negative") << -1 << QString();
}

void TstDomicileRegister::letterForCount()
{
    QFETCH(int, count);
    QFETCH(QString, letter);
    QCOMPARE(letraDomicilio(count), letter);
}

void TstDomicileRegister::countIsPerDeclaration()
{
    DataModuleFixture f;
    f.addDeclaration(kYear, kTaxpayer, u"S"_s);
    f.addDeclaration(kYear, kOther, u"S"_s);
    f.addDeclaration(u"2024"_s, kTaxpayer, u"S"_s);
    f.addDomicile(u"A"_s, kVardelopolis, d(1, 6, 2025), d(31, 12, 2025));
    f.addDomicile(u"B"_s, kAldeia, d(1, 1, 2025), d(31, 5, 2025));
    f.addDomicile(u"A"_s, kAldeia, d(1, 1, 2025), d(31, 12, 2025), kYear, kOther);
    f.addDomicile(u"A"_s, kAldeia, d(1, 1, 2024), d(31, 12, 2024), u"2024"_s, kTaxpayer);

    QCOMPARE(contaDomicilios(f.db(), kYear, kTaxpayer), 2);
    QCOMPARE(contaDomicilios(f.db(), kYear, kOther), 1);
    QCOMPARE(contaDomicilios(f.db(), u"2023"_s, kTaxpayer), 0);
}

void TstDomicileRegister::startDomicile(DataModuleFixture &f, const QString &letter, const QDate &start,
                                        const QDate &end)
{
    Table &t = f.dm->tbDomicilio;
    t.open();
    t.append();
    t.fieldByName(u"CodMunicipioAnt"_s)->setAsString(kAldeia);
    t.fieldByName(u"TipoDomicilio"_s)->setAsString(letter);
    t.fieldByName(u"DataDRFAntI"_s)->setAsDate(start);
    t.fieldByName(u"DataDRFAntF"_s)->setAsDate(end);
}

void TstDomicileRegister::storeTakesTheCurrentDeclarationKey()
{
    DataModuleFixture f;
    f.addDeclaration(kYear, kTaxpayer, u"S"_s);
    f.addDeclaration(kYear, kOther, u"S"_s);
    f.openDeclaration(kYear, kOther);
    startDomicile(f, u"A"_s, d(1, 1, 2025), d(31, 12, 2025));
    // Whatever the row says, it belongs to the declaration on screen.
    f.dm->tbDomicilio.fieldByName(u"AnoBase"_s)->setAsString(u"1999"_s);
    f.dm->tbDomicilio.fieldByName(u"CGCEmpresa"_s)->setAsString(kTaxpayer);

    QVERIFY(gravaDomicilio(*f.dm));

    QVERIFY(!f.db().inTransaction());
    QCOMPARE(f.dm->tbDomicilio.state(), Dataset::State::Browse);
    QCOMPARE(f.value(u"select count(*) from ZefMunAnterior"_s).toInt(), 1);
    QCOMPARE(f.value(u"select CodMunicipioAnt from ZefMunAnterior where AnoBase = '2025' and CGCEmpresa = :c"_s,
                     {{u"c"_s, kOther}})
                 .toString(),
             kAldeia);
    QCOMPARE(f.stampOf(kYear, kOther), QDate::currentDate());
    QVERIFY(f.dialogs.boxes().empty());
    // Nothing to store without a row being keyed.
    QVERIFY(!gravaDomicilio(*f.dm));
}

void TstDomicileRegister::refusedStoreIsRolledBack_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("start outside the base year")
        << u"A"_s << d(31, 12, 2024) << d(31, 12, 2025)
        << QStringList{u"O Período Inicial de referência é diferente do Ano Base!"_s};
    QTest::newRow("earlier domicile not ending the day before the current one")
        << u"B"_s << d(1, 1, 2025) << d(30, 5, 2025)
        << QStringList{u"A Data Inicial do Domicílio \"A\" VARDELÓPOLIS, deverá ser obrigatoriamente sequencial a "
                       u"Data Final do Domicílio \"B\" ALDEIA NOVA."_s};
    // The engine refuses a second row with the same key: no message at all.
    QTest::newRow("same key as a stored domicile") << u"A"_s << d(1, 6, 2025) << d(31, 12, 2025) << QStringList{};
}

void TstDomicileRegister::refusedStoreIsRolledBack()
{
    QFETCH(QString, letter);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QStringList, messages);

    DataModuleFixture f;
    f.addDeclaration(kYear, kTaxpayer, u"S"_s);
    f.addDomicile(u"A"_s, kVardelopolis, d(1, 6, 2025), d(31, 12, 2025));
    f.openDeclaration();
    f.dm->fDomicilio = nullptr;
    startDomicile(f, letter, start, end);
    f.dialogs.clear();

    QVERIFY(!gravaDomicilio(*f.dm));

    QCOMPARE(f.dialogs.texts(), messages);
    QVERIFY(!f.db().inTransaction());
    QCOMPARE(f.dm->tbDomicilio.state(), Dataset::State::Insert);
    QCOMPARE(f.dm->tbDomicilio.fieldByName(u"DataDRFAntF"_s)->asDate(), end);
    QCOMPARE(f.value(u"select count(*) from ZefMunAnterior"_s).toInt(), 1);
    QVERIFY(f.stampOf().isNull());
}

void TstDomicileRegister::deleteStatements()
{
    QStringList expected;
    for (const QString &table : kDeleted) {
        const QString from = table == u"Operacoes"_s || table == u"CFOPOperacoes"_s ? u"from  "_s : u"from "_s;
        expected.append(u"delete "_s + from + table + u" where AnoBase = :AnoBase and CGCEmpresa = :CGCEmpresa"_s);
    }
    QCOMPARE(comandosExclusaoDomicilios(), expected);
}

void TstDomicileRegister::fillDeclaration(DataModuleFixture &f, const QString &taxpayer)
{
    f.addDeclaration(kYear, taxpayer, u"S"_s);
    f.addDomicile(u"A"_s, kVardelopolis, d(1, 6, 2025), d(31, 12, 2025), kYear, taxpayer);
    f.addDomicile(u"B"_s, kAldeia, d(1, 1, 2025), d(31, 5, 2025), kYear, taxpayer);
    for (const QString &table : kDeleted + QStringList{u"Estoque"_s}) {
        if (table != u"ZefMunAnterior"_s)
            f.insertRow(table, {{u"AnoBase"_s, kYear}, {u"CGCEmpresa"_s, taxpayer}});
    }
}

int TstDomicileRegister::rowsOf(DataModuleFixture &f, const QString &table, const QString &taxpayer)
{
    return f.value(u"select count(*) from %1 where AnoBase = :a and CGCEmpresa = :c"_s.arg(table),
                   {{u"a"_s, kYear}, {u"c"_s, taxpayer}})
        .toInt();
}

void TstDomicileRegister::deleteEmptiesTheDeclarationButItsStock()
{
    DataModuleFixture f;
    fillDeclaration(f, kTaxpayer);
    fillDeclaration(f, kOther);
    f.openDeclaration();
    f.dm->tbDomicilio.open();
    QCOMPARE(f.dm->tbDomicilio.recordCount(), 2);

    excluiDomicilios(*f.dm, f.dialogs);

    QCOMPARE(f.dialogs.texts(), QStringList{u"Registros excluídos com sucesso!"_s});
    QCOMPARE(f.dialogs.boxes().front().icon, Dialogs::Icon::Exclamation);
    QVERIFY(!f.db().inTransaction());
    QCOMPARE(f.dm->tbDomicilio.recordCount(), 0);
    for (const QString &table : kDeleted) {
        QVERIFY2(rowsOf(f, table, kTaxpayer) == 0, qPrintable(table));
        QVERIFY2(rowsOf(f, table, kOther) > 0, qPrintable(table));
    }
    QCOMPARE(rowsOf(f, u"Estoque"_s, kTaxpayer), 1);
    QCOMPARE(rowsOf(f, u"Zef"_s, kTaxpayer), 1);
}

void TstDomicileRegister::failedDeleteRestoresEverything()
{
    DataModuleFixture f;
    fillDeclaration(f, kTaxpayer);
    f.openDeclaration();
    // The last statement fails: the nine before it are undone.
    f.exec(u"drop table Vendas"_s);

    QVERIFY_THROWS_EXCEPTION(EngineError, excluiDomicilios(*f.dm, f.dialogs));

    QVERIFY(f.dialogs.boxes().empty());
    QVERIFY(!f.db().inTransaction());
    for (const QString &table : kDeleted.mid(0, 9))
        QVERIFY2(rowsOf(f, table, kTaxpayer) > 0, qPrintable(table));
}

QTEST_GUILESS_MAIN(TstDomicileRegister)
#include "tst_domicile_register.moc"
