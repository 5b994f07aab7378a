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
constexpr int kSlack = 8;                                     // room for the last word compared

std::uint64_t byteswap64(std::uint64_t v)
{
    v = ((v & 0x00FF00FF00FF00FFULL) << 8) | ((v >> 8) & 0x00FF00FF00FF00FFULL);
    v = ((v & 0x0000FFFF0000FFFFULL) << 16) | ((v >> 16) & 0x0000FFFF0000FFFFULL);
    return (v << 32) | (v >> 32);
}

// Eight bytes with the first in the lowest bits, whatever the machine's order: the lowest set bit
// of the exclusive or of two such words is then in the first byte where they differ.
std::uint64_t load64(const std::uint8_t *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    if constexpr (std::endian::native == std::endian::big)
        w = byteswap64(w);
    return w;
}

// The same eight bytes with the first in the highest bits, so that words compare as strings.
std::uint64_t bigEndian(std::uint64_t littleEndianWord)
{
    return byteswap64(littleEndianWord);
}

} // namespace

struct TLZH::Tables {
    // child[L] is the subtree of smaller strings, child[R] that of greater or equal ones.
    static constexpr int L = 0;
    static constexpr int R = 1;

    // Bytes past the input in the first pass of the ring are never defined by the format; they
    // stay zero so that the same input always gives the same tree and the same output.
    std::uint8_t ring[kRingSize + kMirror + kSlack] = {};
    // Apart from the parents, so that the walk down reads four bytes per node.
    std::uint16_t child[kFirstRoot + 256][2] = {};
    std::uint16_t parent[kFirstRoot + 256] = {};
    int matchLength = 0;
    unsigned matchPosition = 0;

    void startTree()
    {
        for (int i = kFirstRoot; i < kFirstRoot + 256; ++i)
            child[i][R] = kNil;
        for (int i = 0; i < kRingSize; ++i)
            parent[i] = kNil;
    }

    // Hangs position r into the tree and records the longest (then nearest) earlier string equal
    // to the 60 bytes at r. A string equal in all 60 bytes replaces the older node outright.
    //
    // The walk down is a chain of dependent loads, so it is laid out to keep that chain short:
    // - The tree is ordered by the 60-byte strings, so every node below the last node passed on
    //   the right and the last passed on the left lies between the two and shares with the key at
    //   least the shorter of their common prefixes; comparison starts there. Any earlier such
    //   bound holds as well, which lets the loads for a node start before its parent is compared.
    // - The first differing word gives both the length and the side: read most significant byte
    //   first, the words compare as the strings do.
    // - While a node is compared, the words of both its children and the children of both are
    //   already on their way; the comparison only picks one side, with masks rather than a
    //   branch (the side is as good as random, a branch on it would be mispredicted half the
    //   time).
    // - Length and nearness are one number: length above, 4095 - position below; the larger wins.
    // The first difference, hence the path, the tree and the match, are those of a comparison
    // byte by byte from byte 1. Loads for a missing child read the entries of "none" (4096),
    // whose children stay 0, and are never used.
    void insert(int r)
    {
        const std::uint8_t *key = &ring[r];
        const int root = kFirstRoot + key[0];
        child[r][L] = child[r][R] = kNil;
        int n = child[root][R];
        if (n == kNil) {
            child[root][R] = static_cast<std::uint16_t>(r);
            parent[r] = static_cast<std::uint16_t>(root);
            matchLength = 0;
            return;
        }
        unsigned best = 0;
        unsigned lowerPrefix = 1;   // common prefix with the last node the key was found greater than
        unsigned upperPrefix = 1;   // and with the last one it was found smaller than

        int nFrom = 1;
        std::uint64_t nWord = load64(&ring[n + 1]);
        unsigned a0 = child[n][L];
        unsigned a1 = child[n][R];
        int aFrom = 1;
        std::uint64_t a0Word = load64(&ring[a0 + 1]);
        std::uint64_t a1Word = load64(&ring[a1 + 1]);
        std::uint32_t b0 = children(a0);
        std::uint32_t b1 = children(a1);
        for (;;) {
            // The bound as it was before this node's comparison, so that the loads below wait
            // only for the side, not for the count of equal bytes.
            const unsigned bound = std::min(lowerPrefix, upperPrefix);
            int i = nFrom;
            std::uint64_t k = load64(key + i);
            std::uint64_t o = nWord;
            while (k == o) {
                i += 8;
                if (i >= kLongestMatch)
                    break;
                k = load64(key + i);
                o = load64(&ring[n + i]);
            }
            i += std::countr_zero(k ^ o) >> 3;
            const unsigned here = static_cast<unsigned>(((r - n) & kRingMask) - 1);
            if (i >= kLongestMatch) {
                best = (static_cast<unsigned>(kLongestMatch) << 12) | (kRingMask - here);
                replace(n, r);
                break;
            }
            best = std::max(best, (static_cast<unsigned>(i) << 12) | (kRingMask - here));

            const std::uint64_t greater = bigEndian(k) > bigEndian(o) ? ~std::uint64_t{0} : 0;
            const auto g = static_cast<unsigned>(greater);
            const auto u = static_cast<unsigned>(i);
            lowerPrefix = pick(g, u, lowerPrefix);
            upperPrefix = pick(g, upperPrefix, u);

            const unsigned next = pick(g, a1, a0);
            if (next == kNil) {
                child[n][g & 1u] = static_cast<std::uint16_t>(r);
                parent[r] = static_cast<std::uint16_t>(n);
                break;
            }
            n = static_cast<int>(next);
            nWord = (a1Word & greater) | (a0Word & ~greater);
            nFrom = aFrom;
            const std::uint32_t b = pick(g, b1, b0);
            a0 = b & 0xFFFFu;
            a1 = b >> 16;
            aFrom = static_cast<int>(bound);
            a0Word = load64(&ring[a0 + static_cast<unsigned>(aFrom)]);
            a1Word = load64(&ring[a1 + static_cast<unsigned>(aFrom)]);
            b0 = children(a0);
            b1 = children(a1);
        }
        const int length = static_cast<int>(best >> 12);
        matchLength = length >= kShortestMatch ? length : 0;
        matchPosition = kRingMask - (best & kRingMask);
    }

    static unsigned pick(unsigned mask, unsigned ifSet, unsigned ifClear)
    {
        return (ifSet & mask) | (ifClear & ~mask);
    }

    // Both children of p in one word, the smaller in the low half.
    std::uint32_t children(unsigned p) const
    {
        std::uint32_t both;
        std::memcpy(&both, child[p], sizeof both);
        if constexpr (std::endian::native == std::endian::big)
            both = (both << 16) | (both >> 16);
        return both;
    }

    // r, equal to p in all 60 bytes, takes p's place in the tree.
    void replace(int p, int r)
    {
        const int up = parent[p];
        const int smaller = child[p][L];
        const int larger = child[p][R];
        parent[r] = static_cast<std::uint16_t>(up);
        child[r][L] = static_cast<std::uint16_t>(smaller);
        child[r][R] = static_cast<std::uint16_t>(larger);
        parent[smaller] = static_cast<std::uint16_t>(r);
        parent[larger] = static_cast<std::uint16_t>(r);
        if (child[up][R] == p)
            child[up][R] = static_cast<std::uint16_t>(r);
        else
            child[up][L] = static_cast<std::uint16_t>(r);
        parent[p] = kNil;
    }

    void remove(int p)
    {
        if (parent[p] == kNil)
            return;
        int q;
        if (child[p][R] == kNil) {
            q = child[p][L];
        } else if (child[p][L] == kNil) {
            q = child[p][R];
        } else {
            q = child[p][L];
            if (child[q][R] != kNil) {
                do {
                    q = child[q][R];
                } while (child[q][R] != kNil);
                child[parent[q]][R] = child[q][L];
                parent[child[q][L]] = parent[q];
                child[q][L] = child[p][L];
                parent[child[p][L]] = static_cast<std::uint16_t>(q);
            }
            child[q][R] = child[p][R];
            parent[child[p][R]] = static_cast<std::uint16_t>(q);
        }
        parent[q] = parent[p];
        if (child[parent[p]][R] == p)
            child[parent[p]][R] = static_cast<std::uint16_t>(q);
        else
            child[parent[p]][L] = static_cast<std::uint16_t>(q);
        parent[p] = kNil;
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

namespace {

// Where the reader puts its output. Both kinds keep, in front of the output, the 4096 bytes the
// copies may reach back to, starting with the ring's initial image (a distance is at most 4096,
// and byte -1 is ring position 4035), and make room as output is produced, never ahead of it.
//
// room(dst, end) is called whenever fewer than 60 bytes are free; it returns where to go on
// writing and moves `end`.

// The whole output in one vector, grown fourfold at a time (few copies) up to the recorded size.
class GrowingOutput {
public:
    explicit GrowingOutput(std::size_t size) : total_(kRingSize + size)
    {
        buf_.resize(std::min<std::size_t>(total_, kRingSize + kFirstPiece));
        std::memset(buf_.data() + kLongestMatch, ' ', kStart);
    }
    std::uint8_t *begin() { return buf_.data() + kRingSize; }
    std::uint8_t *end() { return buf_.data() + buf_.size(); }

    std::uint8_t *room(std::uint8_t *dst, std::uint8_t *&end)
    {
        if (buf_.size() == total_)
            return dst;
        const auto used = static_cast<std::size_t>(dst - buf_.data());
        buf_.resize(std::min(total_, 4 * buf_.size()));
        end = buf_.data() + buf_.size();
        return buf_.data() + used;
    }
    void finish(std::uint8_t *) {}

    std::vector<std::uint8_t> take()
    {
        buf_.erase(buf_.begin(), buf_.begin() + kRingSize);
        return std::move(buf_);
    }

private:
    static constexpr std::size_t kFirstPiece = 64 * 1024;
    std::size_t total_;
    std::vector<std::uint8_t> buf_;
};

// A fixed buffer handed to the sink piece by piece; the last 4096 bytes stay for the copies.
class StreamedOutput {
public:
    explicit StreamedOutput(const LzhSink &sink) : sink_(sink), buf_(kRingSize + kPiece)
    {
        std::memset(buf_.data() + kLongestMatch, ' ', kStart);
    }
    std::uint8_t *begin() { return buf_.data() + kRingSize; }
    std::uint8_t *end() { return buf_.data() + buf_.size(); }

    std::uint8_t *room(std::uint8_t *dst, std::uint8_t *&)
    {
        finish(dst);
        std::memmove(buf_.data(), dst - kRingSize, kRingSize);
        return begin();
    }
    void finish(std::uint8_t *dst)
    {
        if (dst > begin())
            sink_(std::span<const std::uint8_t>(begin(), dst));
    }

private:
    static constexpr std::size_t kPiece = 256 * 1024;
    const LzhSink &sink_;
    std::vector<std::uint8_t> buf_;
};

void checkRecordedSize(std::span<const std::uint8_t> coded, std::size_t size)
{
    if (size > kMaxDecodedSize)
        throw EContainerError(EContainerError::Reason::TooLarge,
                              "LZH : Recorded size over the limit of 1 GiB");
    // A match of 60 bytes costs at least 10 bits and a literal at least 1, so no stream yields
    // more than 6 bytes per bit; a larger recorded size cannot be reached.
    if (size / 48 > coded.size() || (size / 48 == coded.size() && size % 48 != 0))
        throw EContainerError(EContainerError::Reason::Truncated,
                              "LZH : Coded data too short for the recorded size");
}

template <typename Output>
void decode(std::span<const std::uint8_t> coded, std::size_t size, std::vector<LzhToken> *trace,
            Output &output)
{
    lzh::TLzhCodeTree tree;
    tree.start();
    const TPositionCode &pc = positionCode();
    BitReader bits(coded);

    std::uint8_t *dst = output.begin();
    std::uint8_t *end = output.end();
    std::size_t left = size;
    while (left > 0) {
        if (end - dst < kLongestMatch)
            dst = output.room(dst, end);
        const int c = bits.symbol(tree);
        tree.update(c);
        if (c < 256) {
            *dst++ = static_cast<std::uint8_t>(c);
            --left;
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
        if (n > left)
            throw EContainerError(EContainerError::Reason::Overrun,
                                  "LZH : A copied string runs past the recorded size");
        if (trace)
            trace->push_back({0, static_cast<int>(n), position});
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
        dst += n;
        left -= n;
    }

    if (size > 0 && (bits.bitsLeft() >= 8 || bits.anyLeftSet()))
        throw EContainerError(EContainerError::Reason::TrailingData,
                              "LZH : Data found after the end of the coded stream");
    output.finish(dst);
}

} // namespace

std::vector<std::uint8_t> TLZH::Decode(std::span<const std::uint8_t> coded, std::size_t size,
                                       std::vector<LzhToken> *trace)
{
    checkRecordedSize(coded, size);
    GrowingOutput output(size);
    decode(coded, size, trace, output);
    return output.take();
}

void TLZH::Decode(std::span<const std::uint8_t> coded, std::size_t size, const LzhSink &sink)
{
    checkRecordedSize(coded, size);
    StreamedOutput output(sink);
    decode(coded, size, nullptr, output);
}

} // namespace zef
