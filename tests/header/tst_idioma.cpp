#include "register_fixture.h"

#include "app/idioma.h"
#include "app/qt_dialogs.h"
#include "header/cad_zef.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

namespace {

QString semAtalho(QString texto)
{
    return texto.remove(u'&');
}

// The texts of the buttons of the modal window up next, taken once it is shown; then it is
// closed with Escape.
void textosDaProximaJanela(QStringList *textos)
{
    QTimer::singleShot(0, qApp, [textos] {
        QWidget *janela = QApplication::activeModalWidget();
        if (!janela) {
            textosDaProximaJanela(textos);
            return;
        }
        for (QAbstractButton *b : janela->findChildren<QAbstractButton *>())
            if (b->isVisible() && !b->text().isEmpty())
                textos->append(semAtalho(b->text()));
        QTest::keyClick(janela, Qt::Key_Escape);
    });
}

} // namespace

// The program run on a machine whose language is not Brazilian Portuguese (the test's main
// sets C.UTF-8 before anything reads it) still speaks and counts the Brazilian way.
class TstIdioma : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void amountsAreReadAndShownTheBrazilianWay();
    void messageBoxButtonsInPortuguese_data();
    void messageBoxButtonsInPortuguese();
    void fileDialogInPortuguese();
};

void TstIdioma::initTestCase()
{
    QCOMPARE(QLocale::system().decimalPoint(), u"."_s);
    adotaPortuguesDoBrasil(*qApp);
}

void TstIdioma::amountsAreReadAndShownTheBrazilianWay()
{
    RegisterFixture f;
    f.addTaxpayer(u"290000017"_s, u"ALFA LTDA"_s);
    f.exec(u"insert into Zef (AnoBase, CGCEmpresa, CodigoMunicipio, RegimeApuracao, TipoEscrita, Finalidade, "
           "TipoEstabelecimento, Retificacao, StatusDRF, VlrCaixaI, VlrCCaixaI, VlrPatrimLiq) values "
           "('2025', '290000017', '1721000', '3', '1', '1', '1', 'N', 'N', 0, 0, 0)"_s);
    TfCadZEF &w = CriaJanela(fCadZEF, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    digita(w.edCaixaInicial(), u"1500,00"_s);
    tab();
    QCOMPARE(f.dm->tbZEF.fieldByName(u"VlrCaixaI"_s)->asFloat(), 1500.0);
    QCOMPARE(w.edCaixaInicial()->text(), u"1.500,00"_s);
    QCOMPARE(QDate(2025, 7, 1).toString(QLocale().dateFormat(QLocale::ShortFormat)), u"01/07/2025"_s);
}

void TstIdioma::messageBoxButtonsInPortuguese_data()
{
    QTest::addColumn<Dialogs::Buttons>("buttons");
    QTest::addColumn<QStringList>("textos");
    QTest::newRow("yes/no") << Dialogs::Buttons::YesNo << QStringList{u"Sim"_s, u"Não"_s};
    QTest::newRow("ok/cancel") << Dialogs::Buttons::OkCancel << QStringList{u"OK"_s, u"Cancelar"_s};
}

void TstIdioma::messageBoxButtonsInPortuguese()
{
    QFETCH(Dialogs::Buttons, buttons);
    QFETCH(QStringList, textos);
    QStringList vistos;
    textosDaProximaJanela(&vistos);
    QtDialogs caixas;
    caixas.show(u"Confirma exclusão?"_s, Dialogs::Icon::Question, buttons);
    vistos.sort();
    textos.sort();
    QCOMPARE(vistos, textos);
}

void TstIdioma::fileDialogInPortuguese()
{
    QFileDialog dialogo(nullptr, u"Abrir"_s, QDir::tempPath());
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    QStringList vistos;
    textosDaProximaJanela(&vistos);
    dialogo.exec();
    QVERIFY2(vistos.contains(u"Abrir"_s), qPrintable(vistos.join(u'|')));
    QVERIFY2(vistos.contains(u"Cancelar"_s), qPrintable(vistos.join(u'|')));
}

int main(int argc, char *argv[])
{
    // A machine set to another language than Brazilian Portuguese.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    qputenv("LANGUAGE", "");
    QApplication app(argc, argv);
    TstIdioma tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_idioma.moc"
