#include "data/display_format.h"
#include "engine/engine_error.h"

#include <QtTest>

using zef::DisplayFormat;

namespace {

QLocale brazil()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

const QString kMoney = QStringLiteral("#,###,###,##0.00");
const QString kMoneyEdit = QStringLiteral("#########0.00");

} // namespace

class TestDisplayFormat : public QObject
{
    Q_OBJECT

private slots:
    void formatsWithTheLocaleSeparators_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");

        const QLocale br = brazil();
        const QLocale us = unitedStates();
        QTest::newRow("money, comma locale") << 1234567.891 << kMoney << br << QStringLiteral("1.234.567,89");
        QTest::newRow("money, point locale") << 1234567.891 << kMoney << us << QStringLiteral("1,234,567.89");
        QTest::newRow("money beyond the picture") << 12345678901.5 << kMoney << br << QStringLiteral("12.345.678.901,50");
        QTest::newRow("money zero") << 0.0 << kMoney << br << QStringLiteral("0,00");
        QTest::newRow("money below one") << 0.5 << kMoney << br << QStringLiteral("0,50");
        QTest::newRow("money negative") << -1234.5 << kMoney << br << QStringLiteral("-1.234,50");
        QTest::newRow("edit format has no grouping") << 1234567.891 << kMoneyEdit << br << QStringLiteral("1234567,89");
        QTest::newRow("edit format, point locale") << 1234567.891 << kMoneyEdit << us << QStringLiteral("1234567.89");
        QTest::newRow("three-digit group exactly") << 999.0 << kMoney << br << QStringLiteral("999,00");
        QTest::newRow("carry into a new group") << 999.995 << kMoney << br << QStringLiteral("1.000,00");
        QTest::newRow("half rounds up (1.005)") << 1.005 << QStringLiteral("0.00") << br << QStringLiteral("1,01");
        QTest::newRow("half rounds up (2.675)") << 2.675 << QStringLiteral("0.00") << br << QStringLiteral("2,68");
        QTest::newRow("half away from zero") << -0.125 << QStringLiteral("0.00") << br << QStringLiteral("-0,13");
        QTest::newRow("rounded to zero has no sign") << -0.004 << QStringLiteral("###,###,##0.00") << br << QStringLiteral("0,00");
        QTest::newRow("balance difference") << -0.005 << QStringLiteral("###,###,##0.00") << br << QStringLiteral("-0,01");
        QTest::newRow("optional decimals dropped") << 5.0 << QStringLiteral("0.##") << br << QStringLiteral("5");
        QTest::newRow("optional decimals kept") << 5.1 << QStringLiteral("0.##") << br << QStringLiteral("5,1");
        QTest::newRow("no integer digit") << 0.5 << QStringLiteral("#.##") << br << QStringLiteral(",5");
        QTest::newRow("leading zeros") << 7.0 << QStringLiteral("000") << br << QStringLiteral("007");
        QTest::newRow("integer picture rounds") << 2.5 << QStringLiteral("#,##0") << br << QStringLiteral("3");
        QTest::newRow("negative section") << -3.0 << QStringLiteral("0.00;(0.00)") << br << QStringLiteral("(3,00)");
        QTest::newRow("zero section") << 0.0 << QStringLiteral("0.00;(0.00);zero") << br << QStringLiteral("zero");
        QTest::newRow("quoted text") << 5.0 << QStringLiteral("\"R$ \"#,##0.00") << br << QStringLiteral("R$ 5,00");
        QTest::newRow("no picture") << 1234.5 << QString() << br << QStringLiteral("1234,5");
    }

    void formatsWithTheLocaleSeparators()
    {
        QFETCH(double, value);
        QFETCH(QString, picture);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(DisplayFormat::format(value, picture, locale), expected);
    }

    void parsesTheEditFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("comma decimal") << QStringLiteral("1234,50") << brazil() << QVariant(1234.5);
        QTest::newRow("grouped display text") << QStringLiteral("1.234,50") << brazil() << QVariant(1234.5);
        QTest::newRow("point decimal") << QStringLiteral("1234.50") << unitedStates() << QVariant(1234.5);
        QTest::newRow("point grouping") << QStringLiteral("1,234.50") << unitedStates() << QVariant(1234.5);
        QTest::newRow("negative") << QStringLiteral("-5,25") << brazil() << QVariant(-5.25);
        QTest::newRow("spaces around") << QStringLiteral("  12  ") << brazil() << QVariant(12.0);
        QTest::newRow("empty is null") << QString() << brazil() << QVariant();
        QTest::newRow("blank is null") << QStringLiteral("   ") << brazil() << QVariant();
    }

    void parsesTheEditFormat()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(QVariant, expected);
        const QVariant got = DisplayFormat::parse(text, locale);
        QCOMPARE(got.isNull(), expected.isNull());
        if (!expected.isNull())
            QCOMPARE(got.toDouble(), expected.toDouble());
    }

    void refusesWhatIsNotANumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("letters") << QStringLiteral("abc") << brazil();
        // With a comma decimal the point groups thousands: "1234.5" is no number there.
        QTest::newRow("misplaced group") << QStringLiteral("1234.5") << brazil();
        QTest::newRow("two decimals") << QStringLiteral("1,2,3") << brazil();
    }

    void refusesWhatIsNotANumber()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        try {
            DisplayFormat::parse(text, locale);
            QFAIL("parsed");
        } catch (const zef::EngineError &e) {
            QCOMPARE(e.message(), QStringLiteral("'%1' não é um valor numérico válido.").arg(text));
        }
    }

    void editTextReadsBackToTheRoundedValue_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("comma") << brazil();
        QTest::newRow("point") << unitedStates();
    }

    void editTextReadsBackToTheRoundedValue()
    {
        QFETCH(QLocale, locale);
        for (double v : {0.0, 0.01, 1234567.891, -42.005, 999999999.99}) {
            const double back = DisplayFormat::parse(DisplayFormat::format(v, kMoneyEdit, locale), locale).toDouble();
            QVERIFY2(qAbs(back - v) <= 0.005 + 1e-9, qPrintable(QString::number(v)));
            QCOMPARE(DisplayFormat::parse(DisplayFormat::format(v, kMoney, locale), locale).toDouble(), back);
        }
    }
};

QTEST_GUILESS_MAIN(TestDisplayFormat)
#include "tst_display_format.moc"
