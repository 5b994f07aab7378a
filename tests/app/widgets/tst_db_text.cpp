#include "app/widgets/db_text.h"

#include "widget_fixture.h"

using zef::DBText;
using widget_test::Fixture;

class TestDBText : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(widget_test::brazil()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void showsTheFieldAsDisplayed_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount") << QStringLiteral("Valor") << QStringLiteral("1.234.567,89");
        QTest::newRow("masked") << QStringLiteral("IE") << QStringLiteral("29.000.001-7");
        QTest::newRow("date") << QStringLiteral("Inicio") << QStringLiteral("15/01/2024");
        QTest::newRow("text") << QStringLiteral("Nome") << QStringLiteral("Alfa");
    }

    void showsTheFieldAsDisplayed()
    {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        Fixture fx;
        DBText text(fx.table.get(), field);
        QCOMPARE(text.text(), shown);
    }

    void followsRecordsAndFieldChanges()
    {
        Fixture fx;
        DBText text(fx.table.get(), QStringLiteral("Nome"));
        fx.table->last();
        QCOMPARE(text.text(), QStringLiteral("Gama"));
        fx.table->edit();
        fx.table->fieldByName(QStringLiteral("Nome"))->setAsString(QStringLiteral("Gama <b>"));
        QCOMPARE(text.text(), QStringLiteral("Gama <b>"));
        fx.table->cancel();
        QCOMPARE(text.text(), QStringLiteral("Gama"));
        fx.table->close();
        QCOMPARE(text.text(), QString());
    }
};

QTEST_MAIN(TestDBText)
#include "tst_db_text.moc"
