#include "compress/lzh.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

#include "compress/errors.h"

namespace zef {

using namespace lzh;

namespace {

constexpr int kNil = kRingSize;            // "none" in the search tree
constexpr int kFirstRoot = kRingSize + 1;  // 256 roots, one per first byte
constexpr int kRingMask = kRingSize - 1;
constexpr int kMirror = kLongestMatch - 1;                    // bytes repeated after the ring
constexpr int kStart = kRingSize - kLongestMatch;             // 4036, first input position

std::uint64_t load64(const std::uint8_t *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Index of the first byte (1 to 59) where the 60-byte strings at a and b differ, 60 if none.
// Byte 0 is equal by construction (both hang under the same root).
int mismatch(const std::uint8_t *a, const std::uint8_t *b)
{
    if constexpr (std::endian::native == std::endian::little) {
        for (int off = 1; off < 57; off += 8) {
            const std::uint64_t x = load64(a + off) ^ load64(b + off);
            if (x != 0)
                return off + (std::countr_zero(x) >> 3);
        }
        // Bytes 57 to 59, read as the top of the word at 52 so that nothing past byte 59 is touched.
        const std::uint64_t x = (load64(a + 52) ^ load64(b + 52)) >> 40;
        if (x != 0)
            return 57 + (std::countr_zero(x) >> 3);
        return kLongestMatch;
    } else {
        int i = 1;
        while (i < kLongestMatch && a[i] == b[i])
            ++i;
        return i;
    }
}

} // namespace

struct TLZH::Tables {
    // child[L] is the subtree of smaller strings, child[R] that of greater or equal ones.
    struct Node {
        std::uint16_t parent;
        std::uint16_t child[2];
    };
    static constexpr int L = 0;
    static constexpr int R = 1;

    // Bytes past the input in the first pass of the ring are never defined by the format; they
    // stay zero so that the same input always gives the same tree and the same output.
    std::uint8_t ring[kRingSize + kMirror] = {};
    Node node[kFirstRoot + 256] = {};
    int matchLength = 0;
    unsigned matchPosition = 0;

    void startTree()
    {
        for (int i = kFirstRoot; i < kFirstRoot + 256; ++i)
            node[i].child[R] = kNil;
        for (int i = 0; i < kRingSize; ++i)
            node[i].parent = kNil;
    }

    // Hangs position r into the tree and records the longest (then nearest) earlier string equal
    // to the 60 bytes at r. A string equal in all 60 bytes replaces the older node outright.
    void insert(int r)
    {
        const std::uint8_t *key = &ring[r];
        int p = kFirstRoot + key[0];
        node[r].child[L] = node[r].child[R] = kNil;
        matchLength = 0;
        bool greater = true;
        for (;;) {
            // Two code paths rather than child[greater]: in runs of one digit the direction
            // repeats, and a predicted branch lets the next node be fetched before the
            // comparison that decides it is done.
            if (greater) {
                if (node[p].child[R] != kNil) {
                    p = node[p].child[R];
                } else {
                    node[p].child[R] = static_cast<std::uint16_t>(r);
                    node[r].parent = static_cast<std::uint16_t>(p);
                    return;
                }
            } else {
                if (node[p].child[L] != kNil) {
                    p = node[p].child[L];
                } else {
                    node[p].child[L] = static_cast<std::uint16_t>(r);
                    node[r].parent = static_cast<std::uint16_t>(p);
                    return;
                }
            }
            const std::uint8_t *other = &ring[p];
            const int i = mismatch(key, other);
            if (i < kLongestMatch)
                greater = key[i] > other[i];
            if (i >= kShortestMatch) {
                const unsigned position = static_cast<unsigned>(((r - p) & kRingMask) - 1);
                if (i > matchLength) {
                    matchPosition = position;
                    matchLength = i;
                    if (i >= kLongestMatch)
                        break;
                } else if (i == matchLength && position < matchPosition) {
                    matchPosition = position;
                }
            }
        }
        const Node old = node[p];
        node[r] = old;
        node[old.child[L]].parent = static_cast<std::uint16_t>(r);
        node[old.child[R]].parent = static_cast<std::uint16_t>(r);
        if (node[old.parent].child[R] == p)
            node[old.parent].child[R] = static_cast<std::uint16_t>(r);
        else
            node[old.parent].child[L] = static_cast<std::uint16_t>(r);
        node[p].parent = kNil;
    }

    void remove(int p)
    {
        if (node[p].parent == kNil)
            return;
        int q;
        if (node[p].child[R] == kNil) {
            q = node[p].child[L];
        } else if (node[p].child[L] == kNil) {
            q = node[p].child[R];
        } else {
            q = node[p].child[L];
            if (node[q].child[R] != kNil) {
                do {
                    q = node[q].child[R];
                } while (node[q].child[R] != kNil);
                node[node[q].parent].child[R] = node[q].child[L];
                node[node[q].child[L]].parent = node[q].parent;
                node[q].child[L] = node[p].child[L];
                node[node[p].child[L]].parent = static_cast<std::uint16_t>(q);
            }
            node[q].child[R] = node[p].child[R];
            node[node[p].child[R]].parent = static_cast<std::uint16_t>(q);
        }
        node[q].parent = node[p].parent;
        if (node[node[p].parent].child[R] == p)
            node[node[p].parent].child[R] = static_cast<std::uint16_t>(q);
        else
            node[node[p].parent].child[L] = static_cast<std::uint16_t>(q);
        node[p].parent = kNil;
    }
};

TLzhSymbolWriter::TLzhSymbolWriter(std::vector<std::uint8_t> &out)
    : out_(out), positions_(&positionCode())
{
    tree_.start();
}

void TLzhSymbolWriter::finish()
{
    if (pending_ > 0)
        out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - pending_)));
    pending_ = 0;
}

void TLZH::Encode(std::span<const std::uint8_t> input, std::vector<std::uint8_t> &out)
{
    std::unique_ptr<Tables> tables;
    try {
        tables = std::make_unique<Tables>();
    } catch (const std::bad_alloc &) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    Tables &t = *tables;
    t.startTree();
    std::memset(t.ring, ' ', kStart);

    TLzhSymbolWriter writer(out);
    const std::uint8_t *in = input.data();
    const std::size_t inSize = input.size();
    std::size_t inPos = 0;

    int s = 0;
    int r = kStart;
    int len = 0;
    for (; len < kLongestMatch && inPos < inSize; ++len)
        t.ring[r + len] = in[inPos++];
    for (int i = 1; i <= kLongestMatch; ++i)
        t.insert(r - i);
    t.insert(r);

    // At least one symbol goes out even for an empty input, as the format's own coder does; the
    // reader never reads it because the recorded size is 0.
    do {
        if (t.matchLength > len)
            t.matchLength = len;
        if (t.matchLength < kShortestMatch) {
            t.matchLength = 1;
            writer.literal(t.ring[r]);
        } else {
            writer.match(t.matchLength, static_cast<int>(t.matchPosition));
        }
        const int last = t.matchLength;
        int i = 0;
        for (; i < last && inPos < inSize; ++i) {
            t.remove(s);
            const std::uint8_t c = in[inPos++];
            t.ring[s] = c;
            if (s < kMirror)
                t.ring[s + kRingSize] = c;
            s = (s + 1) & kRingMask;
            r = (r + 1) & kRingMask;
            t.insert(r);
        }
        for (; i < last; ++i) {
            t.remove(s);
            s = (s + 1) & kRingMask;
            r = (r + 1) & kRingMask;
            if (--len > 0)
                t.insert(r);
        }
    } while (len > 0);
    writer.finish();
    longestCode_ = writer.longestCode();
}

namespace {

// Reads the coded stream most significant bit first and refuses to read past its end.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> data)
        : p_(data.data()), end_(data.data() + data.size())
    {
    }

    // Makes sure `n` (at most 56) bits can be taken.
    void need(int n)
    {
        if (avail_ < n) {
            refill();
            if (avail_ < n)
                throw EContainerError(EContainerError::Reason::Truncated,
                                      "LZH : Coded data ends before the recorded size");
        }
    }
    unsigned peek(int n) const { return static_cast<unsigned>(buf_ >> (64 - n)); }

    // Walks the code tree from the root to a leaf, one bit per step, and returns the symbol.
    int symbol(const lzh::TLzhCodeTree &tree)
    {
        if (avail_ < 32)
            refill();
        std::uint64_t b = buf_;
        int used = 0;
        int c = tree.son[kRoot];
        while (c < kNodes) {
            c = tree.son[c + static_cast<int>(b >> 63)];
            b <<= 1;
            ++used;
        }
        if (used > avail_)
            throw EContainerError(EContainerError::Reason::Truncated,
                                  "LZH : Coded data ends before the recorded size");
        buf_ = b;
        avail_ -= used;
        return c - kNodes;
    }
    void skip(int n)
    {
        buf_ <<= n;
        avail_ -= n;
    }

    // Bits of the data not consumed yet, and whether any of them is set.
    std::size_t bitsLeft() const { return static_cast<std::size_t>(end_ - p_) * 8 + static_cast<std::size_t>(avail_); }
    bool anyLeftSet() const
    {
        if (avail_ > 0 && (buf_ >> (64 - avail_)) != 0)
            return true;
        return std::any_of(p_, end_, [](std::uint8_t b) { return b != 0; });
    }

private:
    void refill()
    {
        if (end_ - p_ >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p_, sizeof w);
            if constexpr (std::endian::native == std::endian::little)
                w = byteswap64(w);
            // Bits beyond the bytes counted below are the true next bits of the stream and are
            // or-ed again, unchanged, by the next refill.
            buf_ |= w >> avail_;
            p_ += (63 - avail_) >> 3;
            avail_ |= 56;
        } else {
            while (avail_ <= 56 && p_ < end_) {
                buf_ |= static_cast<std::uint64_t>(*p_++) << (56 - avail_);
                avail_ += 8;
            }
        }
    }
    static std::uint64_t byteswap64(std::uint64_t v)
    {
        v = ((v & 0x00FF00FF00FF00FFULL) << 8) | ((v >> 8) & 0x00FF00FF00FF00FFULL);
        v = ((v & 0x0000FFFF0000FFFFULL) << 16) | ((v >> 16) & 0x0000FFFF0000FFFFULL);
        return (v << 32) | (v >> 32);
    }

    const std::uint8_t *p_;
    const std::uint8_t *end_;
    std::uint64_t buf_ = 0;
    int avail_ = 0;
};

} // namespace

std::vector<std::uint8_t> TLZH::Decode(std::span<const std::uint8_t> coded, std::size_t size,
                                       std::vector<LzhToken> *trace)
{
    // A match of 60 bytes costs at least 10 bits and a literal at least 1, so no stream yields
    // more than 6 bytes per bit; a larger recorded size cannot be reached, and is refused before
    // any memory is taken for it.
    if (size / 48 > coded.size() || (size / 48 == coded.size() && size % 48 != 0))
        throw EContainerError(EContainerError::Reason::Truncated,
                              "LZH : Coded data too short for the recorded size");

    // The output is read back through a copy of the ring's initial image placed in front of it,
    // which spares the ring: a distance is at most 4096, and byte -1 is ring position 4035.
    std::vector<std::uint8_t> buf(kRingSize + size);
    std::memset(buf.data() + kLongestMatch, ' ', kStart);
    std::uint8_t *const out = buf.data() + kRingSize;

    lzh::TLzhCodeTree tree;
    tree.start();
    const TPositionCode &pc = positionCode();
    BitReader bits(coded);

    std::size_t count = 0;
    while (count < size) {
        const int c = bits.symbol(tree);
        tree.update(c);
        if (c < 256) {
            out[count++] = static_cast<std::uint8_t>(c);
            if (trace)
                trace->push_back({static_cast<std::uint8_t>(c), 0, 0});
            continue;
        }
        bits.need(8);
        const unsigned ahead = bits.peek(8);
        const int length = pc.lengthOf[ahead] + 6;
        bits.need(length);
        const int position = static_cast<int>(pc.upperOf[ahead]) * 64 + static_cast<int>(bits.peek(length) & 63);
        bits.skip(length);

        const std::size_t n = static_cast<std::size_t>(c - 253);
        if (n > size - count)
            throw EContainerError(EContainerError::Reason::Overrun,
                                  "LZH : A copied string runs past the recorded size");
        if (trace)
            trace->push_back({0, static_cast<int>(n), position});
        std::uint8_t *dst = out + count;
        const std::uint8_t *src = dst - position - 1;
        const std::size_t distance = static_cast<std::size_t>(position) + 1;
        if (distance >= n) {
            std::memcpy(dst, src, n);
        } else if (distance == 1) {
            std::memset(dst, *src, n);
        } else {
            for (std::size_t k = 0; k < n; ++k)
                dst[k] = src[k];
        }
        count += n;
    }

    if (size > 0 && (bits.bitsLeft() >= 8 || bits.anyLeftSet()))
        throw EContainerError(EContainerError::Reason::TrailingData,
                              "LZH : Data found after the end of the coded stream");

    buf.erase(buf.begin(), buf.begin() + kRingSize);
    return buf;
}

} // namespace zef
