#include "app/sobre.h"
#include "app/titulos.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TstSobre : public QObject
{
    Q_OBJECT

private slots:
    void linesInOrder();
    void okCloses();
};

void TstSobre::linesInOrder()
{
    TfSobre sobre;
    QCOMPARE(sobre.objectName(), u"fSobre"_s);
    QCOMPARE(sobre.windowTitle(), u"Sobre o Sistema"_s);
    QStringList texts;
    for (const QLabel *l : sobre.findChildren<QLabel *>())
        if (!l->text().isEmpty())
            texts.append(l->text());
    QCOMPARE(texts, (QStringList{u"ZEF Eletrônico"_s, u"Versão 2026"_s, nomeAutoridadeFiscal(), nomeGovernoEstado(),
                                 u"Última atualização 20/02/2026"_s}));
}

void TstSobre::okCloses()
{
    TfSobre sobre;
    sobre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sobre));
    sobre.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!sobre.isVisible());
    QCOMPARE(sobre.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TstSobre)
#include "tst_sobre.moc"
