#include "app/window_ui.h"

#include <QTest>

using namespace zef;

// Where a window goes when opened over another: centred over it, whole on the screen.
class TstWindowUi : public QObject
{
    Q_OBJECT

private slots:
    void posicaoCentrada_data()
    {
        QTest::addColumn<QSize>("janela");
        QTest::addColumn<QRect>("abridor");
        QTest::addColumn<QRect>("esperado");
        // 1366x768 with a 48-point task bar at the bottom; frames of 4, title bar of 30.
        QTest::newRow("centred over a maximised opener")
            << QSize(600, 400) << QRect(0, 0, 1366, 720) << QRect(383, 173, 600, 400);
        QTest::newRow("a tall window opened high keeps its bottom on the screen")
            << QSize(860, 680) << QRect(300, 0, 766, 300) << QRect(253, 30, 860, 680);
        QTest::newRow("taller than the screen is made to fit")
            << QSize(860, 713) << QRect(0, 0, 1366, 720) << QRect(253, 30, 860, 686);
        QTest::newRow("kept off the left edge") << QSize(400, 300) << QRect(-300, 100, 200, 200)
                                                << QRect(4, 63, 400, 300);
    }

    void posicaoCentrada()
    {
        QFETCH(QSize, janela);
        QFETCH(QRect, abridor);
        QFETCH(QRect, esperado);
        const QRect disponivel(0, 0, 1366, 720);
        const QRect r = ui::posicaoCentrada(janela, abridor, disponivel, QMargins(4, 30, 4, 4));
        QCOMPARE(r, esperado);
        QVERIFY(disponivel.contains(r.marginsAdded(QMargins(4, 30, 4, 4))));
    }
};

QTEST_GUILESS_MAIN(TstWindowUi)
#include "tst_window_ui.moc"
