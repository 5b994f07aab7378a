#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "compress/codetree.h"

namespace zef {

// One decoded step of the coded stream: a literal byte (matchLength 0) or a copy of matchLength
// bytes from position value `position` (the distance back, less one).
struct LzhToken {
    std::uint8_t literal = 0;
    int matchLength = 0;
    int position = 0;

    friend bool operator==(const LzhToken &, const LzhToken &) = default;
};

// Takes the output of the reader piece by piece, in order.
using LzhSink = std::function<void(std::span<const std::uint8_t>)>;

// The largest recorded size the reader accepts; beyond it a container is refused before anything
// is decoded. Declaration files are a few megabytes at most.
inline constexpr std::size_t kMaxDecodedSize = std::size_t{1} << 30;

// Turns literals and matches into the coded bit stream: the adaptive code of the symbol, then for a
// match the prefix-coded upper 6 bits of its position and the lower 6 bits as they are. Bits go
// out most significant first; finish() fills the last byte with zero bits.
class TLzhSymbolWriter {
public:
    explicit TLzhSymbolWriter(std::vector<std::uint8_t> &out);

    void literal(std::uint8_t byte) { symbol(byte); }
    // length 3 to 60, position value 0 to 4095
    void match(int length, int position)
    {
        symbol(lzh::matchSymbol(length));
        const lzh::TPositionCode &pc = *positions_;
        const int upper = position >> 6;
        put((static_cast<std::uint64_t>(pc.code[upper]) << 6) | static_cast<unsigned>(position & 63),
            pc.length[upper] + 6);
    }
    void finish();

    // The longest symbol code written so far, in bits.
    int longestCode() const { return longest_; }

private:
    void symbol(int s)
    {
        const lzh::TLzhCodeTree::Code c = tree_.code(s);
        if (c.length > longest_)
            longest_ = c.length;
        put(c.bits, c.length);
        tree_.update(s);
    }
    void put(std::uint64_t bits, int length)
    {
        acc_ = (acc_ << length) | bits;
        pending_ += length;
        while (pending_ >= 8) {
            pending_ -= 8;
            out_.push_back(static_cast<std::uint8_t>(acc_ >> pending_));
        }
    }

    std::vector<std::uint8_t> &out_;
    const lzh::TPositionCode *positions_;
    lzh::TLzhCodeTree tree_;
    std::uint64_t acc_ = 0;
    int pending_ = 0;
    int longest_ = 0;
};

// The coder of mode Good: an LZSS dictionary over a 4096-byte ring, searched with a binary tree,
// whose symbols go through TLzhSymbolWriter. Every call starts from fresh tables.
class TLZH {
public:
    // Appends the coded form of `input` (without the container header) to `out`.
    void Encode(std::span<const std::uint8_t> input, std::vector<std::uint8_t> &out);

    // The longest symbol code of the last Encode, in bits.
    int longestCode() const { return longestCode_; }

    // Reads `size` bytes back from the coded stream `coded`. Throws EContainerError when `size`
    // is over kMaxDecodedSize or more than the stream can carry, when the stream ends too early,
    // copies past `size`, or carries anything after its last code (except for size 0, where a
    // coder sends one symbol that is never read). Memory grows with the output produced, never
    // ahead of it from `size`. When `trace` is given, every decoded step is appended to it.
    static std::vector<std::uint8_t> Decode(std::span<const std::uint8_t> coded, std::size_t size,
                                            std::vector<LzhToken> *trace = nullptr);

    // The same, handing the output to `sink` in pieces of at most 256 KB as it is produced, in
    // fixed memory. On an error, the pieces already handed over stay handed over.
    static void Decode(std::span<const std::uint8_t> coded, std::size_t size, const LzhSink &sink);

private:
    struct Tables;
    int longestCode_ = 0;
};

} // namespace zef
