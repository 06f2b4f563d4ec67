#pragma once
// The text forms in which users give labels and local tags: dotted
// (06.0e.2b.34...), undotted (060e2b34...) and as registers and other MXF
// tools print them (urn:smpte:ul:060e2b34.01010101.01011502.00000000); local
// tags as 3c.0a, 3c0a, 0x3c0a or 0X3C0A. Hex digits of either case; dots only
// between bytes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace Mxfdict {

std::optional<std::array<std::uint8_t, 16>> readLabelText(const std::string& text);
std::optional<std::uint16_t> readLocalTagText(const std::string& text);

} // namespace Mxfdict
