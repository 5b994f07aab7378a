#pragma once

#include <QByteArray>

#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Small fixtures shared by the compression tests: byte conversions and reproducible inputs.
namespace zeftest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes(const QByteArray &a)
{
    return Bytes(a.begin(), a.end());
}

inline QByteArray qbytes(const Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), static_cast<qsizetype>(b.size()));
}

inline std::span<const std::uint8_t> view(const QByteArray &a)
{
    return {reinterpret_cast<const std::uint8_t *>(a.constData()), static_cast<std::size_t>(a.size())};
}

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t state_;
};

inline QByteArray randomBytes(qsizetype size, std::uint64_t seed)
{
    Random rnd(seed);
    QByteArray a(size, Qt::Uninitialized);
    for (char &c : a)
        c = static_cast<char>(rnd.next() >> 56);
    return a;
}

// Letters with halving probabilities ('a' half the time, 'b' a quarter, ...): few matches and a
// lopsided code tree.
inline QByteArray skewedBytes(qsizetype size, std::uint64_t seed)
{
    Random rnd(seed);
    QByteArray a(size, Qt::Uninitialized);
    for (char &c : a)
        c = static_cast<char>('a' + std::min(std::countl_zero(rnd.next() | 1), 25));
    return a;
}

// Fixed-width lines of digits and spaces ending in CR LF, mostly zeros, as the declaration has.
inline QByteArray declarationText(int lines, std::uint64_t seed)
{
    Random rnd(seed);
    QByteArray text;
    for (int n = 0; n < lines; ++n) {
        QByteArray line = QByteArray::number(1 + static_cast<int>(rnd.next() % 12)).rightJustified(2, '0');
        line += "2026";
        line += QByteArray::number(123456789).rightJustified(14, '0');
        for (int i = 0; i < 6; ++i) {
            const std::uint64_t r = rnd.next();
            const qulonglong value = r % 3 == 0 ? (r >> 8) % 100000000 : 0;
            line += QByteArray::number(value).rightJustified(14, '0');
        }
        line += QByteArray(static_cast<qsizetype>(rnd.next() % 4) * 8, ' ');
        line += "\r\n";
        text += line;
    }
    return text;
}

} // namespace zeftest
