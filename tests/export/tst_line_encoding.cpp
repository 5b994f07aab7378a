#include "export/line_encoding.h"

#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TestLineEncoding : public QObject
{
    Q_OBJECT

private slots:
    void amount_data();
    void amount();
    void signedAmount_data();
    void signedAmount();
    void rightAligned_data();
    void rightAligned();
    void storedTextKeepsEverything();
    void dateField_data();
    void dateField();
    void number_data();
    void number();
    void typeCode_data();
    void typeCode();
    void differs_data();
    void differs();
};

void TestLineEncoding::amount_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QVariant() << u"00000000000000"_s;
    QTest::newRow("zero") << QVariant(0.0) << u"00000000000000"_s;
    QTest::newRow("half cent rounds up") << QVariant(0.005) << u"00000000000001"_s;
    QTest::newRow("under half a cent") << QVariant(0.004) << u"00000000000000"_s;
    QTest::newRow("1.005 is read as typed") << QVariant(1.005) << u"00000000000101"_s;
    QTest::newRow("2.675 is read as typed") << QVariant(2.675) << u"00000000000268"_s;
    QTest::newRow("negative drops the sign") << QVariant(-1234.5) << u"00000000123450"_s;
    QTest::newRow("negative half cent away from zero") << QVariant(-0.005) << u"00000000000001"_s;
    QTest::newRow("carry over nines") << QVariant(9.995) << u"00000000001000"_s;
    QTest::newRow("largest of 14 digits") << QVariant(999999999999.99) << u"99999999999999"_s;
    QTest::newRow("10^12 grows past 14") << QVariant(1e12) << u"100000000000000"_s;
    QTest::newRow("integer value") << QVariant(qlonglong(42)) << u"00000000004200"_s;
    QTest::newRow("sum noise does not decide a cent") << QVariant(100.005 - 100.0) << u"00000000000001"_s;
}

void TestLineEncoding::amount()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(zef::amount(value), expected);
}

void TestLineEncoding::signedAmount_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("positive") << QVariant(1500.25) << u"00000000150025"_s;
    QTest::newRow("negative keeps 14 characters") << QVariant(-1234.5) << u"-0000000123450"_s;
    QTest::newRow("negative of 14 digits loses the first") << QVariant(-987654321012.34) << u"-8765432101234"_s;
    QTest::newRow("negative rounding to zero has no sign") << QVariant(-0.004) << u"00000000000000"_s;
    QTest::newRow("empty") << QVariant() << u"00000000000000"_s;
}

void TestLineEncoding::signedAmount()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(zef::signedAmount(value), expected);
    QCOMPARE(zef::signedAmount(value).size(), 14);
}

void TestLineEncoding::rightAligned_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded on the left") << QVariant(u"123456789"_s) << 14 << u"     123456789"_s;
    QTest::newRow("empty gives blanks") << QVariant() << 7 << u"       "_s;
    QTest::newRow("longer is never cut") << QVariant(u"0111302"_s) << 1 << u"0111302"_s;
    QTest::newRow("four letters in 80") << QVariant(u"JOSE"_s) << 80 << QString(76, u' ') + u"JOSE"_s;
    QTest::newRow("blanks are kept") << QVariant(u" A "_s) << 4 << u"  A "_s;
}

void TestLineEncoding::rightAligned()
{
    QFETCH(QVariant, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(zef::rightAligned(value, width), expected);
}

void TestLineEncoding::storedTextKeepsEverything()
{
    QCOMPARE(storedText(QVariant(u" 2025 "_s)), u" 2025 "_s);
    QCOMPARE(storedText(QVariant()), QString());
    QCOMPARE(storedText(QVariant(u"AÇÃO"_s)), u"AÇÃO"_s);
}

void TestLineEncoding::dateField_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << QVariant(QDate(2025, 3, 7)) << u"07032025"_s;
    QTest::newRow("empty is day zero") << QVariant() << u"30121899"_s;
    QTest::newRow("invalid date is day zero") << QVariant(QDate()) << u"30121899"_s;
    QTest::newRow("stored ISO text") << QVariant(u"2025-12-31"_s) << u"31122025"_s;
}

void TestLineEncoding::dateField()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(zef::dateField(value), expected);
}

void TestLineEncoding::number_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CFOP 102") << QVariant(102) << 4 << u"0102"_s;
    QTest::newRow("invoice") << QVariant(4711) << 10 << u"0000004711"_s;
    QTest::newRow("count past 999") << QVariant(1000) << 3 << u"1000"_s;
    QTest::newRow("empty is zero") << QVariant() << 3 << u"000"_s;
}

void TestLineEncoding::number()
{
    QFETCH(QVariant, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(zef::number(value, width), expected);
}

void TestLineEncoding::typeCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("asNumber");   // -1: not a whole number
    QTest::newRow("01") << u"01 - COMPRAS"_s << u"01"_s << 1;
    QTest::newRow("11") << u"11 - OUTRAS ENTRADAS"_s << u"11"_s << 11;
    QTest::newRow("letters") << u"XX - TIPO"_s << u"XX"_s << -1;
    QTest::newRow("one digit and a letter") << u"1A - TIPO"_s << u"1A"_s << -1;
    QTest::newRow("one character") << u"7"_s << u"7"_s << 7;
}

void TestLineEncoding::typeCode()
{
    QFETCH(QString, text);
    QFETCH(QString, code);
    QFETCH(int, asNumber);
    QCOMPARE(zef::typeCode(QVariant(text)), code);
    const std::optional<int> n = typeNumber(code);
    QCOMPARE(n.value_or(-1), asNumber);
}

void TestLineEncoding::differs_data()
{
    QTest::addColumn<double>("difference");
    QTest::addColumn<bool>("expected");
    QTest::newRow("zero") << 0.0 << false;
    QTest::newRow("0.004 passes") << 0.004 << false;
    QTest::newRow("0.005 counts") << 0.005 << true;
    QTest::newRow("-10 like +10") << -10.0 << true;
    QTest::newRow("+10") << 10.0 << true;
    QTest::newRow("-0.004 passes") << -0.004 << false;
    QTest::newRow("difference of sums, half a cent") << (1000.005 - 1000.0) << true;
    QTest::newRow("difference of sums, equal") << ((0.1 + 0.2) - 0.3) << false;
}

void TestLineEncoding::differs()
{
    QFETCH(double, difference);
    QFETCH(bool, expected);
    QCOMPARE(zef::differs(difference), expected);
}

QTEST_APPLESS_MAIN(TestLineEncoding)
#include "tst_line_encoding.moc"
