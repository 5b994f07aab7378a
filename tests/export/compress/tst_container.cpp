#include <QtTest>

#include <cstdlib>
#include <new>

#include "compress/container.h"
#include "testdata.h"

// The largest single allocation since the last reset, to show that the reader takes memory for
// what it produces and not for what a container claims.
namespace {
std::size_t largestAllocation = 0;
}

void *operator new(std::size_t size)
{
    largestAllocation = std::max(largestAllocation, size);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

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
        QTest::newRow("size 4 GiB") << withSize(a5, 0xFFFFFFFFu) << Reason::TooLarge;
        QTest::newRow("size 1 GiB and 1 byte") << withSize(a5, 0x40000001u) << Reason::TooLarge;
        QTest::newRow("size 1 GiB") << withSize(a5, 0x40000000u) << Reason::Truncated;
        QTest::newRow("size 1 MB") << withSize(a5, 1000000u) << Reason::Truncated;
        QTest::newRow("size cuts the match") << withSize(a5, 3) << Reason::Overrun;
        QTest::newRow("size one less") << withSize(a5, 4) << Reason::Overrun;
        QTest::newRow("byte appended") << QByteArray(a5).append('\0') << Reason::TrailingData;
        QTest::newRow("fill bits set") << QByteArray(a5).replace(11, 1, "\x01") << Reason::TrailingData;
    }

    void refusesDamage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Reason, reason);
        largestAllocation = 0;
        try {
            const Bytes out = zef::readContainer(view(bytes));
            QFAIL(qPrintable(QStringLiteral("read %1 bytes").arg(out.size())));
        } catch (const zef::EContainerError &e) {
            QCOMPARE(e.reason(), reason);
            QVERIFY(QByteArray(e.what()).startsWith("LZH : "));
        }
        QVERIFY2(largestAllocation < 100000, qPrintable(QString::number(largestAllocation)));
        // The streamed reader refuses the same, with nothing handed over.
        try {
            std::size_t handed = 0;
            zef::readContainerTo(view(bytes), [&](std::span<const std::uint8_t> piece) { handed += piece.size(); });
            QFAIL("read in pieces");
        } catch (const zef::EContainerError &e) {
            QCOMPARE(e.reason(), reason);
        }
    }

    // A container claiming five times the bytes its data holds, within what that much data could
    // carry: it is refused when the data runs out, and the output buffer has grown with what was
    // decoded, not to the recorded size.
    void memoryFollowsTheOutput()
    {
        const QByteArray text = declarationText(1700, 8);
        const QByteArray full = container(text);
        const auto claimed = quint32(40 * (full.size() - 8));
        QVERIFY2(claimed > 5 * text.size(), qPrintable(QString::number(claimed)));
        const QByteArray bomb = withSize(full, claimed);
        largestAllocation = 0;
        try {
            zef::readContainer(view(bomb));
            QFAIL("read");
        } catch (const zef::EContainerError &e) {
            QCOMPARE(e.reason(), Reason::Truncated);
        }
        QVERIFY2(largestAllocation < 2 * std::size_t(text.size()), qPrintable(QString::number(largestAllocation)));
    }

    // In pieces, the bytes are those of the whole, in fixed memory.
    void streamedReadingGivesTheSameBytes_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("AAAAA") << QByteArray("AAAAA");
        QTest::newRow("declaration text, 3 MB") << declarationText(30000, 9);
        QTest::newRow("pseudo-random, 600 kB") << randomBytes(600000, 10);
    }

    void streamedReadingGivesTheSameBytes()
    {
        QFETCH(QByteArray, input);
        const QByteArray full = container(input);
        QByteArray back;
        back.reserve(input.size());
        std::size_t pieces = 0;
        largestAllocation = 0;
        zef::readContainerTo(view(full), [&](std::span<const std::uint8_t> piece) {
            QVERIFY(!piece.empty() && piece.size() <= 256 * 1024);
            back.append(reinterpret_cast<const char *>(piece.data()), qsizetype(piece.size()));
            ++pieces;
        });
        QVERIFY2(largestAllocation < 300000, qPrintable(QString::number(largestAllocation)));
        QCOMPARE(back, input);
        QVERIFY(pieces >= std::size_t(input.size()) / (256 * 1024));
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
