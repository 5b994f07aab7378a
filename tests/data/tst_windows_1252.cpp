#include "data/windows_1252.h"

#include <QTest>

using namespace zef;
using namespace Qt::StringLiterals;

class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void everyByteSurvivesARoundTrip();
    void representable();
};

void TestWindows1252::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << u"A2025 12\r\n"_s << QByteArray("A2025 12\r\n");
    QTest::newRow("accents of the texts") << u"ÁÉÍÓÚÂÊÔÃÕÇáéíóúâêôãõçü"_s
                                          << QByteArray("\xC1\xC9\xCD\xD3\xDA\xC2\xCA\xD4\xC3\xD5\xC7"
                                                        "\xE1\xE9\xED\xF3\xFA\xE2\xEA\xF4\xE3\xF5\xE7\xFC");
    QTest::newRow("signs of the 0x80 row") << u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"_s
                                           << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                                         "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F");
    QTest::newRow("outside the code page") << u"a\u0141b"_s << QByteArray("a?b");
    QTest::newRow("outside the basic plane is one character") << u"x\U0001F600y"_s << QByteArray("x?y");
    QTest::newRow("nbsp and ordinals") << u"\u00A0ºª°"_s << QByteArray("\xA0\xBA\xAA\xB0");
}

void TestWindows1252::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toWindows1252(text), bytes);
}

void TestWindows1252::everyByteSurvivesARoundTrip()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0xE7), QChar(u'ç'));
    QCOMPARE(toWindows1252(text), all);
}

void TestWindows1252::representable()
{
    QVERIFY(representableInWindows1252(u"INSCRIÇÃO ESTADUAL €"_s));
    QVERIFY(!representableInWindows1252(u"Łódź"_s));
}

QTEST_APPLESS_MAIN(TestWindows1252)
#include "tst_windows_1252.moc"
