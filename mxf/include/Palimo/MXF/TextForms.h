#pragma once
// Text forms of the byte identifiers an MXF file holds, the same as the core
// library gives its own values: labels and UMIDs in dotted lower-case hex,
// UUIDs as 8-4-4-4-12 lower-case hex digits.
#include <Palimo/MXF/Klv.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace Palimo {
namespace MXF {

/// "06.0e.2b.34..."
std::string labelText(const Label& label);
/// "adab4424-2f25-4dc7-92ff-000b00000000"; `bytes` holds 16 bytes.
std::string uuidText(const std::uint8_t* bytes);
/// Dotted hex of `count` bytes (UMIDs: 32 or 64).
std::string dottedText(const std::uint8_t* bytes, std::size_t count);
/// Plain lower-case hex, two digits a byte, no separator.
std::string hexText(const std::uint8_t* bytes, std::size_t count);
/// "3c.0a"
std::string tagText(std::uint16_t tag);

} // namespace MXF
} // namespace Palimo
