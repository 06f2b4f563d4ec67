#pragma once
// Texts taken from a schema, cut for quoting in a message: a label or a
// location of a megabyte would otherwise make a message of a megabyte.
#include <Palimo/XMLUtils/Limits.h>

#include <string>

namespace Palimo {
namespace XMLUtils {

/// `text` (UTF-8) itself when it has at most Limits::kQuotedText bytes;
/// otherwise its first Limits::kQuotedText bytes, cut back to the start of a
/// character, then "... (cut, N bytes in all)".
inline std::string quotedText(const std::string& text) {
    if (text.size() <= Limits::kQuotedText)
        return text;
    std::size_t end = Limits::kQuotedText;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // a continuation byte: the character started before
    return text.substr(0, end) + "... (cut, " + std::to_string(text.size()) + " bytes in all)";
}

/// `text` (UTF-16, any string of char16_t) itself when it has at most
/// Limits::kQuotedText code units; otherwise its first Limits::kQuotedText
/// units, without the first half of a surrogate pair, then
/// "... (cut, N characters in all)", N counting code units.
template <class WideString>
WideString quotedText(const WideString& text) {
    if (text.size() <= Limits::kQuotedText)
        return text;
    std::size_t end = Limits::kQuotedText;
    if (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF)
        --end;
    const std::string note = "... (cut, " + std::to_string(text.size()) + " characters in all)";
    WideString out = text.substr(0, end);
    for (const char c : note)
        out.push_back(static_cast<char16_t>(c));
    return out;
}

} // namespace XMLUtils
} // namespace Palimo
