#include "register_fixture.h"

#include "app/widgets/db_navigator.h"
#include "header/atividades.h"
#include "header/municipios.h"
#include "header/pesquisa_atividade.h"
#include "header/pesquisa_municipio.h"
#include "app/window_ui.h"

#include <QLineEdit>
#include <QPushButton>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

class TstTabelaReferencia : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { defineGanchoJanelaModal({}); }

    void captionsAndButtons();
    void localizarMovesToTheChoice();
    void localizarWithEmptyResultStays();
    void novoGravarAndButtons();
    void wholeRegisterWithACurrentTaxpayer();
};

void TstTabelaReferencia::captionsAndButtons()
{
    RegisterFixture f;
    TfMunicipios &m = CriaJanela(fMunicipios, *f.dm, f.dialogs);
    TfAtividades &a = CriaJanela(fAtividades, *f.dm, f.dialogs);
    QCOMPARE(m.windowTitle(), u"Municipios"_s);
    QCOMPARE(a.windowTitle(), u"Atividades"_s);
    QCOMPARE(f.dm->fMunicipios, static_cast<EditingWindow *>(&m));
    QCOMPARE(f.dm->fAtividades, static_cast<EditingWindow *>(&a));
    for (TfTabelaReferencia *w : std::initializer_list<TfTabelaReferencia *>{&m, &a}) {
        QCOMPARE(w->btNovo()->text(), u"&Novo"_s);
        QCOMPARE(w->btGravar()->text(), u"&Gravar"_s);
        QCOMPARE(w->btCancelar()->text(), u"&Cancelar"_s);
        QCOMPARE(w->btLocalizar()->text(), u"&Localizar"_s);
        QCOMPARE(w->btRetornar()->text(), u"Retornar"_s);
    }
    liberaJanelasCadastro();
    QCOMPARE(f.dm->fMunicipios, nullptr);
    QCOMPARE(f.dm->fAtividades, nullptr);
}

void TstTabelaReferencia::localizarMovesToTheChoice()
{
    RegisterFixture f;
    TfAtividades &w = CriaJanela(fAtividades, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    defineGanchoJanelaModal([](QDialog &j) {
        auto &p = dynamic_cast<TfPesquisaAtividade &>(j);
        QTest::keyClicks(p.edPesquisa(), u"cultivo de banana"_s);
        QTest::keyClick(p.edPesquisa(), Qt::Key_Return);
        QTest::keyClick(p.btConfirma(), Qt::Key_Return);
    });
    QTest::mouseClick(w.btLocalizar(), Qt::LeftButton);
    QCOMPARE(f.dm->tbAtividades.fieldByName(u"CDATIVIDADE"_s)->asString(), u"0133402"_s);
}

void TstTabelaReferencia::localizarWithEmptyResultStays()
{
    RegisterFixture f;
    TfMunicipios &w = CriaJanela(fMunicipios, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    // The name field starts blank and has the focus.
    QTRY_VERIFY(w.campo(u"Descricao"_s)->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.campo(u"Descricao"_s));
    Table &t = f.dm->tbMunicipio;
    QVERIFY(t.recordCount() > 100);
    t.setRecNo(5);
    const QString antes = t.fieldByName(u"Codigo"_s)->asString();
    defineGanchoJanelaModal([](QDialog &j) { j.reject(); });
    QTest::mouseClick(w.btLocalizar(), Qt::LeftButton);
    QCOMPARE(t.fieldByName(u"Codigo"_s)->asString(), antes);
    QVERIFY(f.dialogs.boxes().empty());
}

void TstTabelaReferencia::novoGravarAndButtons()
{
    RegisterFixture f;
    TfMunicipios &w = CriaJanela(fMunicipios, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QVERIFY(w.btNovo()->isEnabled() && w.btLocalizar()->isEnabled() && w.navegador()->isEnabled());
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w.campo(u"Codigo"_s));
    QVERIFY(!w.btNovo()->isEnabled() && !w.btLocalizar()->isEnabled() && !w.navegador()->isEnabled());
    QVERIFY(w.btGravar()->isEnabled() && w.btCancelar()->isEnabled());
    QTest::keyClicks(w.campo(u"Codigo"_s), u"1799999"_s);
    enter();
    QCOMPARE(QApplication::focusWidget(), w.campo(u"Descricao"_s));
    QTest::keyClicks(w.campo(u"Descricao"_s), u"NOVA VILA"_s);
    enter();
    QTest::keyClicks(w.campo(u"UF"_s), u"VD"_s);
    QTest::keyClick(w.btGravar(), Qt::Key_G, Qt::AltModifier);
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    QVERIFY(!f.dm->tbMunicipio.editing());
    QCOMPARE(f.value(u"select Descricao from Municip where Codigo = '1799999'"_s).toString(), u"NOVA VILA"_s);

    // Escape cancels a row being keyed.
    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QTest::keyClicks(w.campo(u"Codigo"_s), u"1799998"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!f.dm->tbMunicipio.editing());
    QVERIFY(w.isVisible());
    QCOMPARE(f.value(u"select count(*) from Municip where Codigo = '1799998'"_s).toInt(), 0);
}

// With a current taxpayer (the data module keeps one open from its start) both registers
// show and search every row, not the taxpayer's own municipality and activity.
void TstTabelaReferencia::wholeRegisterWithACurrentTaxpayer()
{
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"ALFA LTDA"_s, u"0133402"_s);
    ui::abreTabela(f.dm->tbEmpresa);
    QCOMPARE(f.dm->tbEmpresa.recordCount(), 1);
    const int municipios = f.value(u"select count(*) from Municip"_s).toInt();
    const int atividades = f.value(u"select count(*) from atividades20"_s).toInt();
    QVERIFY(municipios > 100 && atividades > 100);

    TfMunicipios &m = CriaJanela(fMunicipios, *f.dm, f.dialogs);
    QVERIFY(mostra(m));
    QCOMPARE(f.dm->tbMunicipio.recordCount(), municipios);
    defineGanchoJanelaModal([](QDialog &j) {
        auto &p = dynamic_cast<TfPesquisaMunicipio &>(j);
        QTest::keyClicks(p.edPesquisa(), u"aldeia nova"_s);
        QTest::mouseClick(p.btConfirma(), Qt::LeftButton);
    });
    QTest::mouseClick(m.btLocalizar(), Qt::LeftButton);
    QCOMPARE(f.dm->tbMunicipio.fieldByName(u"Descricao"_s)->asString(), u"ALDEIA NOVA"_s);
    m.hide();

    TfAtividades &a = CriaJanela(fAtividades, *f.dm, f.dialogs);
    QVERIFY(mostra(a));
    QCOMPARE(f.dm->tbAtividades.recordCount(), atividades);
    defineGanchoJanelaModal([](QDialog &j) {
        auto &p = dynamic_cast<TfPesquisaAtividade &>(j);
        QTest::keyClicks(p.edPesquisa(), u"cultivo de arroz"_s);
        QTest::mouseClick(p.btConfirma(), Qt::LeftButton);
    });
    QTest::mouseClick(a.btLocalizar(), Qt::LeftButton);
    QCOMPARE(f.dm->tbAtividades.fieldByName(u"CDATIVIDADE"_s)->asString(), u"0111301"_s);
    QCOMPARE(a.campo(u"DCATIVIDADE"_s)->text(), u"CULTIVO DE ARROZ"_s);
}

QTEST_MAIN(TstTabelaReferencia)
#include "tst_tabela_referencia.moc"
