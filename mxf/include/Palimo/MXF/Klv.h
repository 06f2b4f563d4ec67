#pragma once
// KLV triplets: a 16-byte SMPTE key, a BER-coded length, the value.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/MXF/ByteSource.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace Palimo {
namespace MXF {

/// Keys and labels are the project's one label type.
using Identifiers::Label;

/// Where one KLV triplet lies in the file.
struct KlvHeader {
    std::uint64_t offset = 0; // of the key
    Label key{};
    std::uint64_t length = 0;      // of the value
    std::uint64_t valueOffset = 0; // of the value's first byte
    std::uint64_t end() const { return valueOffset + length; }
};

/// Reads the key and the BER length at `offset`. Throws MalformedMXFFile
/// (naming `offset`) when the key does not start with the SMPTE prefix
/// 06.0e.2b.34, the key or length are cut off, the length is not a definite
/// BER length of at most 8 bytes, or the value runs past the end of the source.
KlvHeader readKlvHeader(const ByteSource& source, std::uint64_t offset);

/// Reads a BER length from `bytes` (`available` of them). Returns the number
/// of bytes it takes, 0 when they are cut off, the indefinite form or longer
/// than 9 bytes (a first byte and 8 length bytes).
std::size_t readBerLength(const std::uint8_t* bytes, std::size_t available, std::uint64_t& length);

/// A KLV fill item (06.0e.2b.34.01.01.01.xx.03.01.02.10.01.00.00.00), whose
/// value the reader skips.
bool isFillKey(const Label& key);

} // namespace MXF
} // namespace Palimo
