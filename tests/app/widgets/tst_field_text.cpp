#include "data/field_text.h"

#include "engine/engine_error.h"
#include "widget_fixture.h"

using widget_test::Fixture;
namespace FieldText = zef::FieldText;

class TestFieldText : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(widget_test::brazil()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void keyedTextOfAMaskedEdit_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("keyed");
        QTest::newRow("registration drops literals") << QStringLiteral("IE") << QStringLiteral("29.000.001-7")
                                                     << QStringLiteral("290000017");
        QTest::newRow("date keeps separators") << QStringLiteral("Inicio") << QStringLiteral("25/12/2024")
                                               << QStringLiteral("25/12/2024");
        QTest::newRow("blank date") << QStringLiteral("Inicio") << QStringLiteral("  /  /    ") << QString();
        QTest::newRow("unmasked") << QStringLiteral("Nome") << QStringLiteral(" a b ") << QStringLiteral(" a b ");
    }

    void keyedTextOfAMaskedEdit()
    {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QFETCH(QString, keyed);
        Fixture fx;
        QCOMPARE(FieldText::keyedText(*fx.table->fieldByName(field), shown), keyed);
    }

    void parsesKeyedTextByType_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("amount") << QStringLiteral("Valor") << QStringLiteral("1.500,25") << QVariant(1500.25);
        QTest::newRow("blank amount") << QStringLiteral("Valor") << QStringLiteral(" ") << QVariant();
        QTest::newRow("integer") << QStringLiteral("Finalidade") << QStringLiteral("4") << QVariant(4);
        QTest::newRow("date") << QStringLiteral("Inicio") << QStringLiteral("25/12/2024") << QVariant(QDate(2024, 12, 25));
        QTest::newRow("text") << QStringLiteral("Nome") << QStringLiteral("Alfa") << QVariant(QStringLiteral("Alfa"));
    }

    void parsesKeyedTextByType()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        Fixture fx;
        const QVariant got = FieldText::parse(*fx.table->fieldByName(field), text);
        QCOMPARE(got.isNull(), value.isNull());
        if (!value.isNull())
            QCOMPARE(got, value);
    }

    void refusesTextOfTheWrongType_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("amount") << QStringLiteral("Valor") << QStringLiteral("1.2.3,4,5");
        QTest::newRow("integer with decimals") << QStringLiteral("Finalidade") << QStringLiteral("1,5");
        QTest::newRow("impossible date") << QStringLiteral("Inicio") << QStringLiteral("31/02/2024");
    }

    void refusesTextOfTheWrongType()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        Fixture fx;
        QVERIFY_THROWS_EXCEPTION(zef::EngineError, FieldText::parse(*fx.table->fieldByName(field), text));
    }

    void displayAndEditTexts()
    {
        Fixture fx;
        const zef::Field &valor = *fx.table->fieldByName(QStringLiteral("Valor"));
        QCOMPARE(FieldText::display(valor, 1234.5), QStringLiteral("1.234,50"));
        QCOMPARE(FieldText::edit(valor, 1234.5), QStringLiteral("1234,50"));
        QCOMPARE(FieldText::display(valor, QVariant()), QString());
        const zef::Field &ie = *fx.table->fieldByName(QStringLiteral("IE"));
        QCOMPARE(FieldText::display(ie, QStringLiteral("290000017")), QStringLiteral("29.000.001-7"));
        QCOMPARE(FieldText::edit(ie, QStringLiteral("290000017")), QStringLiteral("290000017"));
    }

    void numberFieldsTakeNumberCharacters_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QString>("refused");
        QTest::newRow("amount, comma") << widget_test::brazil() << QStringLiteral("Valor") << QStringLiteral("09+-,eE")
                                       << QStringLiteral(".a ");
        QTest::newRow("amount, point") << widget_test::unitedStates() << QStringLiteral("Valor")
                                       << QStringLiteral("09+-.") << QStringLiteral(",a");
        QTest::newRow("integer") << widget_test::brazil() << QStringLiteral("Finalidade") << QStringLiteral("09-")
                                 << QStringLiteral(",.e");
        QTest::newRow("text") << widget_test::brazil() << QStringLiteral("Nome") << QStringLiteral("a,. 9") << QString();
    }

    void numberFieldsTakeNumberCharacters()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, field);
        QFETCH(QString, accepted);
        QFETCH(QString, refused);
        Fixture fx;
        const zef::Field &f = *fx.table->fieldByName(field);
        for (QChar c : accepted)
            QVERIFY2(FieldText::acceptsCharacter(f, c, locale), qPrintable(QString(c)));
        for (QChar c : refused)
            QVERIFY2(!FieldText::acceptsCharacter(f, c, locale), qPrintable(QString(c)));
    }
};

QTEST_MAIN(TestFieldText)
#include "tst_field_text.moc"
