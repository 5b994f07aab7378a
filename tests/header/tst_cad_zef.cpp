#include "register_fixture.h"

#include "app/opcoes.h"
#include "app/qt_dialogs.h"
#include "app/widgets/db_navigator.h"
#include "app/widgets/db_radio_group.h"
#include "header/cad_zef.h"
#include "header/domicilio.h"
#include "header/pesquisa_contribuinte.h"
#include "header/pesquisa_municipio.h"
#include "data/text_routines.h"

#include <QAbstractButton>
#include <QDir>
#include <QPixmap>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

const QString kA = u"290000017"_s;
const QString kB = u"290000025"_s;
const QString kDesconhecido = u"290000033"_s;

// The tables that keep lines per domicile of a declaration.
const QStringList kPorDomicilio{u"Compras"_s, u"CFOPOperacoes"_s, u"ProdutosDiferidos"_s, u"ProdutosDiferidosNotas"_s,
                                u"Entrada"_s, u"Saidas"_s,        u"SaidasMun"_s,         u"Vendas"_s};

} // namespace

class TstCadZef : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void existingKeyWhileInsertingMovesToIt();
    void unknownRegistrationOpensTheTaxpayerLookUp();
    void choicesFollowTheYear_data();
    void choicesFollowTheYear();
    void leavingTheYearEmptiesThePurpose();
    void activityOfTheYear_data();
    void activityOfTheYear();
    void blankMunicipalityOpensItsLookUp();
    void yearRefused_data();
    void yearRefused();
    void storeChecksFocusTheirControl();
    void noMoveRemovesEarlierDomiciles();
    void headerComesBackAfterTheDomiciles();
    void continuaNeedsTheDomiciles();
    void excluirRemovesTheDeclaration();
    void enterOnTheQuestionKeepsTheDeclaration();
    void buttonsFollowTheRow();
    void fitsTheScreen();

private:
    TfCadZEF &abre(RegisterFixture &f);
    // A stored declaration with every header answer given; moved: answered "SIM" to item 2.1.
    void declaracao(RegisterFixture &f, const QString &ano, const QString &ie, bool mudou = false);
    void domicilio(RegisterFixture &f, const QString &ano, const QString &ie, const QString &letra,
                   const QString &inicio, const QString &fim);
    int linhas(RegisterFixture &f, const QString &tabela, const QString &ie, const QString &letra = QString());
    // "&Novo", then the base year and the registration keyed, each left with Tab.
    void novo(TfCadZEF &w, const QString &ano, const QString &ie = QString());
};

// Clicks a radio button on its mark, as a person does (a short caption leaves the middle of the
// button empty).
void marca(QAbstractButton *opcao)
{
    QTest::mouseClick(opcao, Qt::LeftButton, {}, QPoint(6, opcao->height() / 2));
}

void TstCadZef::cleanup()
{
    defineGanchoJanelaModal({});
}

TfCadZEF &TstCadZef::abre(RegisterFixture &f)
{
    TfCadZEF &w = CriaJanela(fCadZEF, *f.dm, f.dialogs);
    if (!mostra(w))
        qFatal("the window did not become active");
    return w;
}

void TstCadZef::declaracao(RegisterFixture &f, const QString &ano, const QString &ie, bool mudou)
{
    f.exec(u"insert into Zef (AnoBase, CGCEmpresa, CodigoMunicipio, CodigoAtividade, RegimeApuracao, TipoEscrita, "
           "Finalidade, TipoEstabelecimento, Retificacao, StatusDRF, VlrCaixaI, VlrCCaixaI, VlrPatrimLiq) values "
           "('%1', '%2', '1721000', '4751201', '3', '1', '1', '1', 'N', '%3', 10, 20, 30)"_s.arg(ano, ie,
                                                                                              mudou ? u"S"_s : u"N"_s));
}

void TstCadZef::domicilio(RegisterFixture &f, const QString &ano, const QString &ie, const QString &letra,
                          const QString &inicio, const QString &fim)
{
    f.exec(u"insert into ZefMunAnterior (AnoBase, CGCEmpresa, TipoDomicilio, CodMunicipioAnt, DataDRFAntI, "
           "DataDRFAntF) values ('%1', '%2', '%3', '1702356', '%4', '%5')"_s.arg(ano, ie, letra, inicio, fim));
}

int TstCadZef::linhas(RegisterFixture &f, const QString &tabela, const QString &ie, const QString &letra)
{
    QString sql = u"select count(*) from %1 where CGCEmpresa = '%2'"_s.arg(tabela, ie);
    if (!letra.isEmpty())
        sql += u" and TipoDomicilio = '%1'"_s.arg(letra);
    return f.value(sql).toInt();
}

void TstCadZef::novo(TfCadZEF &w, const QString &ano, const QString &ie)
{
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QVERIFY(w.edAnoBase()->hasFocus());
    QTest::keyClicks(w.edAnoBase(), ano);
    tab();
    if (ie.isEmpty())
        return;
    QVERIFY(w.edInscricao()->hasFocus());
    QTest::keyClicks(w.edInscricao(), ie);
    tab();
}

void TstCadZef::existingKeyWhileInsertingMovesToIt()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2024"_s, kA);
    declaracao(f, u"2025"_s, kA);
    TfCadZEF &w = abre(f);
    QCOMPARE(f.dm->anoBase(), u"2024"_s);

    novo(w, u"2025"_s, kA);

    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Browse);
    QCOMPARE(f.dm->tbZEF.recordCount(), 2);
    QCOMPARE(f.dm->anoBase(), u"2025"_s);
    QCOMPARE(f.dm->cgcEmpresa(), kA);
    QCOMPARE(w.razaoSocial()->text(), u"ALFA LTDA"_s);
    QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 2);
    QVERIFY(f.dialogs.texts().isEmpty());
}

void TstCadZef::unknownRegistrationOpensTheTaxpayerLookUp()
{
    RegisterFixture f;
    f.addTaxpayer(kB, u"BETA LTDA"_s, u"4751201"_s);
    TfCadZEF &w = abre(f);

    QString titulo;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto &pesquisa = dynamic_cast<TfPesquisaContribuinte &>(janela);
        titulo = pesquisa.windowTitle();
        QTest::mouseClick(pesquisa.btConfirma(), Qt::LeftButton);
    });
    novo(w, u"2025"_s, kDesconhecido);

    QVERIFY(!titulo.isEmpty());
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Insert);
    QCOMPARE(f.dm->cgcEmpresa(), kB);
    QCOMPARE(w.razaoSocial()->text(), u"BETA LTDA"_s);
    QCOMPARE(f.dm->tbZEF.fieldByName(u"CodigoMunicipio"_s)->asString(), u"1721000"_s);
    QCOMPARE(f.dm->tbZEF.fieldByName(u"CodigoAtividade"_s)->asString(), u"4751201"_s);
    QCOMPARE(w.focusWidget(), w.edInscricao());
}

void TstCadZef::choicesFollowTheYear_data()
{
    QTest::addColumn<QString>("ano");
    QTest::addColumn<QStringList>("finalidades");
    QTest::addColumn<QStringList>("regimes");

    QTest::newRow("2026") << u"2026"_s << QStringList{u"BAIXA VOLUNTÁRIA"_s, u"SUSPENSÃO VOLUNTÁRIA"_s}
                          << QStringList{u"Normal"_s};
    QTest::newRow("2025") << u"2025"_s << QStringList{u"INFORMAÇÃO ANUAL"_s} << QStringList{u"Normal"_s};
    QTest::newRow("2014") << u"2014"_s << QStringList{u"INFORMAÇÃO ANUAL"_s} << QStringList{u"Normal"_s};
    QTest::newRow("2013") << u"2013"_s << QStringList{u"INFORMAÇÃO ANUAL"_s}
                          << QStringList{u"Normal"_s, u"Simples Nacional"_s};
}

void TstCadZef::choicesFollowTheYear()
{
    QFETCH(QString, ano);
    QFETCH(QStringList, finalidades);
    QFETCH(QStringList, regimes);

    RegisterFixture f;
    TfCadZEF &w = abre(f);
    novo(w, ano);

    QCOMPARE(w.rgFinalidade()->items(), finalidades);
    QCOMPARE(w.rgnormal()->items(), regimes);
    QCOMPARE(w.rgFinalidade()->itemIndex(), -1);
    QVERIFY(f.dm->tbZEF.fieldByName(u"Finalidade"_s)->isNull());
    QVERIFY(f.dialogs.texts().isEmpty());
}

void TstCadZef::leavingTheYearEmptiesThePurpose()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2025"_s, kA);
    domicilio(f, u"2025"_s, kA, u"A"_s, u"2025-01-01"_s, u"2025-12-31"_s);
    TfCadZEF &w = abre(f);
    QCOMPARE(w.rgFinalidade()->value(), u"1"_s);

    digita(w.edAnoBase(), u"2025"_s);
    tab();
    QCOMPARE(w.rgFinalidade()->itemIndex(), -1);
    QCOMPARE(w.rgFinalidade()->items(), QStringList{u"INFORMAÇÃO ANUAL"_s});
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);

    QCOMPARE(f.dialogs.texts(), QStringList{u"Campo finalidade deve ser informado!"_s});
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Edit);
    QVERIFY(w.rgFinalidade()->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(f.value(u"select Finalidade from Zef"_s).toString(), u"1"_s);

    // Choosing it again stores the declaration.
    f.dialogs.clear();
    marca(w.rgFinalidade()->button(0));
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    QVERIFY2(f.dialogs.texts().isEmpty(), qPrintable(f.dialogs.texts().join(u'|')));
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Browse);
    QCOMPARE(f.value(u"select PeriodoRefFinal from Zef"_s).toDate(), QDate(2025, 12, 31));
}

void TstCadZef::activityOfTheYear_data()
{
    QTest::addColumn<QString>("ano");
    QTest::addColumn<QString>("atividade");

    QTest::newRow("2009 older classification") << u"2009"_s << u"4751200"_s;
    QTest::newRow("2010 as registered") << u"2010"_s << u"4751201"_s;
}

void TstCadZef::activityOfTheYear()
{
    QFETCH(QString, ano);
    QFETCH(QString, atividade);

    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s, u"4751201"_s);
    TfCadZEF &w = abre(f);
    novo(w, ano, kA);

    QCOMPARE(f.dm->tbZEF.fieldByName(u"CodigoAtividade"_s)->asString(), atividade);
    QCOMPARE(f.dm->tbZEF.fieldByName(u"CodigoMunicipio"_s)->asString(), u"1721000"_s);
    QCOMPARE(w.nomeMunicipio()->text().isEmpty(), false);
}

void TstCadZef::blankMunicipalityOpensItsLookUp()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2025"_s, kA);
    f.exec(u"update Zef set CodigoMunicipio = NULL"_s);
    TfCadZEF &w = abre(f);
    QVERIFY(w.nomeMunicipio()->text().isEmpty());

    int vistas = 0;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto &pesquisa = dynamic_cast<TfPesquisaMunicipio &>(janela);
        ++vistas;
        QTest::keyClicks(pesquisa.edPesquisa(), u"ALDEIA NOVA"_s);
        QTest::mouseClick(pesquisa.btConfirma(), Qt::LeftButton);
    });
    QTest::mouseClick(w.edCodigoMunicipio(), Qt::LeftButton);
    QVERIFY(w.edCodigoMunicipio()->hasFocus());
    tab();
    QCOMPARE(vistas, 1);
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Edit);
    QCOMPARE(f.dm->tbZEF.fieldByName(u"CodigoMunicipio"_s)->asString(), u"1702356"_s);
    QCOMPARE(w.nomeMunicipio()->text(), u"ALDEIA NOVA"_s);
}

void TstCadZef::yearRefused_data()
{
    QTest::addColumn<QString>("ano");
    QTest::addColumn<QString>("mensagem");

    QTest::newRow("empty") << QString() << u"Ano Base deve ser informado!"_s;
    QTest::newRow("2007") << u"2007"_s << u"Ano Base deve ser maior ou igual a 2008!"_s;
    QTest::newRow("2027") << u"2027"_s << u"Ano Base deve ser menor ou igual a 2026!"_s;
}

void TstCadZef::yearRefused()
{
    QFETCH(QString, ano);
    QFETCH(QString, mensagem);

    RegisterFixture f;
    TfCadZEF &w = abre(f);
    novo(w, ano);

    QCOMPARE(f.dialogs.texts(), QStringList{mensagem});
    QVERIFY(w.edAnoBase()->hasFocus());
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Insert);
}

void TstCadZef::storeChecksFocusTheirControl()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    TfCadZEF &w = abre(f);
    novo(w, u"2025"_s, kA);

    // The new row has only the defaults: book-keeping is the first answer missing.
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{u"Campo escrituração deve ser informado!"_s});
    QVERIFY(w.rgEscrituracao()->isAncestorOf(QApplication::focusWidget()));

    marca(w.rgEscrituracao()->button(1));
    marca(w.rgEstabelecimento()->button(0));
    marca(w.rgFinalidade()->button(0));
    f.dialogs.clear();
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{u"Campo saldo de caixa inicial deve ser informado!"_s});
    QCOMPARE(QApplication::focusWidget(), w.edCaixaInicial());

    for (DBEdit *valor : {w.edCaixaInicial(), w.edCaixaFinal(), w.edPatrimonio()})
        digita(valor, u"1000"_s + QLocale().decimalPoint() + u"50"_s);
    f.dialogs.clear();
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{u"Campo município do domícílio fiscal deve ser informado!"_s});
    QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Insert);
    QCOMPARE(f.dm->tbZEF.fieldByName(u"VlrPatrimLiq"_s)->asFloat(), 1000.5);
    QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 0);
}

void TstCadZef::noMoveRemovesEarlierDomiciles()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2025"_s, kA, true);
    domicilio(f, u"2025"_s, kA, u"A"_s, u"2025-07-01"_s, u"2025-12-31"_s);
    domicilio(f, u"2025"_s, kA, u"B"_s, u"2025-03-01"_s, u"2025-06-30"_s);
    domicilio(f, u"2025"_s, kA, u"C"_s, u"2025-01-01"_s, u"2025-02-28"_s);
    for (const QString &tabela : kPorDomicilio)
        for (const QChar letra : u"ABCDE"_s)
            f.exec(u"insert into %1 (AnoBase, CGCEmpresa, TipoDomicilio) values ('2025', '%2', '%3')"_s.arg(
                tabela, kA, QString(letra)));
    f.exec(u"insert into Estoque (AnoBase, CGCEmpresa) values ('2025', '%1')"_s.arg(kA));
    TfCadZEF &w = abre(f);
    QCOMPARE(w.linhaDomicilio(2).letra->text(), u"C"_s);
    QVERIFY(w.linhaDomicilio(2).marca->isVisibleTo(&w));
    QCOMPARE(w.linhaDomicilio(1).inicio->text(), u"01/03/2025"_s);

    QString aberta;
    bool cabecalhoOculto = false;
    defineGanchoJanelaModal([&](QDialog &janela) {
        aberta = QString::fromLatin1(janela.metaObject()->className());
        cabecalhoOculto = !w.isVisible();
        janela.close();
    });
    marca(w.rgdomicilio()->button(1));

    QCOMPARE(aberta, u"zef::TfDomicilio"_s);
    QVERIFY(cabecalhoOculto);
    QVERIFY(w.isVisible());
    QCOMPARE(linhas(f, u"ZefMunAnterior"_s, kA), 1);
    QCOMPARE(linhas(f, u"ZefMunAnterior"_s, kA, u"A"_s), 1);
    for (const QString &tabela : kPorDomicilio) {
        QVERIFY2(linhas(f, tabela, kA) == 1, qPrintable(tabela));
        QVERIFY2(linhas(f, tabela, kA, u"A"_s) == 1, qPrintable(tabela));
    }
    QCOMPARE(linhas(f, u"Estoque"_s, kA), 1);
    QVERIFY(w.linhaDomicilio(1).letra->text().isEmpty());
    QVERIFY(!w.linhaDomicilio(1).marca->isVisibleTo(&w));
    QCOMPARE(w.linhaDomicilio(0).letra->text(), u"A"_s);
}

// Opened from the main window, keyed half-way, "SIM" answered and the domicile window left with
// "Retornar": the header is on screen again, still modal, as the user left it, and nothing of it
// was stored.
void TstCadZef::headerComesBackAfterTheDomiciles()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    struct Visto {
        bool voltou = false;
        QString ano, inscricao;
        Dataset::State estado = Dataset::State::Inactive;
        int gravadas = -1;
    } visto;
    QStringList abertas;
    defineGanchoJanelaModal([&](QDialog &janela) {
        abertas.append(janela.objectName());
        if (auto *domicilio = qobject_cast<TfDomicilio *>(&janela)) {
            QTest::mouseClick(domicilio->btRetornar(), Qt::LeftButton);
            return;
        }
        auto &w = dynamic_cast<TfCadZEF &>(janela);
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        novo(w, u"2025"_s, kA);
        marca(w.rgdomicilio()->button(0));
        // Once the domicile window has gone, what the user sees of the header.
        QTimer::singleShot(0, &w, [&visto, &w, &f] {
            visto.voltou = w.isVisible() && QApplication::activeModalWidget() == &w;
            visto.ano = w.edAnoBase()->text();
            visto.inscricao = w.edInscricao()->text();
            visto.estado = f.dm->tbZEF.state();
            visto.gravadas = f.value(u"select count(*) from Zef"_s).toInt();
            QTest::mouseClick(w.btRetorna(), Qt::LeftButton);
        });
    });
    abreCadastroZef(nullptr, *f.dm, f.dialogs);

    QCOMPARE(abertas, (QStringList{u"fCadZEF"_s, u"fDomicilio"_s}));
    QVERIFY(visto.voltou);
    QCOMPARE(visto.ano, u"2025"_s);
    QCOMPARE(SoDigitos(visto.inscricao), kA);
    QCOMPARE(visto.estado, Dataset::State::Insert);
    QCOMPARE(visto.gravadas, 0);
    QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 0);
    QVERIFY(!fCadZEF);
}

void TstCadZef::continuaNeedsTheDomiciles()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2025"_s, kA, true);
    domicilio(f, u"2025"_s, kA, u"A"_s, u"2025-07-01"_s, u"2025-12-31"_s);
    TfCadZEF &w = abre(f);
    QCOMPARE(w.domicileAnswer(), HeaderWindow::DomicileAnswer::Sim);

    QStringList abertas;
    defineGanchoJanelaModal([&](QDialog &janela) {
        abertas.append(janela.objectName());
        janela.close();
    });
    QTest::mouseClick(w.btContinua(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{u"É necessário informar o(s) município(s) de Domicílio Fiscal."_s});
    QVERIFY(abertas.isEmpty());

    domicilio(f, u"2025"_s, kA, u"B"_s, u"2025-01-01"_s, u"2025-06-30"_s);
    f.dialogs.clear();
    QTest::mouseClick(w.btContinua(), Qt::LeftButton);
    QVERIFY(f.dialogs.texts().isEmpty());
    QCOMPARE(abertas, QStringList{u"fOpcoes"_s});
}

void TstCadZef::excluirRemovesTheDeclaration()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    f.addTaxpayer(kB, u"BETA LTDA"_s);
    declaracao(f, u"2025"_s, kA);
    declaracao(f, u"2025"_s, kB);
    for (const QString &ie : {kA, kB}) {
        domicilio(f, u"2025"_s, ie, u"A"_s, u"2025-01-01"_s, u"2025-12-31"_s);
        for (const QString &tabela : kPorDomicilio + QStringList{u"Operacoes"_s, u"Estoque"_s})
            f.exec(u"insert into %1 (AnoBase, CGCEmpresa) values ('2025', '%2')"_s.arg(tabela, ie));
    }
    TfCadZEF &w = abre(f);
    QCOMPARE(f.dm->cgcEmpresa(), kA);

    f.dialogs.answer(Dialogs::Button::Cancel);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{u"Confirma exclusão?"_s});
    QCOMPARE(f.dialogs.boxes().front().title, u"ZEF"_s);
    QCOMPARE(f.dialogs.boxes().front().buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(f.dialogs.boxes().front().byDefault, Dialogs::Button::Cancel);
    QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 2);

    f.dialogs.clear();
    f.dialogs.answer(Dialogs::Button::Ok);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), (QStringList{u"Confirma exclusão?"_s, u"ZEF excluído com sucesso!"_s}));
    for (const QString &tabela : kPorDomicilio + QStringList{u"Operacoes"_s, u"Estoque"_s, u"ZefMunAnterior"_s,
                                                             u"Zef"_s}) {
        QVERIFY2(linhas(f, tabela, kA) == 0, qPrintable(tabela));
        QVERIFY2(linhas(f, tabela, kB) == 1, qPrintable(tabela));
    }
    QCOMPARE(f.dm->cgcEmpresa(), kB);
    QCOMPARE(w.razaoSocial()->text(), u"BETA LTDA"_s);
}

// With the program's own message boxes, an Enter on the question deletes nothing.
void TstCadZef::enterOnTheQuestionKeepsTheDeclaration()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2025"_s, kA);
    QtDialogs caixas;
    TfCadZEF &w = CriaJanela(fCadZEF, *f.dm, caixas);
    QVERIFY(mostra(w));
    QString pergunta;
    enterNaProximaCaixa(&pergunta);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(pergunta, u"Confirma exclusão?"_s);
    QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 1);
}

void TstCadZef::buttonsFollowTheRow()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"ALFA LTDA"_s);
    declaracao(f, u"2025"_s, kA);
    TfCadZEF &w = abre(f);

    const auto emEdicao = [&](bool editando) {
        QCOMPARE(w.btGravar()->isEnabled(), editando);
        QCOMPARE(w.btCancelar()->isEnabled(), editando);
        for (QWidget *b : {static_cast<QWidget *>(w.btNovo()), static_cast<QWidget *>(w.btExcluir()),
                           static_cast<QWidget *>(w.btContinua()), static_cast<QWidget *>(w.navegador())})
            QCOMPARE(b->isEnabled(), !editando);
    };
    emEdicao(false);
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    emEdicao(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    emEdicao(false);
    QCOMPARE(f.dm->tbZEF.recordCount(), 1);
    QCOMPARE(f.dm->anoBase(), u"2025"_s);
    QVERIFY(f.dialogs.texts().isEmpty());
}

// The window with a declaration of two domiciles fits 1366x768; with ZEF_SCREENSHOT_DIR set its
// picture is written there (docs/screenshots).
void TstCadZef::fitsTheScreen()
{
    RegisterFixture f;
    f.addTaxpayer(kA, u"D'ÁVILA COMÉRCIO DE INFORMÁTICA LTDA"_s, u"4751201"_s);
    declaracao(f, u"2025"_s, kA, true);
    domicilio(f, u"2025"_s, kA, u"A"_s, u"2025-07-01"_s, u"2025-12-31"_s);
    domicilio(f, u"2025"_s, kA, u"B"_s, u"2025-01-01"_s, u"2025-06-30"_s);
    f.exec(u"update Zef set PeriodoRefInicio = '2025-01-01', PeriodoRefFinal = '2025-12-31'"_s);
    TfCadZEF &w = abre(f);

    // A 1366x768 screen with a task bar leaves about 720 points; the title bar takes 30 of them.
    QVERIFY2(w.height() + 30 <= 720, qPrintable(QString::number(w.height())));
    QVERIFY(w.width() <= 1366);
    QCOMPARE(w.linhaDomicilio(1).municipio->text(), u"ALDEIA NOVA"_s);
    const QPixmap imagem = w.grab();
    QVERIFY(!imagem.isNull());
    const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR");
    if (!pasta.isEmpty())
        QVERIFY(imagem.save(QDir(pasta).filePath(u"cad_zef.png"_s)));
}

QTEST_MAIN(TstCadZef)
#include "tst_cad_zef.moc"
