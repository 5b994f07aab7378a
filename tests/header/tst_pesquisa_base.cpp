#include "register_fixture.h"

#include "app/widgets/db_grid.h"
#include "header/pesquisa_atividade.h"
#include "header/pesquisa_contador.h"
#include "header/pesquisa_contribuinte.h"
#include "header/pesquisa_municipio.h"

#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

class TstPesquisaBase : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { defineGanchoJanelaModal({}); }

    void captions();
    void nearestSearch_data();
    void nearestSearch();
    void doubleClickConfirms();
    void enterLeadsToConfirma_data();
    void enterLeadsToConfirma();
    void retornaKeepsOrEmpties();
    void shownAgainStartsBlank();
    void taxpayerKeyedByTheStockShellShowsInNameOrder();
};

void TstPesquisaBase::captions()
{
    RegisterFixture f;
    TfPesquisaMunicipio m(*f.dm);
    TfPesquisaAtividade a(*f.dm);
    TfPesquisaContribuinte c(*f.dm);
    TfPesquisaContador p(*f.dm);
    QCOMPARE(m.windowTitle(), u"Municípios"_s);
    QCOMPARE(a.windowTitle(), u"Pesquisar Atividades"_s);
    QCOMPARE(c.windowTitle(), u"Contribuinte"_s);
    QCOMPARE(p.windowTitle(), u"Pesquisa Contador"_s);
    const auto titulos = [](TfPesquisaBase &w) {
        QStringList t;
        for (int i = 0; i < w.grid()->model()->columnCount(); ++i)
            t.append(w.grid()->model()->headerData(i, Qt::Horizontal).toString());
        return t;
    };
    QCOMPARE(titulos(m), (QStringList{u"Município"_s, u"Descrição"_s, u"UF"_s}));
    QCOMPARE(titulos(a), (QStringList{u"Atividade"_s, u"Descrição"_s}));
    QCOMPARE(titulos(c), (QStringList{u"Inscrição Estadual"_s, u"Razão Social"_s}));
    QCOMPARE(titulos(p), (QStringList{u"CPF"_s, u"CRC"_s, u"Nome"_s}));
    for (TfPesquisaBase *w : std::initializer_list<TfPesquisaBase *>{&m, &a, &c, &p}) {
        QCOMPARE(w->btConfirma()->text(), u"&Confirma"_s);
        QCOMPARE(w->btRetorna()->text(), u"&Retorna"_s);
    }
}

void TstPesquisaBase::nearestSearch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty text: first row") << QString() << u"ÁGUA BOA DO NORTE"_s;
    QTest::newRow("first letters") << u"alt"_s << u"ALTO ALEGRE"_s;
    QTest::newRow("between two names") << u"ALTO B"_s << u"ALTO DO CAPIM"_s;
    QTest::newRow("accent and case ignored") << u"vardelópolis"_s << u"VARDELÓPOLIS"_s;
    QTest::newRow("outer spaces ignored") << u"  aldeia nova  "_s << u"ALDEIA NOVA"_s;
}

void TstPesquisaBase::nearestSearch()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    RegisterFixture f;
    QString atual;
    TfPesquisaMunicipio w(*f.dm);
    w.defineFiltro(u"UF='VD'"_s);
    defineGanchoJanelaModal([&](QDialog &) {
        QTest::keyClicks(w.edPesquisa(), u"zz"_s);   // somewhere else first
        w.edPesquisa()->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(w.edPesquisa(), Qt::Key_Backspace);
        else
            w.edPesquisa()->insert(typed);   // as typed, accents included
        atual = w.tabela().fieldByName(u"Descricao"_s)->asString();
        w.reject();
    });
    MostraModal(w);
    QCOMPARE(atual, expected);
}

void TstPesquisaBase::doubleClickConfirms()
{
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"ALFA LTDA"_s);
    f.addTaxpayer(u"290000025"_s, u"BETA LTDA"_s);
    TfPesquisaContribuinte w(*f.dm);
    defineGanchoJanelaModal([&](QDialog &) {
        QWidget *vp = w.grid()->viewport();
        const QRect celula = w.grid()->visualRect(w.grid()->model()->index(1, 1));
        QTest::mouseClick(vp, Qt::LeftButton, {}, celula.center());
        QTest::mouseDClick(vp, Qt::LeftButton, {}, celula.center());
    });
    QCOMPARE(MostraModal(w), int(QDialog::Accepted));
    QCOMPARE(w.resultado(), u"290000025"_s);
    QVERIFY(!w.tabela().active());
}

void TstPesquisaBase::enterLeadsToConfirma_data()
{
    QTest::addColumn<int>("window");   // 0 municipality, 1 activity, 2 taxpayer
    QTest::addColumn<bool>("fromGrid");
    QTest::addColumn<bool>("toConfirma");
    QTest::newRow("municipality, search edit") << 0 << false << true;
    QTest::newRow("municipality, grid") << 0 << true << true;
    QTest::newRow("activity, search edit") << 1 << false << true;
    QTest::newRow("activity, grid") << 1 << true << true;
    QTest::newRow("taxpayer, search edit") << 2 << false << true;
    QTest::newRow("taxpayer, grid") << 2 << true << false;
}

void TstPesquisaBase::enterLeadsToConfirma()
{
    QFETCH(int, window);
    QFETCH(bool, fromGrid);
    QFETCH(bool, toConfirma);
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"ALFA LTDA"_s);
    std::unique_ptr<TfPesquisaBase> w;
    if (window == 0)
        w = std::make_unique<TfPesquisaMunicipio>(*f.dm);
    else if (window == 1)
        w = std::make_unique<TfPesquisaAtividade>(*f.dm);
    else
        w = std::make_unique<TfPesquisaContribuinte>(*f.dm);
    bool focoConfirma = false;
    bool aberta = false;
    defineGanchoJanelaModal([&](QDialog &) {
        QWidget *origem = fromGrid ? static_cast<QWidget *>(w->grid()) : w->edPesquisa();
        origem->setFocus();
        QTest::keyClick(origem, Qt::Key_Return);
        focoConfirma = w->focusWidget() == w->btConfirma();
        aberta = w->isVisible();
        // Enter on "&Confirma" confirms.
        w->btConfirma()->setFocus();
        QTest::keyClick(w->btConfirma(), Qt::Key_Return);
    });
    QCOMPARE(MostraModal(*w), int(QDialog::Accepted));
    QCOMPARE(focoConfirma, toConfirma);
    QVERIFY(aberta);
    QVERIFY(!w->resultado().isEmpty());
}

void TstPesquisaBase::retornaKeepsOrEmpties()
{
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"ALFA LTDA"_s);
    f.addAccountant(u"52998224725"_s, u"MARIA SILVA"_s);
    const auto confirma = [](QDialog &j) { static_cast<TfPesquisaBase &>(j).btConfirma()->click(); };
    const auto retorna = [](QDialog &j) { QTest::mouseClick(static_cast<TfPesquisaBase &>(j).btRetorna(), Qt::LeftButton); };

    // The activity look-up is reused and hands back its previous choice; empty the first time.
    defineGanchoJanelaModal(retorna);
    AbreJanela(fPesquisaAtividade, *f.dm);
    QCOMPARE(fPesquisaAtividade->resultado(), QString());
    defineGanchoJanelaModal(confirma);
    AbreJanela(fPesquisaAtividade, *f.dm);
    const QString escolhida = fPesquisaAtividade->resultado();
    QVERIFY(!escolhida.isEmpty());
    defineGanchoJanelaModal(retorna);
    QCOMPARE(AbreJanela(fPesquisaAtividade, *f.dm), int(QDialog::Rejected));
    QCOMPARE(fPesquisaAtividade->resultado(), escolhida);

    // The taxpayer look-up forgets its result each time it comes up.
    defineGanchoJanelaModal(confirma);
    AbreJanela(fPesquisaContribuinte, *f.dm);
    QCOMPARE(fPesquisaContribuinte->resultado(), u"290000017"_s);
    defineGanchoJanelaModal(retorna);
    AbreJanela(fPesquisaContribuinte, *f.dm);
    QCOMPARE(fPesquisaContribuinte->resultado(), QString());

    // The accountant look-up returns nothing on "&Retorna".
    defineGanchoJanelaModal(confirma);
    AbreJanela(fPesquisaContador, *f.dm);
    QCOMPARE(fPesquisaContador->resultado(), u"52998224725"_s);
    defineGanchoJanelaModal(retorna);
    AbreJanela(fPesquisaContador, *f.dm);
    QCOMPARE(fPesquisaContador->resultado(), QString());

    // The shared municipality look-up keeps its last result and UF.
    defineGanchoJanelaModal([](QDialog &j) {
        auto &m = static_cast<TfPesquisaMunicipio &>(j);
        QTest::keyClicks(m.edPesquisa(), u"aldeia"_s);
        m.btConfirma()->click();
    });
    AbreJanela(fPesquisaMunicipio, *f.dm);
    QCOMPARE(fPesquisaMunicipio->resultado(), u"1702356"_s);
    defineGanchoJanelaModal(retorna);
    AbreJanela(fPesquisaMunicipio, *f.dm);
    QCOMPARE(fPesquisaMunicipio->resultado(), u"1702356"_s);
    QCOMPARE(fPesquisaMunicipio->resultadoUF(), u"VD"_s);
}

void TstPesquisaBase::shownAgainStartsBlank()
{
    RegisterFixture f;
    QString textoAoAbrir;
    int linhaAoAbrir = -1;
    bool focoNaPesquisa = false;
    defineGanchoJanelaModal([&](QDialog &j) {
        auto &m = static_cast<TfPesquisaMunicipio &>(j);
        textoAoAbrir = m.edPesquisa()->text();
        linhaAoAbrir = m.tabela().recNo();
        focoNaPesquisa = m.focusWidget() == m.edPesquisa();
        QTest::keyClicks(m.edPesquisa(), u"vardel"_s);
        m.reject();
    });
    AbreJanela(fPesquisaMunicipio, *f.dm);
    AbreJanela(fPesquisaMunicipio, *f.dm);
    QCOMPARE(textoAoAbrir, QString());
    QCOMPARE(linhaAoAbrir, 1);
    QVERIFY(focoNaPesquisa);
}

void TstPesquisaBase::taxpayerKeyedByTheStockShellShowsInNameOrder()
{
    // Written by SQLite's own shell, which knows none of the program's collations: the look-up
    // still lists it among the others as a Portuguese reader expects, accents and case ignored.
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"BETA LTDA"_s);
    f.addTaxpayer(u"290000025"_s, u"ALFA LTDA"_s);
    const QString shell = QStandardPaths::findExecutable(u"sqlite3"_s);
    QVERIFY2(!shell.isEmpty(), "the sqlite3 shell is missing: run scripts/install-deps.sh");
    QProcess p;
    p.start(shell, {f.dm->dtbBaseDados.filePath(),
                    u"insert into Empresa (InscricaoEmpresa, CGCEmpresa, RazaoSocial, CodigoMunicipio, UF) values "
                    u"('290000033', '11222333000181', 'Ânfora Comércio', '1721000', 'VD'), "
                    u"('290000041', '11222333000181', 'alvorada ltda', '1721000', 'VD');"_s});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()), QString());
    QCOMPARE(p.exitCode(), 0);

    TfPesquisaContribuinte w(*f.dm);
    QStringList nomes;
    QString achado;
    defineGanchoJanelaModal([&](QDialog &) {
        for (int row = 0; row < w.grid()->model()->rowCount(); ++row)
            nomes.append(w.grid()->model()->index(row, 1).data().toString());
        QTest::keyClicks(w.edPesquisa(), u"anf"_s);
        achado = w.tabela().fieldByName(u"RazaoSocial"_s)->asString();
        w.reject();
    });
    MostraModal(w);
    QCOMPARE(nomes, (QStringList{u"ALFA LTDA"_s, u"alvorada ltda"_s, u"Ânfora Comércio"_s, u"BETA LTDA"_s}));
    QCOMPARE(achado, u"Ânfora Comércio"_s);
}

QTEST_MAIN(TstPesquisaBase)
#include "tst_pesquisa_base.moc"
