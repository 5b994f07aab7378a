#include "declaration_fixture.h"

#include "export/declaration_list.h"

using namespace zef;
using namespace zef::testing;
using namespace Qt::StringLiterals;

class TestDeclarationList : public QObject
{
    Q_OBJECT

private slots:
    void formataInscricao_data();
    void formataInscricao();
    void entry_data();
    void entry();
    void keyFromEntry();
    void listsTheYearByName();
};

void TestDeclarationList::formataInscricao_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nine digits") << u"123456789"_s << u"12.345.678-9"_s;
    QTest::newRow("short") << u"1234"_s << u"12.34 .   - "_s;
    QTest::newRow("empty") << QString() << u"  .   .   - "_s;
}

void TestDeclarationList::formataInscricao()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, expected);
    QCOMPARE(zef::formataInscricao(inscricao), expected);
}

void TestDeclarationList::entry_data()
{
    QTest::addColumn<QString>("razao");
    QTest::addColumn<QString>("namePart");
    const QString longName = u"COMERCIO E REPRESENTACOES DE PRODUTOS AGROPECUARIOS DO NORTE LTDA"_s;
    QTest::newRow("short name") << u"ALFA LTDA"_s << u"ALFA LTDA"_s + QString(47, u' ');
    QTest::newRow("long name cut to 51") << longName << longName.left(51) + QString(5, u' ');
}

void TestDeclarationList::entry()
{
    QFETCH(QString, razao);
    QFETCH(QString, namePart);
    const QString e = entradaDaLista(u"123456789"_s, razao);
    QCOMPARE(e.size(), 75);
    QCOMPARE(e.left(19), u"12.345.678-9       "_s);
    QCOMPARE(e.mid(19), namePart);
}

void TestDeclarationList::keyFromEntry()
{
    QCOMPARE(inscricaoDaEntrada(entradaDaLista(u"987654321"_s, u"BETA"_s)), u"987654321"_s);
}

void TestDeclarationList::listsTheYearByName()
{
    DeclarationFixture f;
    f.addEmpresa(u"111111111"_s, u"beta comercio"_s);
    f.addEmpresa(u"222222222"_s, u"ÁGUA LIMPA"_s);
    f.addEmpresa(u"333333333"_s, u"ALFA"_s);
    f.addEmpresa(u"444444444"_s, u"OUTRO ANO"_s);
    f.addDeclaracao(u"111111111"_s);
    f.addDeclaracao(u"222222222"_s);
    f.addDeclaracao(u"333333333"_s);
    f.addDeclaracao(u"444444444"_s, {}, u"2024"_s);
    // A declaration whose taxpayer is not registered is not listed.
    f.addDeclaracao(u"555555555"_s);

    const QList<ListedDeclaration> list = listaDeclaracoes(f.db(), u"2025"_s);
    QStringList entries;
    for (const ListedDeclaration &d : list)
        entries.append(d.entry);
    QCOMPARE(entries, (QStringList{entradaDaLista(u"222222222"_s, u"ÁGUA LIMPA"_s),
                                   entradaDaLista(u"333333333"_s, u"ALFA"_s),
                                   entradaDaLista(u"111111111"_s, u"beta comercio"_s)}));
    QCOMPARE(list.at(0).inscricao, u"222222222"_s);
    QVERIFY(listaDeclaracoes(f.db(), u"2023"_s).isEmpty());
}

QTEST_APPLESS_MAIN(TestDeclarationList)
#include "tst_declaration_list.moc"
