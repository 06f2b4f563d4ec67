#pragma once
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Types/Identifiers.h>

#include <cstdint>
#include <string>

namespace Palimo {
namespace Types {

/// The 2-byte local tag of a set member.
class LocalTag {
public:
    PALIMO_CLASS_ALLOCATION
    explicit LocalTag(std::uint16_t value = 0) : value_(value) {}
    /// Accepts "3c.0a", "3c0a" or "0x3c0a" (hex digits of either case);
    /// throws Exceptions::InvalidStringRepresentation (quoting the text) otherwise.
    LocalTag(const char16_t* text, StringRepresentationEncodingType encoding);

    std::uint16_t value() const { return value_; }
    /// Dotted lower-case form, "3c.0a".
    WString toString(StringRepresentationEncodingType encoding) const;
    std::string text() const; // same, UTF-8

    bool operator==(const LocalTag& o) const { return value_ == o.value_; }
    bool operator!=(const LocalTag& o) const { return value_ != o.value_; }
    bool operator<(const LocalTag& o) const { return value_ < o.value_; }

private:
    std::uint16_t value_;
};

} // namespace Types
} // namespace Palimo
