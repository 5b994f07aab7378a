#include "data/edit_mask.h"

#include <QLineEdit>
#include <QtTest>

using zef::EditMask;

class TestEditMask : public QObject
{
    Q_OBJECT

private slots:
    void laysValuesIntoThePicture_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stripped");

        QTest::newRow("registration") << QStringLiteral("99.999.999-9") << QStringLiteral("290000017")
                                      << QStringLiteral("29.000.001-7") << QStringLiteral("290000017");
        QTest::newRow("short value") << QStringLiteral("99.999.999-9") << QStringLiteral("2900")
                                     << QStringLiteral("29.00 .   - ") << QStringLiteral("2900");
        QTest::newRow("empty date") << QStringLiteral("99/99/9999") << QString() << QStringLiteral("  /  /    ")
                                    << QString();
        QTest::newRow("date with its separators")
            << QStringLiteral("99/99/9999") << QStringLiteral("25/12/2024") << QStringLiteral("25/12/2024")
            << QStringLiteral("25122024");
        QTest::newRow("upper case") << QStringLiteral(">LL") << QStringLiteral("vd") << QStringLiteral("VD")
                                    << QStringLiteral("VD");
        QTest::newRow("phone") << QStringLiteral("(99)9999-9999") << QStringLiteral("6233334444")
                               << QStringLiteral("(62)3333-4444") << QStringLiteral("6233334444");
        QTest::newRow("cnae") << QStringLiteral("9999-9/99") << QStringLiteral("4751201")
                              << QStringLiteral("4751-2/01") << QStringLiteral("4751201");
        QTest::newRow("blank character") << QStringLiteral("9999;0;_") << QStringLiteral("20") << QStringLiteral("20__")
                                         << QStringLiteral("20");
        QTest::newRow("literals kept") << QStringLiteral("99.999.999-9;1;_") << QStringLiteral("290000017")
                                       << QStringLiteral("29.000.001-7") << QStringLiteral("29.000.001-7");
        QTest::newRow("no mask") << QString() << QStringLiteral("abc") << QStringLiteral("abc") << QStringLiteral("abc");
    }

    void laysValuesIntoThePicture()
    {
        QFETCH(QString, mask);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        QFETCH(QString, stripped);
        const EditMask m(mask);
        QCOMPARE(m.format(value), shown);
        QCOMPARE(m.strip(shown), stripped);
        QCOMPARE(m.isBlank(shown), value.isEmpty());
    }

    void emptyTextShowsTheLiteralsOnly()
    {
        QCOMPARE(EditMask(QStringLiteral("99/99/9999")).emptyText(), QStringLiteral("  /  /    "));
        QCOMPARE(EditMask(QStringLiteral("99.999.999-9")).emptyText(), QStringLiteral("  .   .   - "));
        QCOMPARE(EditMask(QStringLiteral("9999;0;_")).emptyText(), QStringLiteral("____"));
    }

    void firstBlankSkipsLiteralsAndFilledPositions()
    {
        const EditMask m(QStringLiteral("99.999.999-9"));
        QCOMPARE(m.firstBlank(m.emptyText()), 0);
        QCOMPARE(m.firstBlank(m.format(QStringLiteral("29"))), 3);
        QCOMPARE(m.firstBlank(m.format(QStringLiteral("290000017"))), -1);
    }

    void translatesToLineEditMasks_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("inputMask");
        QTest::newRow("optional digits") << QStringLiteral("99.999.999-9") << QStringLiteral("00.000.000-0");
        QTest::newRow("required digits") << QStringLiteral("000") << QStringLiteral("999");
        QTest::newRow("letters upper") << QStringLiteral(">LL") << QStringLiteral(">AA");
        QTest::newRow("case off again") << QStringLiteral(">L<>l") << QStringLiteral(">A!a");
        QTest::newRow("alphanumeric, any") << QStringLiteral("AaCc") << QStringLiteral("NnXx");
        QTest::newRow("blank character") << QStringLiteral("9999;0;_") << QStringLiteral("0000;_");
        QTest::newRow("literal that means something to Qt") << QStringLiteral("\\N-99") << QStringLiteral("\\N-00");
        QTest::newRow("space placeholder") << QStringLiteral("99_99") << QStringLiteral("00 00");
    }

    void translatesToLineEditMasks()
    {
        QFETCH(QString, mask);
        QFETCH(QString, inputMask);
        QCOMPARE(EditMask(mask).inputMask(), inputMask);
    }

    // The edit and the picture agree position by position, so a shown text strips correctly.
    void lineEditShowsWhatThePictureShows_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("value");
        QTest::newRow("registration") << QStringLiteral("99.999.999-9") << QStringLiteral("290000017");
        QTest::newRow("date") << QStringLiteral("99/99/9999") << QStringLiteral("25/12/2024");
        QTest::newRow("empty date") << QStringLiteral("99/99/9999") << QString();
        QTest::newRow("state") << QStringLiteral(">LL") << QStringLiteral("go");
        QTest::newRow("blank character") << QStringLiteral("9999;0;_") << QStringLiteral("20");
    }

    void lineEditShowsWhatThePictureShows()
    {
        QFETCH(QString, mask);
        QFETCH(QString, value);
        const EditMask m(mask);
        QLineEdit edit;
        edit.setInputMask(m.inputMask());
        edit.setText(value);
        QCOMPARE(edit.displayText(), m.format(value));
    }
};

QTEST_MAIN(TestEditMask)
#include "tst_edit_mask.moc"
