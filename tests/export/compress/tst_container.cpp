#include <QtTest>

#include "compress/container.h"
#include "testdata.h"

using namespace zeftest;
using Reason = zef::EContainerError::Reason;

Q_DECLARE_METATYPE(zef::EContainerError::Reason)

namespace {

QByteArray container(const QByteArray &input)
{
    return qbytes(zef::makeContainer(view(input)));
}

QByteArray withSize(QByteArray c, quint32 size)
{
    qToLittleEndian<quint32>(size, c.data() + 4);
    return c;
}

} // namespace

// The reader refuses damaged containers with the reason, and never reads outside the bytes given.
class TestContainer : public QObject {
    Q_OBJECT

private slots:
    void refusesDamage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Reason>("reason");
        const QByteArray a5 = container("AAAAA");  // 21 48 5A 4C 05 00 00 00 E6 C6 80 00
        QTest::newRow("empty") << QByteArray() << Reason::ShortHeader;
        QTest::newRow("7 bytes of header") << a5.left(7) << Reason::ShortHeader;
        QTest::newRow("lower-case tag") << QByteArray("!hzl").append(a5.mid(4)) << Reason::WrongTag;
        QTest::newRow("plain text") << QByteArray("A2026000000123456789\r\n") << Reason::WrongTag;
        QTest::newRow("header only") << a5.left(8) << Reason::Truncated;
        QTest::newRow("last byte cut") << a5.left(11) << Reason::Truncated;
        QTest::newRow("two bytes cut") << a5.left(10) << Reason::Truncated;
        QTest::newRow("size one more") << withSize(a5, 6) << Reason::Truncated;
        QTest::newRow("size 4 GiB") << withSize(a5, 0xFFFFFFFFu) << Reason::Truncated;
        QTest::newRow("size cuts the match") << withSize(a5, 3) << Reason::Overrun;
        QTest::newRow("size one less") << withSize(a5, 4) << Reason::Overrun;
        QTest::newRow("byte appended") << QByteArray(a5).append('\0') << Reason::TrailingData;
        QTest::newRow("fill bits set") << QByteArray(a5).replace(11, 1, "\x01") << Reason::TrailingData;
    }

    void refusesDamage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Reason, reason);
        try {
            const Bytes out = zef::readContainer(view(bytes));
            QFAIL(qPrintable(QStringLiteral("read %1 bytes").arg(out.size())));
        } catch (const zef::EContainerError &e) {
            QCOMPARE(e.reason(), reason);
            QVERIFY(QByteArray(e.what()).startsWith("LZH : "));
        }
    }

    // However a real container is cut, the reader refuses it.
    void refusesEveryShorterPrefix()
    {
        const QByteArray full = container(declarationText(100, 7));
        QVERIFY(full.size() > 100);
        for (qsizetype n = 0; n < full.size(); ++n) {
            const QByteArray part = full.left(n);
            QVERIFY_THROWS_EXCEPTION(zef::EContainerError, zef::readContainer(view(part)));
        }
        QCOMPARE(qbytes(zef::readContainer(view(full))), declarationText(100, 7));
    }

    // A coder sends one symbol even for an empty input; with a recorded size of 0 nothing of the
    // coded part is read, whatever it holds.
    void emptyInputReadsBackEmpty_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("as coded") << container(QByteArray());
        QTest::newRow("header only") << QByteArray("!HZL").append(4, '\0');
        QTest::newRow("anything after the header") << QByteArray("!HZL").append(4, '\0').append("\xFF\xFF\xFF");
    }

    void emptyInputReadsBackEmpty()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(zef::readContainer(view(bytes)).empty());
    }

    void errorsAreComponentErrors()
    {
        QVERIFY_THROWS_EXCEPTION(zef::ELzrw1Exception, zef::readContainer(view(QByteArray("!HZ"))));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, zef::readContainer(view(QByteArray("XXXXXXXX"))));
    }
};

QTEST_APPLESS_MAIN(TestContainer)
#include "tst_container.moc"
