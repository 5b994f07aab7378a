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

// Reads a container back to the bytes it was made from. Throws EContainerError, with its reason,
// for a short header, a wrong tag, coded data that ends too early, a copy past the recorded size,
// or anything after the last code. Never reads outside `container`.
std::vector<std::uint8_t> readContainer(std::span<const std::uint8_t> container,
                                        std::vector<LzhToken> *trace = nullptr);

} // namespace zef
