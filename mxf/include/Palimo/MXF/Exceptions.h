#pragma once
// Failures of the MXF reader (codes: Palimo/Exceptions/ErrorCodes.h).
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

#include <cstdint>
#include <string>

namespace Palimo {
namespace MXF {

/// A file whose bytes do not form what the reader expects: a truncated KLV, a
/// length past the end, a count that does not fit. The message starts with
/// "byte N: ", N being the offset in the file of the offending structure.
class MalformedMXFFile : public Exceptions::BaseException {
public:
    MalformedMXFFile(std::uint64_t offset, const std::string& what, const char* file, int line)
        : BaseException("byte " + std::to_string(offset) + ": " + what, file, line),
          offset_(offset) {}
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::MalformedMXFFile);
    }
    std::uint64_t offset() const { return offset_; }

private:
    std::uint64_t offset_;
};

/// A file that cannot be opened or read; the message names the file and the
/// system's reason.
class UnreadableMXFFile : public Exceptions::BaseException {
public:
    using Exceptions::BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::UnreadableMXFFile);
    }
};

/// A partition asked for by name that the file does not have, or that holds
/// no header metadata; the message says which and why.
class MissingPartition : public Exceptions::BaseException {
public:
    using Exceptions::BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::MissingPartition);
    }
};

} // namespace MXF
} // namespace Palimo
