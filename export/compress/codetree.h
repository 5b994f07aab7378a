#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace zef::lzh {

inline constexpr int kRingSize = 4096;
inline constexpr int kLongestMatch = 60;
inline constexpr int kShortestMatch = 3;   // 2 or fewer bytes go out as literals
inline constexpr int kSymbols = 256 - kShortestMatch + 1 + kLongestMatch;  // 314
inline constexpr int kNodes = 2 * kSymbols - 1;                             // 627
inline constexpr int kRoot = kNodes - 1;                                    // 626
inline constexpr unsigned kMaxFreq = 0x8000;

// Symbol of a match of `length` bytes (3 to 60).
constexpr int matchSymbol(int length) { return 253 + length; }

// The adaptive Huffman code shared by the coder and the reader. Both sides must run exactly the
// same updates, so this is the one definition of the tree. `freq` is kept non-decreasing along the
// node index (sibling property); `son` holds either a leaf (kNodes + symbol) or the first of two
// adjacent children; `owner` maps nodes and leaves to the node above them.
struct TLzhCodeTree {
    // Three spare sentinels after freq[kNodes] let the run scan in update() read four at a time.
    std::uint16_t freq[kNodes + 4];
    std::uint16_t son[kNodes];
    std::uint16_t owner[kNodes + kSymbols];

    void start()
    {
        for (int i = 0; i < kSymbols; ++i) {
            freq[i] = 1;
            son[i] = static_cast<std::uint16_t>(i + kNodes);
            owner[i + kNodes] = static_cast<std::uint16_t>(i);
        }
        for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
            freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
            son[j] = static_cast<std::uint16_t>(i);
            owner[i] = owner[i + 1] = static_cast<std::uint16_t>(j);
        }
        for (int i = kNodes; i < kNodes + 4; ++i)
            freq[i] = 0xFFFF;
        owner[kRoot] = 0;
    }

    // The path of `symbol` from the root, right-aligned: the bit next to the root is the most
    // significant of `length` bits. Paths longer than 16 steps do occur (frequencies growing like
    // the Fibonacci numbers); a 16-bit code register would drop their last bits and write a code
    // that no reader can follow, so the whole path is kept. With the root at most 0x8000
    // and every leaf at least 1, a path has at most 21 steps (a leaf at depth d needs a root of
    // at least Fibonacci(d + 2)), well inside 64 bits.
    struct Code {
        std::uint64_t bits;
        int length;
    };

    Code code(int symbol) const
    {
        std::uint64_t bits = 0;
        int length = 0;
        int k = owner[symbol + kNodes];
        do {
            bits |= static_cast<std::uint64_t>(k & 1) << length;
            ++length;
            k = owner[k];
        } while (k != kRoot);
        return {bits, length};
    }

    void update(int symbol)
    {
        if (freq[kRoot] == kMaxFreq)
            rebuild();
        int c = owner[symbol + kNodes];
        do {
            const unsigned k = ++freq[c];
            if (k > freq[c + 1]) {
                // c moves past the run of nodes now below it, exchanging places and subtrees
                // with the last of them.
                const int l = endOfRun(c + 1, k);
                freq[c] = freq[l];
                freq[l] = static_cast<std::uint16_t>(k);

                const int i = son[c];
                owner[i] = static_cast<std::uint16_t>(l);
                if (i < kNodes)
                    owner[i + 1] = static_cast<std::uint16_t>(l);

                const int j = son[l];
                son[l] = static_cast<std::uint16_t>(i);
                owner[j] = static_cast<std::uint16_t>(c);
                if (j < kNodes)
                    owner[j + 1] = static_cast<std::uint16_t>(c);
                son[c] = static_cast<std::uint16_t>(j);

                c = l;
            }
            c = owner[c];
        } while (c != 0);
    }

    void rebuild();

private:
    // The last node from `from` on whose frequency is below k. Frequencies are ordered and
    // freq[from] == k - 1, so this is the end of the run of k - 1. Equal runs get long when many
    // symbols are about equally frequent (random bytes), hence four entries per step.
    int endOfRun(int from, unsigned k) const
    {
        int l = from + 1;
        if constexpr (std::endian::native == std::endian::little) {
            const std::uint64_t run = static_cast<std::uint64_t>(k - 1) * 0x0001000100010001ULL;
            for (;;) {
                std::uint64_t w;
                std::memcpy(&w, &freq[l], sizeof w);
                const std::uint64_t diff = w ^ run;
                if (diff != 0)
                    return l + (std::countr_zero(diff) >> 4) - 1;
                l += 4;
            }
        } else {
            while (k > freq[l])
                ++l;
            return l - 1;
        }
    }
};

// The fixed prefix code of the upper 6 bits of a match position: lengths 3 to 8, assigned in
// increasing order of the value.
struct TPositionCode {
    std::uint8_t code[64];    // right-aligned
    std::uint8_t length[64];
    // For any 8 bits read ahead: the upper value whose code they start with, and its length.
    std::uint8_t upperOf[256];
    std::uint8_t lengthOf[256];
};

const TPositionCode &positionCode();

} // namespace zef::lzh
