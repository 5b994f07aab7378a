#include "app/inicia.h"
#include "app/titulos.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TstInicia : public QObject
{
    Q_OBJECT

private slots:
    void borderlessWithItsTexts();
    void shownCentred();
};

void TstInicia::borderlessWithItsTexts()
{
    TfInicia inicia;
    QCOMPARE(inicia.objectName(), u"fInicia"_s);
    QVERIFY(inicia.windowFlags() & Qt::FramelessWindowHint);
    QStringList texts;
    bool logo = false;
    for (const QLabel *l : inicia.findChildren<QLabel *>()) {
        if (!l->pixmap().isNull())
            logo = true;
        else
            texts.append(l->text());
    }
    QVERIFY(logo);
    for (const QString &t : {u"Aguarde..."_s, u"ZEF 2026"_s, nomeGovernoEstado(), nomeAutoridadeFiscal()})
        QVERIFY2(texts.contains(t), qPrintable(t));
}

void TstInicia::shownCentred()
{
    TfInicia inicia;
    inicia.mostra();
    QVERIFY(inicia.isVisible());
    const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((inicia.geometry().center() - centre).manhattanLength() <= 2);
}

QTEST_MAIN(TstInicia)
#include "tst_inicia.moc"
