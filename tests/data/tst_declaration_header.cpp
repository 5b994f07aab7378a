// The header window's rules that run without it: what a base year offers, the activity code a
// year carries, the store checks, and the statements that delete a declaration or its earlier
// domiciles.

#include "data_module_fixture.h"

#include "data/catalogue.h"
#include "data/declaration_header.h"

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

// Every table that holds rows of a declaration besides its header.
const QStringList kDeclarationTables{u"ZefMunAnterior"_s, u"Compras"_s,  u"Operacoes"_s,
                                     u"CFOPOperacoes"_s,  u"ProdutosDiferidos"_s, u"ProdutosDiferidosNotas"_s,
                                     u"Entrada"_s,        u"Saidas"_s,   u"SaidasMun"_s,
                                     u"Vendas"_s,         u"Estoque"_s};
const QString kOther = u"290000025"_s;

} // namespace

class TstDeclarationHeader : public QObject
{
    Q_OBJECT

private slots:
    void choicesByYear_data();
    void choicesByYear();
    void yearRefusals_data();
    void yearRefusals();
    void activityOfTheYear_data();
    void activityOfTheYear();

    void storeChecksInOrder_data();
    void storeChecksInOrder();
    void storeKeepsTheRowWhenARuleRefuses();

    void deleteRemovesEveryRowOfTheKey();
    void deleteIsAllOrNothing();
    void noMoveKeepsOnlyTheCurrentDomicile();
    void noMoveIsAllOrNothing();

private:
    // One row of the declaration in every table, for each domicile letter given (where the
    // table keeps domiciles).
    static void fill(DataModuleFixture &f, const QString &taxpayer, const QString &letters);
    static int rowsOf(DataModuleFixture &f, const QString &table, const QString &taxpayer,
                      const QString &letter = QString());
};

void TstDeclarationHeader::fill(DataModuleFixture &f, const QString &taxpayer, const QString &letters)
{
    for (const QString &table : kDeclarationTables) {
        const bool perDomicile = catalogueTable(table)->field(u"TipoDomicilio"_s) != nullptr;
        for (const QChar letter : letters) {
            QVariantMap row{{u"AnoBase"_s, kYear}, {u"CGCEmpresa"_s, taxpayer}};
            if (perDomicile)
                row.insert(u"TipoDomicilio"_s, QString(letter));
            if (table == u"ZefMunAnterior"_s)
                row.insert(u"DataDRFAntI"_s, d(1 + int(letter.unicode() - 'A'), 1, 2025));
            f.insertRow(table, row);
            if (!perDomicile)
                break;
        }
    }
}

int TstDeclarationHeader::rowsOf(DataModuleFixture &f, const QString &table, const QString &taxpayer,
                                 const QString &letter)
{
    QString sql = u"select count(*) from %1 where AnoBase = :a and CGCEmpresa = :c"_s.arg(table);
    QVariantMap values{{u"a"_s, kYear}, {u"c"_s, taxpayer}};
    if (!letter.isEmpty()) {
        sql += u" and TipoDomicilio = :t"_s;
        values.insert(u"t"_s, letter);
    }
    return f.value(sql, values).toInt();
}

void TstDeclarationHeader::choicesByYear_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("purposes");
    QTest::addColumn<QStringList>("regimes");

    const QStringList annual{u"INFORMAÇÃO ANUAL=1"_s};
    const QStringList both{u"Normal=3"_s, u"Simples Nacional=4"_s};
    const QStringList normal{u"Normal=3"_s};
    QTest::newRow("2026") << u"2026"_s << QStringList{u"BAIXA VOLUNTÁRIA=2"_s, u"SUSPENSÃO VOLUNTÁRIA=4"_s}
                          << normal;
    QTest::newRow("2025") << u"2025"_s << annual << normal;
    QTest::newRow("2014") << u"2014"_s << annual << normal;
    QTest::newRow("2013") << u"2013"_s << annual << both;
    QTest::newRow("2008") << u"2008"_s << annual << both;
}

void TstDeclarationHeader::choicesByYear()
{
    QFETCH(QString, year);
    QFETCH(QStringList, purposes);
    QFETCH(QStringList, regimes);

    const auto shown = [](const QList<ItemEscolha> &items) {
        QStringList s;
        for (const ItemEscolha &i : items)
            s.append(i.rotulo + u'=' + i.valor);
        return s;
    };
    QCOMPARE(shown(itensFinalidade(year)), purposes);
    QCOMPARE(shown(itensRegime(year)), regimes);
}

void TstDeclarationHeader::yearRefusals_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QString() << u"Ano Base deve ser informado!"_s;
    QTest::newRow("blanks") << u"    "_s << u"Ano Base deve ser informado!"_s;
    QTest::newRow("2007") << u"2007"_s << u"Ano Base deve ser maior ou igual a 2008!"_s;
    QTest::newRow("2008") << u"2008"_s << QString();
    QTest::newRow("2026") << u"2026"_s << QString();
    QTest::newRow("2027") << u"2027"_s << u"Ano Base deve ser menor ou igual a 2026!"_s;
    // Compared as texts a short year would sort after "2008".
    QTest::newRow("short") << u"202"_s << u"Ano Base deve ser maior ou igual a 2008!"_s;
}

void TstDeclarationHeader::yearRefusals()
{
    QFETCH(QString, year);
    QFETCH(QString, message);
    QCOMPARE(recusaAnoBase(year).value_or(QString()), message);
}

void TstDeclarationHeader::activityOfTheYear_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("taxpayer");
    QTest::addColumn<QString>("header");

    QTest::newRow("2009 older code") << u"2009"_s << u"4751201"_s << u"4751200"_s;
    QTest::newRow("2010 kept") << u"2010"_s << u"4751201"_s << u"4751201"_s;
    QTest::newRow("2008 second of a pair") << u"2008"_s << u"9609206"_s << u"9609201"_s;
    QTest::newRow("2009 single") << u"2009"_s << u"3250709"_s << u"3250708"_s;
    QTest::newRow("2009 code not in the table") << u"2009"_s << u"0111301"_s << u"0111301"_s;
    QTest::newRow("2026 kept") << u"2026"_s << u"1091102"_s << u"1091102"_s;
}

void TstDeclarationHeader::activityOfTheYear()
{
    QFETCH(QString, year);
    QFETCH(QString, taxpayer);
    QFETCH(QString, header);
    QCOMPARE(atividadeDoAnoBase(year, taxpayer), header);
}

void TstDeclarationHeader::storeChecksInOrder_data()
{
    QTest::addColumn<QString>("uf");
    QTest::addColumn<QStringList>("cleared");
    QTest::addColumn<bool>("regime");
    QTest::addColumn<bool>("domicile");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("control");

    const QStringList none;
    QTest::newRow("all given") << u"VD"_s << none << true << true << QString() << int(CampoCabecalho::Nenhum);
    QTest::newRow("state first") << u"XX"_s << QStringList{u"TipoEscrita"_s} << false << false
                                 << u"UF informada inválida!"_s << int(CampoCabecalho::UF);
    QTest::newRow("book-keeping") << u"VD"_s << QStringList{u"TipoEscrita"_s, u"VlrCaixaI"_s} << true << true
                                  << u"Campo escrituração deve ser informado!"_s << int(CampoCabecalho::Escrituracao);
    QTest::newRow("establishment") << u"VD"_s << QStringList{u"TipoEstabelecimento"_s} << true << true
                                   << u"Campo tipo de estabelecimento deve ser informado!"_s
                                   << int(CampoCabecalho::TipoEstabelecimento);
    QTest::newRow("purpose") << u"VD"_s << QStringList{u"Finalidade"_s} << true << true
                             << u"Campo finalidade deve ser informado!"_s << int(CampoCabecalho::Finalidade);
    QTest::newRow("opening cash") << u"VD"_s << QStringList{u"VlrCaixaI"_s, u"VlrPatrimLiq"_s} << true << true
                                  << u"Campo saldo de caixa inicial deve ser informado!"_s
                                  << int(CampoCabecalho::CaixaInicial);
    QTest::newRow("closing cash") << u"VD"_s << QStringList{u"VlrCCaixaI"_s} << true << true
                                  << u"Campo saldo de caixa final deve ser informado!"_s
                                  << int(CampoCabecalho::CaixaFinal);
    QTest::newRow("net worth") << u"VD"_s << QStringList{u"VlrPatrimLiq"_s} << true << true
                               << u"Campo valor do patrimônio líquido deve ser informado!"_s
                               << int(CampoCabecalho::PatrimonioLiquido);
    QTest::newRow("regime") << u"VD"_s << none << false << false << u"Por favor, informar o Regime de Tributação"_s
                            << int(CampoCabecalho::Regime);
    QTest::newRow("no domicile") << u"VD"_s << none << true << false
                                 << u"Campo município do domícílio fiscal deve ser informado!"_s
                                 << int(CampoCabecalho::Nenhum);
}

void TstDeclarationHeader::storeChecksInOrder()
{
    QFETCH(QString, uf);
    QFETCH(QStringList, cleared);
    QFETCH(bool, regime);
    QFETCH(bool, domicile);
    QFETCH(QString, message);
    QFETCH(int, control);

    DataModuleFixture f;
    f.addDeclaration();
    f.exec(u"update Zef set VlrCaixaI = 0, VlrCCaixaI = 10.5, VlrPatrimLiq = 0"_s);
    if (domicile)
        f.addDomicile(u"A"_s, kVardelopolis, d(1, 1, 2025), d(31, 12, 2025));
    f.openDeclaration();
    f.dm->tbZEF.edit();
    for (const QString &field : cleared)
        f.dm->tbZEF.fieldByName(field)->clear();

    const auto refusal = verificaCabecalho(f.db(), f.dm->tbZEF, uf, regime);
    QCOMPARE(refusal ? refusal->mensagem : QString(), message);
    if (refusal)
        QCOMPARE(int(refusal->campo), control);
}

void TstDeclarationHeader::storeKeepsTheRowWhenARuleRefuses()
{
    DataModuleFixture f;
    f.addDeclaration();
    f.addDomicile(u"A"_s, kVardelopolis, d(1, 1, 2025), d(31, 12, 2025));
    f.openDeclaration();

    f.dm->tbZEF.edit();
    f.dm->tbZEF.fieldByName(u"AnoBase"_s)->setAsString(u"2006"_s);
    f.dm->tbZEF.fieldByName(u"VlrPatrimLiq"_s)->setAsFloat(99);
    QVERIFY(!gravaCabecalho(*f.dm));
    QCOMPARE(f.dialogs.texts(), QStringList{u"Ano Base deve ser maior que a 2007!"_s});
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Edit);
    QCOMPARE(f.dm->tbZEF.fieldByName(u"VlrPatrimLiq"_s)->asFloat(), 99.0);
    QVERIFY(!f.db().inTransaction());
    QVERIFY(f.value(u"select VlrPatrimLiq from Zef"_s).isNull());

    f.dm->tbZEF.fieldByName(u"AnoBase"_s)->setAsString(kYear);
    QVERIFY(gravaCabecalho(*f.dm));
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Browse);
    QCOMPARE(f.value(u"select VlrPatrimLiq from Zef"_s).toDouble(), 99.0);
    QCOMPARE(f.value(u"select PeriodoRefFinal from Zef"_s).toDate(), d(31, 12, 2025));
}

void TstDeclarationHeader::deleteRemovesEveryRowOfTheKey()
{
    DataModuleFixture f;
    f.addDeclaration();
    f.addDeclaration(kYear, kOther);
    f.addDeclaration(u"2024"_s, kTaxpayer);
    fill(f, kTaxpayer, u"AB"_s);
    fill(f, kOther, u"A"_s);
    f.openDeclaration();

    excluiDeclaracao(*f.dm);

    QCOMPARE(f.dialogs.texts(), QStringList{u"ZEF excluído com sucesso!"_s});
    for (const QString &table : kDeclarationTables + QStringList{u"Zef"_s}) {
        QVERIFY2(rowsOf(f, table, kTaxpayer) == 0, qPrintable(table));
        QVERIFY2(rowsOf(f, table, kOther) == 1, qPrintable(table));
    }
    QCOMPARE(f.value(u"select count(*) from Zef where AnoBase = '2024'"_s).toInt(), 1);
    QCOMPARE(f.dm->tbZEF.recordCount(), 2);
}

void TstDeclarationHeader::deleteIsAllOrNothing()
{
    DataModuleFixture f;
    f.addDeclaration();
    fill(f, kTaxpayer, u"A"_s);
    f.openDeclaration();
    // The last table's statement fails after the earlier ones ran.
    f.exec(u"alter table Estoque rename to EstoqueGuardado"_s);

    QVERIFY_THROWS_EXCEPTION(EngineError, excluiDeclaracao(*f.dm));

    QVERIFY(!f.db().inTransaction());
    QVERIFY(f.dialogs.texts().isEmpty());
    f.exec(u"alter table EstoqueGuardado rename to Estoque"_s);
    for (const QString &table : kDeclarationTables + QStringList{u"Zef"_s})
        QVERIFY2(rowsOf(f, table, kTaxpayer) >= 1, qPrintable(table));
    QCOMPARE(f.dm->tbZEF.recordCount(), 1);
}

void TstDeclarationHeader::noMoveKeepsOnlyTheCurrentDomicile()
{
    DataModuleFixture f;
    f.addDeclaration();
    f.addDeclaration(kYear, kOther);
    fill(f, kTaxpayer, u"ABCDE"_s);
    fill(f, kOther, u"AB"_s);
    f.openDeclaration();
    f.dm->tbDomicilio.open();
    QCOMPARE(f.dm->tbDomicilio.recordCount(), 5);

    excluiDomiciliosAnteriores(*f.dm);

    QCOMPARE(f.dm->tbDomicilio.recordCount(), 1);
    for (const QString &table : kDeclarationTables) {
        const bool perDomicile = catalogueTable(table)->field(u"TipoDomicilio"_s) != nullptr;
        // Stock and the operations of the year do not depend on the domicile.
        if (!perDomicile || table == u"Operacoes"_s) {
            QVERIFY2(rowsOf(f, table, kTaxpayer) == (perDomicile ? 5 : 1), qPrintable(table));
            continue;
        }
        QVERIFY2(rowsOf(f, table, kTaxpayer) == 1, qPrintable(table));
        QVERIFY2(rowsOf(f, table, kTaxpayer, u"A"_s) == 1, qPrintable(table));
        QVERIFY2(rowsOf(f, table, kOther) == 2, qPrintable(table));
    }
}

void TstDeclarationHeader::noMoveIsAllOrNothing()
{
    DataModuleFixture f;
    f.addDeclaration();
    fill(f, kTaxpayer, u"AB"_s);
    f.openDeclaration();
    f.exec(u"alter table Vendas rename to VendasGuardadas"_s);

    QVERIFY_THROWS_EXCEPTION(EngineError, excluiDomiciliosAnteriores(*f.dm));

    QVERIFY(!f.db().inTransaction());
    QCOMPARE(rowsOf(f, u"ZefMunAnterior"_s, kTaxpayer), 2);
    QCOMPARE(rowsOf(f, u"Compras"_s, kTaxpayer), 2);
}

QTEST_GUILESS_MAIN(TstDeclarationHeader)
#include "tst_declaration_header.moc"
