#include "compress/container.h"

#include <algorithm>
#include <limits>

#include "compress/errors.h"

namespace zef {

std::vector<std::uint8_t> makeContainer(std::span<const std::uint8_t> input)
{
    std::vector<std::uint8_t> out;
    // Text codes to a few percent of its size, random bytes grow by a little over 1/8.
    out.reserve(kContainerHeaderSize + input.size() / 4 + 64);
    appendContainer(input, out);
    return out;
}

void appendContainer(std::span<const std::uint8_t> input, std::vector<std::uint8_t> &out)
{
    if (input.size() > std::numeric_limits<std::uint32_t>::max())
        throw ELzrw1Exception("Lzrw1 compression : Input stream too large for the size field !");
    const auto size = static_cast<std::uint32_t>(input.size());

    out.insert(out.end(), kLzhTag.begin(), kLzhTag.end());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(size >> shift));
    TLZH coder;
    coder.Encode(input, out);
}

namespace {

std::uint32_t recordedSize(std::span<const std::uint8_t> container)
{
    if (container.size() < kContainerHeaderSize)
        throw EContainerError(EContainerError::Reason::ShortHeader,
                              "LZH : Container shorter than its 8-byte header");
    if (!std::equal(kLzhTag.begin(), kLzhTag.end(), container.begin()))
        throw EContainerError(EContainerError::Reason::WrongTag,
                              "LZH : Container does not start with the tag !HZL");
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i)
        size |= static_cast<std::uint32_t>(container[4 + static_cast<std::size_t>(i)]) << (8 * i);
    return size;
}

} // namespace

std::vector<std::uint8_t> readContainer(std::span<const std::uint8_t> container,
                                        std::vector<LzhToken> *trace)
{
    const std::uint32_t size = recordedSize(container);
    return TLZH::Decode(container.subspan(kContainerHeaderSize), size, trace);
}

void readContainerTo(std::span<const std::uint8_t> container, const LzhSink &sink)
{
    const std::uint32_t size = recordedSize(container);
    TLZH::Decode(container.subspan(kContainerHeaderSize), size, sink);
}

} // namespace zef
