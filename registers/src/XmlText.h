#pragma once
// Escaping of UTF-8 text for XML content and attribute values.
#include <string>

namespace Palimo {
namespace Registers {

/// `text` with "&", "<" and ">" escaped, for element content.
std::string escapeText(const std::string& text);
/// `text` with "&", "<", ">" and '"' escaped, and tabs and line breaks as
/// character references (attribute value normalisation would turn them into
/// spaces), for an attribute value between double quotes.
std::string escapeAttribute(const std::string& text);
/// `text` fit for an XML comment: every "--" becomes "- -" and a trailing "-"
/// gets a space after it.
std::string commentText(const std::string& text);

} // namespace Registers
} // namespace Palimo
