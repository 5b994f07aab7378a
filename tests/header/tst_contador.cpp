#include "register_fixture.h"

#include "header/contador.h"
#include "header/open_registers.h"
#include "app/widgets/widget_errors.h"

#include <QLineEdit>
#include <QPushButton>

using namespace zef;
using namespace zef::fixture;
using namespace Qt::StringLiterals;

class TstContador : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { defineGanchoJanelaModal({}); }

    void storeAsKeyed_data();
    void storeAsKeyed();
    void duplicateCpfIsRegistroDuplicado();
    void excluirAsksFirst();
    void openedFromTheMenuAndReused();
};

void TstContador::storeAsKeyed_data()
{
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("two-word name") << u"52998224725"_s << u"MARIA SILVA"_s << QString() << QString();
    QTest::newRow("one-word name") << u"52998224725"_s << u"MARIA"_s
                                   << u"Nome do contabilista  deve ter duas ou mais palavras!"_s << u"NomeContador"_s;
    QTest::newRow("eleven equal digits, before the check digits")
        << u"11111111111"_s << u"MARIA"_s << u"Não é válido sequência de número iguais!"_s << u"CPFContador"_s;
    QTest::newRow("wrong check digit") << u"52998224726"_s << u"MARIA SILVA"_s << u"CPF inválido!"_s
                                       << u"CPFContador"_s;
}

void TstContador::storeAsKeyed()
{
    QFETCH(QString, cpf);
    QFETCH(QString, nome);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    RegisterFixture f;
    TfContador &w = CriaJanela(fContador, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    QCOMPARE(w.windowTitle(), u"Contador"_s);

    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w.campo(u"CPFContador"_s));
    for (const QString &texto : {cpf, u"VD-012345/O"_s, nome, u"RUA DAS PALMEIRAS, 5"_s, u"6332150000"_s}) {
        QTest::keyClicks(QApplication::focusWidget(), texto);
        enter();
    }
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY2(f.dialogs.texts().isEmpty(), qPrintable(f.dialogs.texts().join(u'|')));
        QCOMPARE(f.value(u"select NomeContador from Contador where CPFContador = '%1'"_s.arg(cpf)).toString(), nome);
        QVERIFY(w.btNovo()->isEnabled() && !w.btGravar()->isEnabled());
        return;
    }
    QCOMPARE(f.dialogs.texts(), QStringList{message});
    QCOMPARE(QApplication::focusWidget(), w.campo(focus));
    QVERIFY(f.dm->tbContador.editing());
    QCOMPARE(f.value(u"select count(*) from Contador"_s).toInt(), 0);
}

void TstContador::duplicateCpfIsRegistroDuplicado()
{
    RegisterFixture f;
    f.addAccountant(u"52998224725"_s, u"MARIA SILVA"_s);
    QStringList erros;
    setWidgetErrorHandler([&erros](const std::exception &e) { erros.append(QString::fromLocal8Bit(e.what())); });
    TfContador &w = CriaJanela(fContador, *f.dm, f.dialogs);
    QVERIFY(mostra(w));

    QTest::mouseClick(w.btNovo(), Qt::LeftButton);
    for (const QString &texto : {u"52998224725"_s, u"VD-1"_s, u"JOSE SOUZA"_s, u"RUA C"_s, u"6332150001"_s}) {
        QTest::keyClicks(QApplication::focusWidget(), texto);
        enter();
    }
    QTest::mouseClick(w.btGravar(), Qt::LeftButton);
    setWidgetErrorHandler({});

    QCOMPARE(f.dialogs.texts(), QStringList{u"Registro duplicado!"_s});
    QVERIFY(erros.isEmpty());
    QCOMPARE(f.dm->tbContador.state(), Dataset::State::Insert);
    QCOMPARE(f.dm->tbContador.fieldByName(u"NomeContador"_s)->asString(), u"JOSE SOUZA"_s);
    QCOMPARE(f.value(u"select NomeContador from Contador"_s).toString(), u"MARIA SILVA"_s);
}

void TstContador::excluirAsksFirst()
{
    RegisterFixture f;
    f.addAccountant(u"52998224725"_s, u"MARIA SILVA"_s);
    TfContador &w = CriaJanela(fContador, *f.dm, f.dialogs);
    QVERIFY(mostra(w));
    f.dialogs.answer(Dialogs::Button::Yes);
    QTest::mouseClick(w.btExcluir(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{u"Confirma exclusão?"_s});
    QCOMPARE(f.dialogs.boxes().front().byDefault, Dialogs::Button::No);
    QCOMPARE(f.value(u"select count(*) from Contador"_s).toInt(), 0);
}

void TstContador::openedFromTheMenuAndReused()
{
    RegisterFixture f;
    int vistas = 0;
    defineGanchoJanelaModal([&](QDialog &j) {
        ++vistas;
        QCOMPARE(j.objectName(), u"fContador"_s);
        QCOMPARE(f.dm->fContador, dynamic_cast<EditingWindow *>(&j));
        QTest::mouseClick(static_cast<TfContador &>(j).btRetornar(), Qt::LeftButton);
    });
    abreContador(nullptr, *f.dm, f.dialogs);
    TfContador *primeira = fContador.get();
    abreContador(nullptr, *f.dm, f.dialogs);
    QCOMPARE(vistas, 2);
    QCOMPARE(fContador.get(), primeira);
    QVERIFY(!f.dm->tbContador.active());
}

QTEST_MAIN(TstContador)
#include "tst_contador.moc"
