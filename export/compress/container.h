#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "compress/errors.h"
#include "compress/lzh.h"

namespace zef {

// The container of mode Good: the tag "!HZL", the input size (4 bytes, least significant
// first), then the coded stream.
inline constexpr std::array<std::uint8_t, 4> kLzhTag = {0x21, 0x48, 0x5A, 0x4C};
inline constexpr std::size_t kContainerHeaderSize = 8;

// Codes `input` into a complete container. Throws ELzrw1Exception when the input cannot be
// recorded (4 GiB or more) and ElzhException when the coder's tables cannot be obtained.
std::vector<std::uint8_t> makeContainer(std::span<const std::uint8_t> input);

// The same, appended to `out`, so that a caller can keep one buffer for several codings.
void appendContainer(std::span<const std::uint8_t> input, std::vector<std::uint8_t> &out);

// Reads a container back to the bytes it was made from. Throws EContainerError, with its reason,
// for a short header, a wrong tag, a recorded size over kMaxDecodedSize (1 GiB), coded data that
// ends too early, a copy past the recorded size, or anything after the last code. Never reads
// outside `container`; memory grows with the output produced, not with the recorded size.
std::vector<std::uint8_t> readContainer(std::span<const std::uint8_t> container,
                                        std::vector<LzhToken> *trace = nullptr);

// The same, handing the bytes to `sink` in pieces as they are decoded, in fixed memory. The
// checks are those of readContainer; on an error, the pieces already handed over stay so.
void readContainerTo(std::span<const std::uint8_t> container, const LzhSink &sink);

} // namespace zef
