#pragma once
// Bytes and local tags as text: the forms every output of the project shares.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Palimo {
namespace Identifiers {

/// Two lower-case hex digits a byte, no separator: "060e2b34".
std::string hexText(const std::uint8_t* bytes, std::size_t count);
/// Two lower-case hex digits a byte, "." between bytes: "06.0e.2b.34".
std::string dottedHexText(const std::uint8_t* bytes, std::size_t count);

/// A 2-byte local tag: "3c.0a".
std::string localTagText(std::uint16_t tag);
/// Reads a local tag as people and registers write it: "3c.0a", one to four
/// hex digits ("3c0a", "08"), or those with "0x" or "0X" in front; hex digits
/// of either case. Nothing for any other text.
std::optional<std::uint16_t> parseLocalTag(std::string_view text);

/// The value of one hex digit; -1 for any other character.
int hexDigitValue(char c);

} // namespace Identifiers
} // namespace Palimo
