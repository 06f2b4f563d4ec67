#pragma once
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Types/Identifiers.h>

#include <array>
#include <cstdint>
#include <string>

namespace Palimo {
namespace KLV {

/// A 16-byte KLV key (the universal label of a set).
class Key {
public:
    PALIMO_CLASS_ALLOCATION
    /// Same notation as Types::UniversalLabel; throws
    /// Exceptions::InvalidStringRepresentation (quoting the text) otherwise.
    Key(const char16_t* text, Types::StringRepresentationEncodingType encoding);
    explicit Key(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}
    Key(const Key&) = default;
    Key& operator=(const Key&) = default;

    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }
    WString toString(Types::StringRepresentationEncodingType encoding) const;
    std::string text() const; // lower-case dotted, UTF-8

    bool operator==(const Key& o) const { return bytes_ == o.bytes_; }
    bool operator!=(const Key& o) const { return bytes_ != o.bytes_; }
    bool operator<(const Key& o) const { return bytes_ < o.bytes_; }

private:
    std::array<std::uint8_t, 16> bytes_;
};

using KeyVector = Templates::vector<Key>;

} // namespace KLV
} // namespace Palimo
