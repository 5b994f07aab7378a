// Round-trips arbitrary bytes through the mode Good coder and the container reader, twice over as
// the declaration file does, and hands arbitrary bytes to the reader, which must either read them
// or refuse them with EContainerError, never touch memory outside them, in one piece or in pieces.
//
// A crash or an abort is a finding; libFuzzer saves the input that caused it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "compress/container.h"
#include "compress/errors.h"

namespace {

// The reader in one piece and in pieces must agree: the same bytes, or the same refusal.
void readAnything(std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> whole;
    int wholeReason = -1;
    try {
        whole = zef::readContainer(bytes);
        // Whatever reads back must be no larger than the stream can carry.
        if (whole.size() > 48 * bytes.size())
            std::abort();
    } catch (const zef::EContainerError &e) {
        wholeReason = static_cast<int>(e.reason());
    }
    std::vector<std::uint8_t> pieces;
    int piecesReason = -1;
    try {
        zef::readContainerTo(bytes, [&](std::span<const std::uint8_t> piece) {
            pieces.insert(pieces.end(), piece.begin(), piece.end());
        });
    } catch (const zef::EContainerError &e) {
        piecesReason = static_cast<int>(e.reason());
    }
    if (piecesReason != wholeReason || (wholeReason < 0 && pieces != whole))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);

    const std::vector<std::uint8_t> once = zef::makeContainer(input);
    const std::vector<std::uint8_t> twice = zef::makeContainer(once);
    if (zef::readContainer(once) != std::vector<std::uint8_t>(input.begin(), input.end()))
        std::abort();
    if (zef::readContainer(twice) != once)
        std::abort();

    // Short inputs never let the ring come round to positions already in the search tree;
    // repeat them, each copy a little changed, past a whole ring so that old strings get removed.
    // Only for inputs whose first byte is a multiple of 4: the coder is the slow part, and this
    // leaves the choice to the fuzzer.
    if (size > 0 && size < 4600 && data[0] % 4 == 0) {
        std::vector<std::uint8_t> longer;
        for (std::uint8_t copy = 0; longer.size() < 4600; ++copy)
            for (const std::uint8_t b : input)
                longer.push_back(static_cast<std::uint8_t>(b ^ (copy & 3)));
        if (zef::readContainer(zef::makeContainer(longer)) != longer)
            std::abort();
    }

    readAnything(input);

    // Most arbitrary inputs fail at the tag; behind a real tag the coded part gets exercised.
    if (size >= 4) {
        std::vector<std::uint8_t> tagged(zef::kLzhTag.begin(), zef::kLzhTag.end());
        tagged.insert(tagged.end(), input.begin(), input.end());
        readAnything(tagged);
    }
    return 0;
}
