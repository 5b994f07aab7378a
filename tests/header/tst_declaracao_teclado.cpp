// A declaration keyed from start to end with the keyboard alone: created with its current and its
// earlier domicile, stored, reopened and deleted.

#include "register_fixture.h"

#include "app/widgets/db_edit.h"
#include "app/widgets/db_radio_group.h"
#include "header/cad_zef.h"
#include "header/domicilio.h"
#include "header/pesquisa_municipio.h"
#include "tests/support/keyboard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zef;
using namespace zef::fixture;
using namespace zef::testsupport;
using namespace Qt::StringLiterals;

namespace {

const QString kIE = u"290000017"_s;

} // namespace

class TstDeclaracaoTeclado : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { defineGanchoJanelaModal({}); }
    void createStoreReopenDelete();

private:
    static void domicilios(TfDomicilio &w, QStringList &falhas);
    static void escolhe(TfPesquisaMunicipio &w, const QString &nome, QStringList &falhas);
};

// In the municipality look-up: the name keyed, Enter to "&Confirma", Enter again.
void TstDeclaracaoTeclado::escolhe(TfPesquisaMunicipio &w, const QString &nome, QStringList &falhas)
{
    reativa(w);
    if (!w.edPesquisa()->hasFocus()) {
        falhas.append(u"look-up opens on its search edit"_s);
        return;
    }
    escreve(nome);
    tecla(Qt::Key_Return);
    if (foco() != w.btConfirma()) {
        falhas.append(u"Enter leads to Confirma"_s);
        return;
    }
    tecla(Qt::Key_Return);
}

// In the domicile window: the current domicile from July, the earlier one until June.
void TstDeclaracaoTeclado::domicilios(TfDomicilio &w, QStringList &falhas)
{
    const auto confere = [&](bool ok, const char *o_que) {
        if (!ok)
            falhas.append(QString::fromLatin1(o_que));
        return ok;
    };
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    if (!confere(QTest::qWaitFor([&] { return w.isActiveWindow(); }), "window active")
        || !confere(w.edDataInicial()->hasFocus(), "Data Inicial focused on opening"))
        return;
    escreve(u"01072025"_s);
    tecla(Qt::Key_Return);
    confere(w.edDataFinal()->hasFocus(), "Enter leads to Data Final");
    escreve(u"31122025"_s);
    tecla(Qt::Key_G, Qt::AltModifier);

    // The next row is for the earlier domicile: leaving "Municipio" opens the look-up.
    if (!confere(w.edMunicipio()->hasFocus(), "Municipio focused for the earlier domicile"))
        return;
    tecla(Qt::Key_Return);
    reativa(w);
    confere(w.edMunicipio()->text().remove(u'-') == u"1702356"_s, "municipality chosen");
    confere(w.edTipoDomicilio()->text() == u"B"_s, "the earlier domicile is B");
    if (!confere(tabAte(w.edDataInicial()), "Data Inicial reached"))
        return;
    escreve(u"01012025"_s);
    tecla(Qt::Key_Return);
    escreve(u"30062025"_s);
    tecla(Qt::Key_G, Qt::AltModifier);

    // A third row is offered; the user drops it and returns.
    tecla(Qt::Key_Escape);
    if (!confere(tabAte(w.btRetornar()), "Retornar reached"))
        return;
    tecla(Qt::Key_Return);
}

void TstDeclaracaoTeclado::createStoreReopenDelete()
{
    RegisterFixture f;
    f.addTaxpayer(kIE, u"D'ÁVILA COMÉRCIO LTDA"_s, u"4751201"_s);
    // The messages that only inform are answered with OK; deleting is confirmed with OK.
    f.dialogs.setFixedAnswer(Dialogs::Button::Ok);

    QStringList falhas;
    defineGanchoJanelaModal([&](QDialog &janela) {
        if (auto *d = dynamic_cast<TfDomicilio *>(&janela))
            domicilios(*d, falhas);
        if (auto *p = dynamic_cast<TfPesquisaMunicipio *>(&janela))
            escolhe(*p, u"ALDEIA NOVA"_s, falhas);
        if (janela.isVisible())
            janela.close();
    });

    {
        TfCadZEF &w = CriaJanela(fCadZEF, *f.dm, f.dialogs);
        QVERIFY(mostra(w));
        tecla(Qt::Key_N, Qt::AltModifier);
        QVERIFY(w.edAnoBase()->hasFocus());
        escreve(u"2025"_s);
        tecla(Qt::Key_Return);
        QVERIFY(w.edInscricao()->hasFocus());
        escreve(kIE);
        tecla(Qt::Key_Return);
        QCOMPARE(w.razaoSocial()->text(), u"D'ÁVILA COMÉRCIO LTDA"_s);

        // 2.1: "SIM" opens the domicile window.
        QVERIFY(w.rgdomicilio()->isAncestorOf(foco()));
        QCOMPARE(foco(), w.rgdomicilio()->button(0));
        tecla(Qt::Key_Space);
        QVERIFY2(falhas.isEmpty(), qPrintable(falhas.join(u"; "_s)));
        QCOMPARE(f.value(u"select count(*) from ZefMunAnterior"_s).toInt(), 2);
        reativa(w);
        QCOMPARE(w.linhaDomicilio(0).inicio->text(), u"01/07/2025"_s);
        QCOMPARE(w.linhaDomicilio(1).letra->text(), u"B"_s);
        QCOMPARE(w.linhaDomicilio(1).municipio->text(), u"ALDEIA NOVA"_s);

        // The remaining answers, in the order of the form.
        for (DBRadioGroup *g : {w.rgEscrituracao(), w.rgEstabelecimento(), w.rgFinalidade()}) {
            QVERIFY2(tabAte(g), qPrintable(g->objectName()));
            tecla(Qt::Key_Space);
            QCOMPARE(g->itemIndex(), 0);
        }
        for (DBEdit *valor : {w.edCaixaInicial(), w.edCaixaFinal(), w.edPatrimonio()}) {
            QVERIFY2(tabAte(valor), qPrintable(valor->objectName()));
            escreve(u"1500"_s);
            tecla(Qt::Key_Return);
        }
        tecla(Qt::Key_G, Qt::AltModifier);
        QVERIFY2(!f.dialogs.texts().contains(u"Campo finalidade deve ser informado!"_s),
                 qPrintable(f.dialogs.texts().join(u'|')));
        QCOMPARE(f.dm->tbZEF.state(), Dataset::State::Browse);
        QCOMPARE(f.value(u"select count(*) from Zef"_s).toInt(), 1);
        QCOMPARE(f.value(u"select PeriodoRefInicio from Zef"_s).toDate(), QDate(2025, 1, 1));
        QCOMPARE(f.value(u"select PeriodoRefFinal from Zef"_s).toDate(), QDate(2025, 12, 31));
        QCOMPARE(f.value(u"select CodigoAtividade from Zef"_s).toString(), u"4751201"_s);
        QCOMPARE(f.value(u"select VlrPatrimLiq from Zef"_s).toDouble(), 1500.0);

        tecla(Qt::Key_R, Qt::AltModifier);
        QVERIFY(!w.isVisible());
        fCadZEF.reset();
    }

    // Reopened, the declaration and its domiciles are there; Alt+E deletes it all.
    TfCadZEF &w = CriaJanela(fCadZEF, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QCOMPARE(f.dm->cgcEmpresa(), kIE);
    QCOMPARE(w.razaoSocial()->text(), u"D'ÁVILA COMÉRCIO LTDA"_s);
    QCOMPARE(w.linhaDomicilio(1).fim->text(), u"30/06/2025"_s);
    f.dialogs.clear();
    w.edAnoBase()->setFocus();
    tecla(Qt::Key_E, Qt::AltModifier);
    QCOMPARE(f.dialogs.texts(), (QStringList{u"Confirma exclusão?"_s, u"ZEF excluído com sucesso!"_s}));
    for (const QString &tabela : {u"Zef"_s, u"ZefMunAnterior"_s})
        QCOMPARE(f.value(u"select count(*) from %1"_s.arg(tabela)).toInt(), 0);
    QVERIFY(w.linhaDomicilio(0).letra->text().isEmpty());
}

QTEST_MAIN(TstDeclaracaoTeclado)
#include "tst_declaracao_teclado.moc"
