#pragma once
// The texts of RegXML values: numbers, identifiers, dates and times, and
// strings with their escapes.
#include <Palimo/MXF/Value.h>

#include <optional>
#include <string>

namespace Palimo {
namespace Output {

/// A string value as RegXML writes it.
struct RegXMLString {
    std::string text;
    bool escaped = false; // some character was written "$#xN;"
};

/// `utf8` up to its first NUL, each character other than tab, line feed and
/// those from U+0020 on except "$" (U+0024), U+FFFE and U+FFFF written as
/// "$#x" + lower-case hex without leading zeros + ";".
RegXMLString regxmlString(const std::string& utf8);

/// The text of a value written as text alone: integers in decimal, floats
/// in their shortest form (NaN, INF, -INF), Booleans True and False,
/// enumerations by symbol (UNDEFINED when the dictionary names no entry for
/// the value), AUIDs as urn:smpte:ul: or (holding a UUID) urn:uuid: with the
/// halves swapped back, UUIDs as urn:uuid:, UMIDs as urn:smpte:umid:,
/// rationals "n/d", versions "major.minor", timestamps, dates and times in
/// ISO 8601 (milliseconds only when not 0, UTC "Z"), bytes in lower-case hex,
/// texts as regxmlString. None for records, lists and Indirect values.
std::optional<std::string> scalarText(const MXF::Value::Data& data);

} // namespace Output
} // namespace Palimo
