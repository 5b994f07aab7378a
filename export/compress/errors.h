#pragma once

#include <stdexcept>
#include <string>

namespace zef {

// Every failure of the compression component, of its coder and of the container reader is one
// of these; callers that only need to refuse the file catch ELzrw1Exception.
class ELzrw1Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The coder could not obtain or release its tables.
class ElzhException : public ELzrw1Exception {
public:
    using ELzrw1Exception::ELzrw1Exception;
};

// A container that cannot be read back. The reason lets a caller word its own message
// (the command line speaks Portuguese, the component's texts are English).
class EContainerError : public ELzrw1Exception {
public:
    enum class Reason {
        ShortHeader,   // fewer than the 8 bytes of tag and size
        WrongTag,      // the first 4 bytes are not "!HZL"
        Truncated,     // the coded data ends before the recorded size is reached
        Overrun,       // a copied string would run past the recorded size
        TrailingData,  // bytes or non-zero fill bits after the last code
        TooLarge,      // the recorded size is over the reader's limit
    };

    EContainerError(Reason reason, const std::string &what)
        : ELzrw1Exception(what), reason_(reason) {}

    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

} // namespace zef
