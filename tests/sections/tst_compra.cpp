#include "../header/register_fixture.h"

#include "app/opcoes.h"
#include "app/widgets/db_grid.h"
#include "export/gera_arquivo.h"
#include "sections/abre_secoes.h"
#include "sections/cfop.h"
#include "sections/compra.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

const QString kIE = u"290000017"_s;
const QString kVardelopolis = u"1721000"_s;
const QString kAldeia = u"1702356"_s;
const QString kCompras = u"01 - COMPRAS"_s;
const QString kOutras = u"11 - OUTRAS ENTRADAS"_s;

using Button = Dialogs::Button;

// A declaration of 2025, in Vardelópolis; with a move, its domiciles A (Vardelópolis) and B (Aldeia).
void declaracao(RegisterFixture &f, bool mudou, const QString &regime = u"3"_s, const QString &statusN = u"N"_s)
{
    f.addTaxpayer(kIE, u"ALFA COMÉRCIO LTDA"_s);
    f.exec(u"insert into Zef (AnoBase, CGCEmpresa, CodigoMunicipio, RegimeApuracao, TipoEscrita, Finalidade, "
           u"TipoEstabelecimento, Retificacao, StatusDRF, StatusN, StatusME) values ('2025', '%1', '1721000', '%2', "
           u"'1', '1', '1', 'N', '%3', '%4', '%4')"_s
               .arg(kIE, regime, mudou ? u"S"_s : u"N"_s, statusN));
    if (!mudou)
        return;
    f.exec(u"insert into ZefMunAnterior (AnoBase, CGCEmpresa, TipoDomicilio, CodMunicipioAnt, DataDRFAntI, "
           u"DataDRFAntF) values ('2025', '%1', 'A', '%2', '2025-06-01', '2025-12-31'), "
           u"('2025', '%1', 'B', '%3', '2025-01-01', '2025-05-31')"_s
               .arg(kIE, kVardelopolis, kAldeia));
}

void abreDeclaracao(RegisterFixture &f)
{
    f.dm->tbZEF.open();
    QVERIFY(f.dm->tbZEF.findKey({u"2025"_s, kIE}));
}

// Chooses the item with the keyboard: the chooser takes the focus and the arrow keys walk to it.
void escolhe(QComboBox *combo, const QString &texto)
{
    const int alvo = combo->findText(texto, Qt::MatchStartsWith);
    QVERIFY2(alvo >= 0, qPrintable(texto));
    combo->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(combo->hasFocus());
    if (alvo == combo->count() - 1)
        QTest::keyClick(combo, Qt::Key_End);
    else if (combo->currentIndex() < 0)
        QTest::keyClick(combo, Qt::Key_Home);
    while (combo->currentIndex() < alvo)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > alvo)
        QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(combo->currentIndex(), alvo);
}

// Types into a cell of the edit grid on the line of that domicile and writes the cell, as leaving it
// does.
void digitaNaGrade(DBGrid *grade, const QString &letra, int coluna, const QString &texto)
{
    Dataset *ds = grade->dataset();
    QVERIFY(ds->locate({u"TipoDomicilio"_s}, {letra}));
    if (QApplication::activeWindow() != grade->window()) {
        grade->window()->activateWindow();
        QApplication::setActiveWindow(grade->window());
    }
    grade->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(grade->hasFocus());
    grade->setFocusColumn(coluna);
    for (const QChar c : texto)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    if (grade->isEditing())
        QVERIFY(grade->commitEditor());
    QCoreApplication::processEvents();
}

void alt(QWidget &janela, Qt::Key tecla)
{
    QWidget *w = QApplication::focusWidget();
    QTest::keyClick(w ? w : &janela, tecla, Qt::AltModifier);
    // A button's mnemonic shows the button pressed for a moment and clicks it after.
    QTest::qWait(250);
}

double valor(RegisterFixture &f, const QString &campo, const QString &tipo, const QString &letra = u"A"_s)
{
    Query q(f.dm->dtbBaseDados, u"select %1 from Compras where TipoEntradas = :t and TipoDomicilio = :l"_s.arg(campo));
    q.setParam(u"t"_s, tipo);
    q.setParam(u"l"_s, letra);
    return q.scalar().toDouble();
}

void salva(QWidget &janela, const QString &nome)
{
    const QString pasta = qEnvironmentVariable("ZEF_SCREENSHOT_DIR");
    QVERIFY(janela.width() <= 1366 && janela.height() <= 768);
    const QPixmap imagem = janela.grab();
    QVERIFY(!imagem.isNull());
    if (!pasta.isEmpty())
        QVERIFY(imagem.save(QDir(pasta).filePath(nome)));
}

} // namespace

class TstCompra : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void layoutFollowsTheMove_data();
    void layoutFollowsTheMove();
    void typedAmountIsStoredAfterTheBalanceQuestion_data();
    void typedAmountIsStoredAfterTheBalanceQuestion();
    void excluirAsksFirst_data();
    void excluirAsksFirst();
    void simplifiedRegimeColumnsRefuseInput();
    void closeCheckQuestions_data();
    void closeCheckQuestions();
    void chooserOpensTheEditorAndHidesItsOpeners();
    void modalChooserStaysOpenAfterTheEditor();
    void section03ThroughTheWindowsGivesTheDeclarationLines();
    void screenshots();
};

void TstCompra::cleanup()
{
    defineGanchoJanelaModal({});
}

void TstCompra::layoutFollowsTheMove_data()
{
    QTest::addColumn<bool>("mudou");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("linhas");
    QTest::newRow("compact") << false << u"3.2 - Valor Contábil"_s << u"3.6                  TOTAL"_s << 1;
    QTest::newRow("full") << true << u"3.3 - Valor Contábil"_s << u"3.7                  TOTAL"_s << 2;
}

void TstCompra::layoutFollowsTheMove()
{
    QFETCH(bool, mudou);
    QFETCH(QString, titulo);
    QFETCH(QString, total);
    QFETCH(int, linhas);
    RegisterFixture f;
    declaracao(f, mudou);
    // A line of another type is listed from the start; the edit grid starts empty.
    f.exec(u"insert into Compras (AnoBase, CGCEmpresa, TipoEntradas, TipoRegime, TipoDomicilio, CodMunicipio, "
           u"VlrContabil, BaseCalculo, Outras, SubTributaria) values ('2025', '%1', '04 - TRANSPORTES', 'A', 'A', "
           u"'1721000', 10, 10, 0, 0)"_s.arg(kIE));
    abreDeclaracao(f);
    TfCompra w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QCOMPARE(f.dm->fCompra, static_cast<SectionEditor *>(&w));
    QCOMPARE(w.gradeEdicao()->model()->rowCount(), 0);
    QCOMPARE(w.gradeLista()->model()->rowCount(), 1);
    QCOMPARE(w.gradeEdicao()->model()->headerData(3, Qt::Horizontal).toString(), titulo);
    QCOMPARE(w.rotuloTotal()->text(), total);
    QCOMPARE(w.gradeEdicao()->isColumnHidden(1), !mudou);
    QCOMPARE(w.cbTipoEntrada()->count(), 11);
    QCOMPARE(w.cbTipoEntrada()->itemText(10), kOutras);
    QCOMPARE(w.btRetornar()->text(), u"&Retorna"_s);

    escolhe(w.cbTipoEntrada(), kCompras);
    QCOMPARE(w.gradeEdicao()->model()->rowCount(), linhas);
    QCOMPARE(w.gradeLista()->model()->rowCount(), 1 + linhas);
    // Line A's total sums every type.
    QCOMPARE(w.linhaTotal(0).mid(2, 1), QStringList{u"10,00"_s});
    const int altura = w.height();
    // Choosing it again makes no new lines.
    escolhe(w.cbTipoEntrada(), u"02"_s);
    escolhe(w.cbTipoEntrada(), kCompras);
    QCOMPARE(f.value(u"select count(*) from Compras where TipoEntradas = '01 - COMPRAS'"_s).toInt(), linhas);
    QCOMPARE(w.height(), altura);
}

void TstCompra::typedAmountIsStoredAfterTheBalanceQuestion_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<Button>("resposta");
    QTest::addColumn<double>("gravado");
    QTest::newRow("with groups, Sim") << u"1.500,00"_s << Button::Yes << 1500.0;
    QTest::newRow("plain, Sim") << u"1500,00"_s << Button::Yes << 1500.0;
    QTest::newRow("Não") << u"1500,00"_s << Button::No << 0.0;
}

void TstCompra::typedAmountIsStoredAfterTheBalanceQuestion()
{
    QFETCH(QString, digitado);
    QFETCH(Button, resposta);
    QFETCH(double, gravado);
    RegisterFixture f;
    declaracao(f, true);
    abreDeclaracao(f);
    TfCompra w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    escolhe(w.cbTipoEntrada(), kCompras);
    QVERIFY(w.btNovo()->isEnabled());
    digitaNaGrade(w.gradeEdicao(), u"B"_s, 3, digitado);
    QVERIFY(f.dm->tbCompras.editing());
    QVERIFY(w.btGravar()->isEnabled() && !w.btNovo()->isEnabled() && !w.cbTipoEntrada()->isEnabled());
    f.dialogs.answer(resposta);
    alt(w, Qt::Key_G);
    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    QCOMPARE(valor(f, u"VlrContabil"_s, kCompras, u"B"_s), gravado);
    QCOMPARE(f.dm->tbCompras.editing(), resposta == Button::No);
    if (resposta == Button::Yes) {
        // The totals follow the stored line.
        QCOMPARE(w.linhaTotal(1).at(2), u"1.500,00"_s);
        QVERIFY(w.cbTipoEntrada()->isEnabled());
    } else {
        // Escape gives the line back.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!f.dm->tbCompras.editing());
        QVERIFY(w.isVisible());
    }
}

void TstCompra::excluirAsksFirst_data()
{
    QTest::addColumn<Button>("resposta");
    QTest::addColumn<int>("restantes");
    QTest::newRow("Cancel") << Button::Cancel << 4;
    QTest::newRow("OK") << Button::Ok << 2;
}

void TstCompra::excluirAsksFirst()
{
    QFETCH(Button, resposta);
    QFETCH(int, restantes);
    RegisterFixture f;
    declaracao(f, true);
    abreDeclaracao(f);
    TfCompra w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    escolhe(w.cbTipoEntrada(), u"02"_s);
    escolhe(w.cbTipoEntrada(), kCompras);
    f.dialogs.answer(resposta);
    alt(w, Qt::Key_E);
    QCOMPARE(f.dialogs.boxes().back().text, u"Confirma exclusão"_s);
    QCOMPARE(f.dialogs.boxes().back().title, u"Compra"_s);
    QCOMPARE(f.dialogs.boxes().back().buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(f.value(u"select count(*) from Compras"_s).toInt(), restantes);
    QCOMPARE(w.gradeLista()->model()->rowCount(), restantes);
    QCOMPARE(w.gradeEdicao()->model()->rowCount(), restantes == 4 ? 2 : 0);
}

void TstCompra::simplifiedRegimeColumnsRefuseInput()
{
    RegisterFixture f;
    declaracao(f, false, u"4"_s);
    abreDeclaracao(f);
    TfCompra w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    escolhe(w.cbTipoEntrada(), u"07"_s);
    // Under this regime the balance compares the accounting value with the substitution alone.
    f.dialogs.setFixedAnswer(Button::Yes);
    // Under the simplified regime type 07 takes the accounting value and the exempt amounts only.
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 4, u"50"_s);
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 6, u"50"_s);
    QVERIFY(!f.dm->tbCompras.editing());
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 3, u"80"_s);
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 5, u"80"_s);
    // Under this regime the balance compares the accounting value with the substitution alone.
    alt(w, Qt::Key_G);
    QCOMPARE(valor(f, u"VlrContabil"_s, u"07 - DIFERENCIAL DE ALÍQUOTA"_s), 80.0);
    QCOMPARE(valor(f, u"Outras"_s, u"07 - DIFERENCIAL DE ALÍQUOTA"_s), 80.0);
    QCOMPARE(valor(f, u"BaseCalculo"_s, u"07 - DIFERENCIAL DE ALÍQUOTA"_s), 0.0);

    // Any other type: the accounting value and the substitution.
    escolhe(w.cbTipoEntrada(), kCompras);
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 5, u"50"_s);
    QVERIFY(!f.dm->tbCompras.editing());
    QCOMPARE(w.gradeEdicao()->model()->headerData(4, Qt::Horizontal, Qt::ForegroundRole).isValid(), true);
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 6, u"50"_s);
    QVERIFY(f.dm->tbCompras.editing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!f.dm->tbCompras.editing());
}

void TstCompra::closeCheckQuestions_data()
{
    QTest::addColumn<QString>("statusN");
    QTest::addColumn<Button>("resposta");
    QTest::addColumn<bool>("fecha");
    QTest::newRow("Sim keeps it open") << u"S"_s << Button::Yes << false;
    QTest::newRow("Não closes") << u"S"_s << Button::No << true;
    QTest::newRow("no check") << u"N"_s << Button::Yes << true;
}

void TstCompra::closeCheckQuestions()
{
    QFETCH(QString, statusN);
    QFETCH(Button, resposta);
    QFETCH(bool, fecha);
    RegisterFixture f;
    declaracao(f, false, u"3"_s, statusN);
    abreDeclaracao(f);
    TfCompra w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    escolhe(w.cbTipoEntrada(), kCompras);
    if (statusN == u"S")
        f.dialogs.answer(resposta);
    alt(w, Qt::Key_R);
    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    QCOMPARE(w.isVisible(), !fecha);
    if (statusN == u"S")
        QCOMPARE(f.dialogs.texts(), QStringList{u"A empresa teve - COMPRAS, durante o período de enquadramento "
                                                u"no Tipo de Regime B (Microempresa / Emp. de Pequeno Porte)?"_s});
    else
        QVERIFY(f.dialogs.texts().isEmpty());
}

void TstCompra::chooserOpensTheEditorAndHidesItsOpeners()
{
    RegisterFixture f;
    declaracao(f, false);
    abreDeclaracao(f);
    QWidget cabecalho;
    TfOpcoes opcoes(*f.dm, &cabecalho);
    ligaEditoresSecao(opcoes, *f.dm, f.dialogs);
    QVERIFY(mostra(cabecalho));
    QVERIFY(mostra(opcoes));
    QStringList vistos;
    defineGanchoJanelaModal([&](QDialog &janela) {
        vistos.append(janela.objectName());
        QVERIFY(!opcoes.isVisible());
        QVERIFY(!cabecalho.isVisible());
        janela.close();
    });
    opcoes.selecionaPosicao(0);
    opcoes.btnContinua()->click();
    QCOMPARE(vistos, QStringList{u"fCompra"_s});
    QVERIFY(opcoes.isVisible() && cabecalho.isVisible());
    QCOMPARE(f.dm->fCompra, nullptr);
    // Item 04 has no editor yet.
    opcoes.selecionaPosicao(1);
    opcoes.btnContinua()->click();
    QCOMPARE(vistos.size(), 1);
    QCOMPARE(f.dialogs.texts(), QStringList{u"O item 04 ainda não pode ser editado nesta versão."_s});
}

// The chooser runs modally, as the header opens it: closing the editor gives it back its loop
// instead of ending it, and it stays open until its own "&Retorna".
void TstCompra::modalChooserStaysOpenAfterTheEditor()
{
    RegisterFixture f;
    declaracao(f, false);
    abreDeclaracao(f);
    TfOpcoes opcoes(*f.dm, nullptr);
    ligaEditoresSecao(opcoes, *f.dm, f.dialogs);
    QStringList vistos;
    bool voltou = false;
    defineGanchoJanelaModal([&](QDialog &janela) {
        vistos.append(janela.objectName());
        if (&janela == &opcoes) {
            opcoes.selecionaPosicao(0);
            opcoes.btnContinua()->click();
            // Back from the editor: the chooser is still up and still modal.
            voltou = opcoes.isVisible();
            opcoes.close();
        } else {
            janela.close();
        }
    });
    MostraModal(opcoes);
    QCOMPARE(vistos, (QStringList{opcoes.objectName(), u"fCompra"_s}));
    QVERIFY(voltou);
    QVERIFY(!opcoes.isVisible());
}

void TstCompra::section03ThroughTheWindowsGivesTheDeclarationLines()
{
    RegisterFixture f;
    declaracao(f, true);
    abreDeclaracao(f);
    f.dialogs.setFixedAnswer(Button::Yes);
    TfCompra w(*f.dm, f.dialogs);
    QVERIFY(mostra(w));
    escolhe(w.cbTipoEntrada(), kCompras);
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 3, u"1.500,00"_s);
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 4, u"1.500,00"_s);
    alt(w, Qt::Key_G);
    digitaNaGrade(w.gradeEdicao(), u"B"_s, 3, u"200,50"_s);
    digitaNaGrade(w.gradeEdicao(), u"B"_s, 6, u"200,50"_s);
    alt(w, Qt::Key_G);

    // Type 11 opens the CFOP editor; two codes for two domiciles are keyed there.
    QStringList cfopVisto;
    defineGanchoJanelaModal([&](QDialog &janela) {
        auto *cfop = dynamic_cast<TfCFOP *>(&janela);
        QVERIFY(cfop);
        QCOMPARE(cfop->SentidoCFOP(), u"E"_s);
        QCOMPARE(cfop->grupo()->title(), u"11 - Outras Entradas - por CFOP"_s);
        QCOMPARE(f.dm->fCFOP, static_cast<SectionEditor *>(cfop));
        QVERIFY(cfop->cbCFOP()->findText(u"1933"_s, Qt::MatchStartsWith) >= 0);
        escolhe(cfop->cbCFOP(), u"1602"_s);
        digitaNaGrade(cfop->gradeEdicao(), u"A"_s, 3, u"100,00"_s);
        digitaNaGrade(cfop->gradeEdicao(), u"A"_s, 4, u"100,00"_s);
        alt(*cfop, Qt::Key_G);
        QVERIFY(cfop->cbCFOP()->hasFocus());
        digitaNaGrade(cfop->gradeEdicao(), u"B"_s, 3, u"30"_s);
        digitaNaGrade(cfop->gradeEdicao(), u"B"_s, 5, u"30"_s);
        alt(*cfop, Qt::Key_G);
        escolhe(cfop->cbCFOP(), u"1601"_s);
        digitaNaGrade(cfop->gradeEdicao(), u"A"_s, 3, u"25,25"_s);
        digitaNaGrade(cfop->gradeEdicao(), u"A"_s, 4, u"25,25"_s);
        alt(*cfop, Qt::Key_G);
        cfopVisto = cfop->linhaTotal(0);
        alt(*cfop, Qt::Key_R);
    });
    escolhe(w.cbTipoEntrada(), kOutras);
    defineGanchoJanelaModal({});
    QCOMPARE(cfopVisto, (QStringList{u"A"_s, u"VARDELÓPOLIS"_s, u"125,25"_s, u"125,25"_s, u"0,00"_s, u"0,00"_s}));
    QCOMPARE(f.dm->fCFOP, nullptr);
    // Walking the list with the arrows chooses every code on the way, as choosing does.
    QCOMPARE(f.value(u"select count(*) from CFOPOperacoes where CFOP in (1601, 1602)"_s).toInt(), 4);
    QCOMPARE(f.value(u"select sum(VlrContabil) from CFOPOperacoes where CFOP not in (1601, 1602)"_s).toDouble(), 0.0);
    QCOMPARE(valor(f, u"VlrContabil"_s, kOutras, u"A"_s), 125.25);
    QCOMPARE(valor(f, u"Outras"_s, kOutras, u"B"_s), 30.0);
    // Type 11's amounts are not keyed.
    digitaNaGrade(w.gradeEdicao(), u"A"_s, 3, u"9"_s);
    QVERIFY(!f.dm->tbCompras.editing());
    w.close();

    const DeclarationFileText texto = montaTextoArquivo(f.dm->dtbBaseDados, f.dialogs, u"2025"_s, {kIE});
    QStringList linhas;
    for (const QByteArray &l : texto.text.split('\n'))
        if (l.startsWith('E') || l.startsWith('L'))
            linhas.append(QString::fromLatin1(l.trimmed()));
    // Codes 1554 and 1555 were passed on the way to 1601 and 1602 and keep their zero lines.
    QCOMPARE(linhas, (QStringList{
                         u"E2025     2900000170100000000150000000000001500000000000000000000000000000000A"_s,
                         u"E2025     2900000170100000000020050000000000000000000000000000000000000020050B"_s,
                         u"E2025     2900000171100000000012525000000000125250000000000000000000000000000A"_s,
                         u"E2025     2900000171100000000003000000000000000000000000000300000000000000000B"_s,
                         u"L2025     290000017E155400000000000000000000000000000000000000000000000000000000A"_s,
                         u"L2025     290000017E155400000000000000000000000000000000000000000000000000000000B"_s,
                         u"L2025     290000017E155500000000000000000000000000000000000000000000000000000000A"_s,
                         u"L2025     290000017E155500000000000000000000000000000000000000000000000000000000B"_s,
                         u"L2025     290000017E160100000000002525000000000025250000000000000000000000000000A"_s,
                         u"L2025     290000017E160100000000000000000000000000000000000000000000000000000000B"_s,
                         u"L2025     290000017E160200000000010000000000000100000000000000000000000000000000A"_s,
                         u"L2025     290000017E160200000000003000000000000000000000000000300000000000000000B"_s,
                     }));
}

void TstCompra::screenshots()
{
    for (const bool mudou : {false, true}) {
        RegisterFixture f;
        declaracao(f, mudou);
        abreDeclaracao(f);
        f.dialogs.setFixedAnswer(Button::Yes);
        TfCompra w(*f.dm, f.dialogs);
        QVERIFY(mostra(w));
        escolhe(w.cbTipoEntrada(), kCompras);
        digitaNaGrade(w.gradeEdicao(), u"A"_s, 3, u"1.500,00"_s);
        digitaNaGrade(w.gradeEdicao(), u"A"_s, 4, u"1.500,00"_s);
        alt(w, Qt::Key_G);
        salva(w, mudou ? u"compra_completa.png"_s : u"compra_compacta.png"_s);
        defineGanchoJanelaModal([&](QDialog &janela) {
            auto *cfop = dynamic_cast<TfCFOP *>(&janela);
            QVERIFY(cfop);
            escolhe(cfop->cbCFOP(), u"1602"_s);
            digitaNaGrade(cfop->gradeEdicao(), u"A"_s, 3, u"100,00"_s);
            digitaNaGrade(cfop->gradeEdicao(), u"A"_s, 4, u"100,00"_s);
            alt(*cfop, Qt::Key_G);
            salva(*cfop, mudou ? u"cfop_completa.png"_s : u"cfop_compacta.png"_s);
            alt(*cfop, Qt::Key_R);
        });
        escolhe(w.cbTipoEntrada(), kOutras);
        defineGanchoJanelaModal({});
    }
}

QTEST_MAIN(TstCompra)
#include "tst_compra.moc"
