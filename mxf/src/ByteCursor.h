#pragma once
// Big-endian reads over bytes taken from a file, each checked against what is
// left, so that a structure cut short fails with the offset where it stops.
#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/Klv.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

class ByteCursor {
public:
    /// `bytes` start at `fileOffset` in the file; `context` names the structure
    /// they hold in messages ("partition pack at byte 0").
    ByteCursor(const std::vector<std::uint8_t>& bytes, std::uint64_t fileOffset,
               std::string context)
        : data_(bytes.data()), size_(bytes.size()), fileOffset_(fileOffset),
          context_(std::move(context)) {}

    std::uint64_t offset() const { return fileOffset_ + position_; }
    std::size_t remaining() const { return size_ - position_; }

    /// The next `count` bytes; throws MalformedMXFFile naming `what` when
    /// fewer are left.
    const std::uint8_t* take(std::size_t count, const char* what) {
        if (count > remaining())
            throw MalformedMXFFile(offset(),
                                   std::string(what) + " of the " + context_ +
                                       " cut off: " + std::to_string(count) + " bytes needed, " +
                                       std::to_string(remaining()) + " left",
                                   __FILE__, __LINE__);
        const std::uint8_t* p = data_ + position_;
        position_ += count;
        return p;
    }
    std::uint64_t unsignedInteger(std::size_t bytes, const char* what) {
        const std::uint8_t* p = take(bytes, what);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value = (value << 8) | p[i];
        return value;
    }
    std::uint16_t u16(const char* what) {
        return static_cast<std::uint16_t>(unsignedInteger(2, what));
    }
    std::uint32_t u32(const char* what) {
        return static_cast<std::uint32_t>(unsignedInteger(4, what));
    }
    std::uint64_t u64(const char* what) { return unsignedInteger(8, what); }
    Label label(const char* what) { return Label::fromBytes(take(16, what)); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::uint64_t fileOffset_;
    std::size_t position_ = 0;
    std::string context_;
};

} // namespace MXF
} // namespace Palimo
