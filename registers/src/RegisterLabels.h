#pragma once
// Universal labels as the registers write them, and the key a group takes when
// it is written as a local set. Every other form is the project's one label
// type's (Palimo/Identifiers/Label.h).
#include <Palimo/Identifiers/Label.h>

#include <optional>
#include <string>

namespace Palimo {
namespace Registers {

using Identifiers::Label;

/// The register form only: "urn:smpte:ul:" (in any case) and four groups of
/// eight hex digits (in either case) separated by dots,
/// "urn:smpte:ul:060e2b34.01010101.01011502.00000000". Nothing for any other
/// text, the dotted and plain forms included.
std::optional<Label> parseRegisterLabel(const std::string& text);

/// The key of a group written as a local set: byte 6 set to 0x53 (the
/// registers give groups with 0x7f there, standing for every coding).
Label localSetKey(const Label& group);

} // namespace Registers
} // namespace Palimo
