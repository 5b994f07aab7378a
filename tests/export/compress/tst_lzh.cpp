#include <QtTest>

#include "compress/container.h"
#include "compress/lzh.h"
#include "testdata.h"

using namespace zeftest;

namespace {

QString describe(const std::vector<zef::LzhToken> &trace)
{
    QStringList parts;
    for (const zef::LzhToken &t : trace) {
        if (t.matchLength == 0)
            parts << QStringLiteral("L%1").arg(t.literal);
        else
            parts << QStringLiteral("M%1@%2").arg(t.matchLength).arg(t.position);
    }
    return parts.join(QLatin1Char(' '));
}

// The coder written the plain way, byte by byte, to hold the fast one to the same output: same
// tree, same matches, same bits.
class ReferenceCoder {
public:
    Bytes container(const QByteArray &input)
    {
        Bytes out(zef::kLzhTag.begin(), zef::kLzhTag.end());
        out.resize(zef::kContainerHeaderSize);
        qToLittleEndian<quint32>(static_cast<quint32>(input.size()), out.data() + 4);
        zef::TLzhSymbolWriter writer(out);
        for (int i = 0; i < N; ++i)
            parent[i] = kNil;
        for (int i = N + 1; i <= N + 256; ++i)
            right[i] = kNil;
        std::fill(std::begin(ring), std::end(ring), std::uint8_t{0});
        std::fill(ring, ring + N - F, std::uint8_t{' '});
        qsizetype in = 0;
        int s = 0, r = N - F, len = 0;
        for (; len < F && in < input.size(); ++len)
            ring[r + len] = static_cast<std::uint8_t>(input[in++]);
        for (int i = 1; i <= F; ++i)
            insert(r - i);
        insert(r);
        do {
            if (matchLength > len)
                matchLength = len;
            if (matchLength <= 2) {
                matchLength = 1;
                writer.literal(ring[r]);
            } else {
                writer.match(matchLength, matchPosition);
            }
            const int last = matchLength;
            int i = 0;
            for (; i < last && in < input.size(); ++i) {
                remove(s);
                ring[s] = static_cast<std::uint8_t>(input[in++]);
                if (s < F - 1)
                    ring[s + N] = ring[s];
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                insert(r);
            }
            for (; i < last; ++i) {
                remove(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len > 0)
                    insert(r);
            }
        } while (len > 0);
        writer.finish();
        return out;
    }

private:
    static constexpr int N = 4096, F = 60, kNil = N;

    void insert(int r)
    {
        const std::uint8_t *key = &ring[r];
        int p = N + 1 + key[0];
        int cmp = 1;
        left[r] = right[r] = kNil;
        matchLength = 0;
        for (;;) {
            int &next = cmp >= 0 ? right[p] : left[p];
            if (next == kNil) {
                next = r;
                parent[r] = p;
                return;
            }
            p = next;
            int i = 1;
            while (i < F && key[i] == ring[p + i])
                ++i;
            cmp = i < F ? int(key[i]) - int(ring[p + i]) : 0;
            if (i > 2) {
                const int position = ((r - p) & (N - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = position;
                    matchLength = i;
                    if (i >= F)
                        break;
                } else if (i == matchLength && position < matchPosition) {
                    matchPosition = position;
                }
            }
        }
        parent[r] = parent[p];
        left[r] = left[p];
        right[r] = right[p];
        parent[left[p]] = r;
        parent[right[p]] = r;
        (right[parent[p]] == p ? right[parent[p]] : left[parent[p]]) = r;
        parent[p] = kNil;
    }

    void remove(int p)
    {
        if (parent[p] == kNil)
            return;
        int q;
        if (right[p] == kNil) {
            q = left[p];
        } else if (left[p] == kNil) {
            q = right[p];
        } else {
            q = left[p];
            if (right[q] != kNil) {
                while (right[q] != kNil)
                    q = right[q];
                right[parent[q]] = left[q];
                parent[left[q]] = parent[q];
                left[q] = left[p];
                parent[left[p]] = q;
            }
            right[q] = right[p];
            parent[right[p]] = q;
        }
        parent[q] = parent[p];
        (right[parent[p]] == p ? right[parent[p]] : left[parent[p]]) = q;
        parent[p] = kNil;
    }

    std::uint8_t ring[N + F - 1];
    int parent[N + 1], left[N + 1], right[N + 257];
    int matchLength = 0, matchPosition = 0;
};

} // namespace

// The coder of mode Good and its reader, checked against bytes the receiver already accepts.
class TestLzh : public QObject {
    Q_OBJECT

private slots:
    void knownContainers_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("passes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("AAAAA") << QByteArray("AAAAA") << 1 << QByteArray::fromHex("21485A4C05000000E6C68000");
        QTest::newRow("AAAAA, second pass")
            << QByteArray("AAAAA") << 2 << QByteArray::fromHex("21485A4C0C000000D6F53CDD8C8E3302FB929065F0");
    }

    void knownContainers()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, passes);
        QFETCH(QByteArray, expected);
        Bytes coded = bytes(input);
        for (int i = 0; i < passes; ++i)
            coded = zef::makeContainer(coded);
        QCOMPARE(qbytes(coded), expected);
        for (int i = 0; i < passes; ++i)
            coded = zef::readContainer(coded);
        QCOMPARE(qbytes(coded), input);
    }

    // The steps the receiver reads back: literals ("L" + byte) and matches ("M" + length + "@" +
    // position value).
    void codedSteps_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("steps");
        QTest::newRow("AAAAA") << QByteArray("AAAAA") << QStringLiteral("L65 M4@0");
        QTest::newRow("200 x") << QByteArray(200, 'x') << QStringLiteral("L120 M60@0 M60@0 M60@0 M19@0");
        QTest::newRow("200 zero bytes") << QByteArray(200, '\0') << QStringLiteral("L0 M60@0 M60@0 M60@0 M19@0");
        QTest::newRow("200 0xFF") << QByteArray(200, '\xFF') << QStringLiteral("L255 M60@0 M60@0 M60@0 M19@0");
        // Spaces already fill the ring: the first match reaches back to the oldest of the equal
        // strings, which replaced the nearer ones in the search tree.
        QTest::newRow("200 spaces") << QByteArray(200, ' ') << QStringLiteral("M60@59 M60@0 M60@0 M20@0");
        // The last match is cut to the bytes that remain.
        QTest::newRow("abcabcab") << QByteArray("abcabcab") << QStringLiteral("L97 L98 L99 M5@2");
        QTest::newRow("two bytes repeated") << QByteArray("abab") << QStringLiteral("L97 L98 L97 L98");
    }

    void codedSteps()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, steps);
        std::vector<zef::LzhToken> trace;
        const Bytes back = zef::readContainer(zef::makeContainer(view(input)), &trace);
        QCOMPARE(describe(trace), steps);
        QCOMPARE(qbytes(back), input);
    }

    void positionCodes_data()
    {
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("bits");
        QTest::newRow("0") << 0 << QStringLiteral("000");
        QTest::newRow("1") << 1 << QStringLiteral("0010");
        QTest::newRow("3") << 3 << QStringLiteral("0100");
        QTest::newRow("4") << 4 << QStringLiteral("01010");
        QTest::newRow("11") << 11 << QStringLiteral("10001");
        QTest::newRow("12") << 12 << QStringLiteral("100100");
        QTest::newRow("23") << 23 << QStringLiteral("101111");
        QTest::newRow("24") << 24 << QStringLiteral("1100000");
        QTest::newRow("47") << 47 << QStringLiteral("1110111");
        QTest::newRow("48") << 48 << QStringLiteral("11110000");
        QTest::newRow("63") << 63 << QStringLiteral("11111111");
    }

    void positionCodes()
    {
        QFETCH(int, upper);
        QFETCH(QString, bits);
        const zef::lzh::TPositionCode &pc = zef::lzh::positionCode();
        QCOMPARE(QString::number(pc.code[upper], 2).rightJustified(pc.length[upper], QLatin1Char('0')), bits);
        // Any 8 bits that start with the code read back as this upper value.
        const unsigned first = static_cast<unsigned>(bits.toUInt(nullptr, 2)) << (8 - bits.size());
        const unsigned last = first + (1u << (8 - bits.size())) - 1;
        for (unsigned ahead : {first, last}) {
            QCOMPARE(int(pc.upperOf[ahead]), upper);
            QCOMPARE(int(pc.lengthOf[ahead]), int(bits.size()));
        }
    }

    void codingStartsFresh()
    {
        const QByteArray a = declarationText(300, 1);
        const QByteArray b = skewedBytes(50000, 2);
        zef::TLZH coder;
        Bytes first, other, again;
        coder.Encode(view(a), first);
        coder.Encode(view(b), other);
        coder.Encode(view(a), again);
        QCOMPARE(again, first);

        zef::TLZH fresh;
        Bytes separate;
        fresh.Encode(view(a), separate);
        QCOMPARE(separate, first);
        QCOMPARE(zef::makeContainer(view(a)), zef::makeContainer(view(a)));
    }

    // minSymbols: how many coded steps the input must give at least; 32455 updates take the root
    // of the code tree to 0x8000 and so through a rebuild.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("minSymbols");
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all += static_cast<char>(i);
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("one byte") << QByteArray("Z") << 1;
        QTest::newRow("one zero byte") << QByteArray(1, '\0') << 1;
        QTest::newRow("all byte values") << all << 256;
        QTest::newRow("all byte values, 20 times") << all.repeated(20) << 256;
        QTest::newRow("declaration text, longer than the ring") << declarationText(2000, 3) << 0;
        QTest::newRow("spaces, longer than the ring") << QByteArray(10000, ' ') << 0;
        QTest::newRow("skewed, past a tree rebuild") << skewedBytes(200000, 4) << 32455;
        QTest::newRow("pseudo-random, 300 kB") << randomBytes(300000, 5) << 250000;
    }

    void roundTrip()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, minSymbols);
        const Bytes container = zef::makeContainer(view(input));
        QCOMPARE(qbytes(container).left(4), QByteArray("!HZL"));
        QByteArray size(4, '\0');
        qToLittleEndian<quint32>(static_cast<quint32>(input.size()), size.data());
        QCOMPARE(qbytes(container).mid(4, 4), size);

        std::vector<zef::LzhToken> trace;
        QCOMPARE(qbytes(zef::readContainer(container, &trace)), input);
        QVERIFY2(trace.size() >= static_cast<std::size_t>(minSymbols), qPrintable(QString::number(trace.size())));

        const Bytes outer = zef::makeContainer(container);
        QCOMPARE(qbytes(zef::readContainer(zef::readContainer(outer))), input);
    }

    // The fast coder gives the bytes of the plain one, on inputs that stress the tree: long runs
    // (deep paths, equal strings replaced), few distinct bytes, random bytes, text with stray
    // changes, inputs shorter and longer than the ring, and the second pass over each.
    void matchesReferenceCoder_data()
    {
        QTest::addColumn<QByteArray>("input");
        QByteArray periodic, nearRuns, edited = declarationText(3000, 21), twoLetters;
        for (int i = 0; i < 20000; ++i)
            periodic += "abcabdabcabcx"[i % 13];
        for (int i = 0; i < 30000; ++i)
            nearRuns += (i % 251 == 0 || i % 1009 == 0) ? '1' : '0';
        for (qsizetype i = 0; i < edited.size(); i += 97)
            edited[i] = static_cast<char>(edited[i] ^ 1);
        const QByteArray random = randomBytes(40000, 22);
        for (char c : random)
            twoLetters += (c & 1) ? 'a' : 'b';
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("AAAAA") << QByteArray("AAAAA");
        QTest::newRow("60 bytes") << declarationText(1, 23).left(60);
        QTest::newRow("4100 spaces") << QByteArray(4100, ' ');
        QTest::newRow("9000 zero bytes") << QByteArray(9000, '\0');
        QTest::newRow("declaration text") << declarationText(2500, 24);
        QTest::newRow("declaration text, edited") << edited;
        QTest::newRow("periodic") << periodic;
        QTest::newRow("runs of zeros") << nearRuns;
        QTest::newRow("two letters") << twoLetters;
        QTest::newRow("skewed") << skewedBytes(60000, 25);
        QTest::newRow("pseudo-random") << random;
    }

    void matchesReferenceCoder()
    {
        QFETCH(QByteArray, input);
        ReferenceCoder reference;
        const Bytes expected = reference.container(input);
        const Bytes coded = zef::makeContainer(view(input));
        QCOMPARE(coded, expected);
        QCOMPARE(zef::makeContainer(coded), reference.container(qbytes(expected)));
    }

    // Symbol frequencies growing like the Fibonacci numbers, scaled to stay below the rebuild,
    // give a code path longer than 16 bits; it must be written in full and read back.
    void longSymbolCodes()
    {
        Bytes coded(zef::kLzhTag.begin(), zef::kLzhTag.end());
        coded.resize(zef::kContainerHeaderSize);
        QByteArray plain;
        zef::TLzhSymbolWriter writer(coded);
        int fib[9] = {1, 1, 2, 3, 5, 8, 13, 21, 34};
        for (int symbol = 0; symbol < 9; ++symbol) {
            for (int i = 0; i < 350 * fib[symbol]; ++i) {
                writer.literal(static_cast<std::uint8_t>(symbol));
                plain += static_cast<char>(symbol);
            }
        }
        writer.literal(200);
        plain += static_cast<char>(200);
        writer.finish();
        qToLittleEndian<quint32>(static_cast<quint32>(plain.size()), coded.data() + 4);

        QVERIFY2(writer.longestCode() > 16, qPrintable(QString::number(writer.longestCode())));
        QCOMPARE(qbytes(zef::readContainer(coded)), plain);
    }
};

QTEST_APPLESS_MAIN(TestLzh)
#include "tst_lzh.moc"
