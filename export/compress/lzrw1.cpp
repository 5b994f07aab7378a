#include "compress/lzrw1.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <vector>

namespace zef {

namespace {

const char *const kReadError = "Lzrw1 : Error reading from input stream ! (LZH)";
const char *const kWriteError = "Lzrw1 : Error writing to output stream !";

std::vector<std::uint8_t> readRest(std::istream &in, std::streamoff count)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    if (count > 0) {
        in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(count));
        if (in.gcount() != static_cast<std::streamsize>(count))
            throw ELzrw1Exception(kReadError);
    }
    return bytes;
}

bool writeAll(std::ostream &out, const std::vector<std::uint8_t> &bytes)
{
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

} // namespace

std::int64_t Tlzrw1::Compress()
{
    if (CompressMode != TCompressMode::Good)
        throw ELzrw1Exception("Lzrw1 compression : Only mode Good is available !");
    return UseStream ? compressStreams() : compressFiles();
}

std::int64_t Tlzrw1::compressStreams()
{
    if (InStream == nullptr || !*InStream)
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to initialize input stream !");
    const std::streampos start = InStream->tellg();
    if (start == std::streampos(-1))
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to initialize input stream !");
    if (OutStream == nullptr || !*OutStream || OutStream->tellp() == std::streampos(-1))
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to initialize output stream !");

    if (!InStream->seekg(0, std::ios::end))
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of the input stream !");
    const std::streampos end = InStream->tellg();
    if (end == std::streampos(-1) || !InStream->seekg(start))
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of the input stream !");

    const std::vector<std::uint8_t> input = readRest(*InStream, end - start);
    const std::vector<std::uint8_t> container = makeContainer(input);
    if (!writeAll(*OutStream, container))
        throw ELzrw1Exception(kWriteError);
    return static_cast<std::int64_t>(container.size());
}

std::int64_t Tlzrw1::compressFiles()
{
    std::ifstream in(InputFile, std::ios::binary);
    if (!in)
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to initialize input stream !");
    std::error_code ec;
    const auto size = std::filesystem::file_size(InputFile, ec);
    if (ec)
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of the input stream !");
    const std::vector<std::uint8_t> container =
        makeContainer(readRest(in, static_cast<std::streamoff>(size)));

    bool written = false;
    {
        std::ofstream out(OutputFile, std::ios::binary | std::ios::trunc);
        if (!out)
            throw ELzrw1Exception("Lzrw1 (de)compression : Failed to initialize output stream !");
        written = writeAll(out, container);
        out.close();
        written = written && !out.fail();
    }
    if (!written) {
        std::filesystem::remove(OutputFile, ec);
        throw ELzrw1Exception(kWriteError);
    }
    return static_cast<std::int64_t>(container.size());
}

} // namespace zef
