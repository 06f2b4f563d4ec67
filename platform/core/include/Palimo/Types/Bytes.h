#pragma once
// Fixed-size byte identifiers (labels, keys, UUIDs, UMIDs) and their text forms.
#include <Palimo/Templates/String.h>
#include <Palimo/Types/Identifiers.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace Palimo {
namespace Types {
namespace Bytes {

/// Reads exactly `count` bytes written as two hex digits each (either case)
/// separated by single '.' characters. Returns false for anything else.
bool parseDotted(const char16_t* text, std::uint8_t* out, std::size_t count);
/// Reads exactly `count` bytes written as 2*count hex digits with no separator.
bool parsePlainHex(const char16_t* text, std::uint8_t* out, std::size_t count);
/// Lower-case dotted hex ("06.0e.2b...").
std::string toDotted(const std::uint8_t* bytes, std::size_t count);

} // namespace Bytes
} // namespace Types
} // namespace Palimo
