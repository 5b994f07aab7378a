#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "compress/container.h"
#include "compress/errors.h"

namespace zef {

enum class TCompressMode { Good, Fast, Auto };

// The compression component of the export. Only mode Good is built; asking for another mode fails
// rather than writing a container the receiver does not expect.
//
// Unlike a component that catches its own errors and leaves half a container behind, Compress
// throws ELzrw1Exception (or ElzhException) on every failure, and the container is completed in
// memory before the first byte of it reaches OutStream or OutputFile.
class Tlzrw1 {
public:
    TCompressMode CompressMode = TCompressMode::Good;
    bool UseStream = true;
    std::string InputFile;    // used when UseStream is false
    std::string OutputFile;   // used when UseStream is false; removed again if writing fails
    int Threshold = 40;       // only meaningful to Auto
    std::istream *InStream = nullptr;   // read from its current position to its end
    std::ostream *OutStream = nullptr;  // written from its current position

    // Codes the input into one container; returns the number of bytes written. The recorded size
    // is the number of bytes actually coded, so a stream whose position is not 0 still gives a
    // container that reads back to what was coded.
    std::int64_t Compress();

private:
    std::int64_t compressStreams();
    std::int64_t compressFiles();
};

} // namespace zef
