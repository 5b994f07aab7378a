#include "compress/codetree.h"

#include <cstring>

namespace zef::lzh {

// Halves every leaf (never below 1), then pairs nodes from the bottom up, placing each sum at
// its place in frequency order, which keeps the sibling property.
void TLzhCodeTree::rebuild()
{
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
        if (son[i] >= kNodes) {
            freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
        const unsigned f = freq[i] + freq[i + 1];
        int k = n - 1;
        while (f < freq[k])
            --k;
        ++k;
        const std::size_t moved = static_cast<std::size_t>(n - k) * sizeof(std::uint16_t);
        std::memmove(&freq[k + 1], &freq[k], moved);
        freq[k] = static_cast<std::uint16_t>(f);
        std::memmove(&son[k + 1], &son[k], moved);
        son[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < kNodes; ++i) {
        const int k = son[i];
        owner[k] = static_cast<std::uint16_t>(i);
        if (k < kNodes)
            owner[k + 1] = static_cast<std::uint16_t>(i);
    }
}

namespace {

int upperLength(int u)
{
    if (u < 1)
        return 3;
    if (u < 4)
        return 4;
    if (u < 12)
        return 5;
    if (u < 24)
        return 6;
    if (u < 48)
        return 7;
    return 8;
}

TPositionCode makePositionCode()
{
    TPositionCode t{};
    unsigned code = 0;
    int length = upperLength(0);
    for (int u = 0; u < 64; ++u) {
        if (u > 0) {
            const int next = upperLength(u);
            code = (code + 1) << (next - length);
            length = next;
        }
        t.code[u] = static_cast<std::uint8_t>(code);
        t.length[u] = static_cast<std::uint8_t>(length);
        const unsigned first = code << (8 - length);
        const unsigned count = 1u << (8 - length);
        for (unsigned i = first; i < first + count; ++i) {
            t.upperOf[i] = static_cast<std::uint8_t>(u);
            t.lengthOf[i] = static_cast<std::uint8_t>(length);
        }
    }
    return t;
}

} // namespace

const TPositionCode &positionCode()
{
    static const TPositionCode table = makePositionCode();
    return table;
}

} // namespace zef::lzh
