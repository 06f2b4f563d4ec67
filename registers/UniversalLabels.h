#pragma once
// Universal labels and local tags as the registers write them and as the
// schema writes them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace Palimo {
namespace Registers {

using Label = std::array<std::uint8_t, 16>;

/// The register form "urn:smpte:ul:060e2b34.01010101.01011502.00000000" (hex
/// digits in either case, the prefix in any case); nothing for any other text.
std::optional<Label> parseRegisterLabel(const std::string& text);

/// The schema form: two lower-case hex digits a byte, "." between bytes.
std::string dottedLabel(const Label& label);

/// Bytes `from` to `to` - 1 as lower-case hex digits without separators.
std::string hexBytes(const Label& label, std::size_t from, std::size_t to);

/// The key of a group written as a local set: byte 6 set to 0x53 (the
/// registers give groups with 0x7f there, standing for every coding).
Label localSetKey(Label group);

/// The label with its version byte (byte 8) cleared: two labels that differ
/// only there name the same thing.
Label withoutVersion(Label label);

/// A local tag of one to four hex digits ("3c0a", "08"); nothing otherwise.
std::optional<std::uint16_t> parseLocalTag(const std::string& text);

/// "3c.0a".
std::string dottedLocalTag(std::uint16_t tag);

} // namespace Registers
} // namespace Palimo
