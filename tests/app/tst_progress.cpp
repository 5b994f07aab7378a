#include "app/progress.h"

#include <QApplication>
#include <QCursor>
#include <QProgressBar>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TstProgress : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void captionAndGauge();
    void gaugeFollowsTheRebuild();
    void hourglassForTheWholeRebuild();
    void endGoesThroughTheGivenFunctions();
};

void TstProgress::cleanup()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TstProgress::captionAndGauge()
{
    Tfrm frm;
    QCOMPARE(frm.objectName(), u"frm"_s);
    QCOMPARE(frm.windowTitle(), u"Aguarde Criando Índices..."_s);
    QCOMPARE(frm.Progresso()->objectName(), u"Progresso"_s);
    // No border icons: no close, minimise or maximise button, no system menu.
    const Qt::WindowFlags flags = frm.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint)));
}

void TstProgress::gaugeFollowsTheRebuild()
{
    ReindexacaoNaTela tela({}, {});
    QVERIFY(!tela.janela());
    tela.showProgress(12);
    QVERIFY(tela.janela());
    QVERIFY(tela.janela()->isVisible());
    QCOMPARE(tela.janela()->Progresso()->minimum(), 0);
    QCOMPARE(tela.janela()->Progresso()->maximum(), 12);
    QCOMPARE(tela.janela()->Progresso()->value(), 0);
    tela.setProgress(5);
    QCOMPARE(tela.janela()->Progresso()->value(), 5);
    tela.closeProgress();
    QVERIFY(!tela.janela());
}

void TstProgress::hourglassForTheWholeRebuild()
{
    {
        ReindexacaoNaTela tela({}, {});
        tela.setBusy(true);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        tela.setBusy(true);
        tela.setBusy(false);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        tela.setBusy(true);
    }
    // Gone with the window, also when the rebuild stopped half-way.
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TstProgress::endGoesThroughTheGivenFunctions()
{
    QStringList calls;
    ReindexacaoNaTela tela([&calls](const QString &text) { calls.append(text); }, [&calls] { calls.append(u"fim"_s); });
    tela.showEndMessage(u"Programa será encerrado"_s);
    tela.endProgram();
    QCOMPARE(calls, (QStringList{u"Programa será encerrado"_s, u"fim"_s}));
}

QTEST_MAIN(TstProgress)
#include "tst_progress.moc"
