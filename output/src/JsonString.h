#pragma once
// A JSON string, written once for every JSON output: quoted, escaped as
// nlohmann escapes it, each byte that is no UTF-8 as U+FFFD.
#include <Palimo/MXF/Utf8.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace Palimo {
namespace Output {

/// The most characters writeJsonString writes for `text`: no byte takes more
/// than the six of "\u00XX".
inline std::size_t maxJsonStringSize(std::string_view text) {
    return 2 + 6 * text.size();
}

/// Writes `text` as a JSON string from `at`, where there is room for
/// maxJsonStringSize(text) characters; returns where it ends. Inline: it is
/// the JSON writer's loop over every character.
inline char* writeJsonString(char* at, std::string_view text) {
    *at++ = '"';
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80) {
            // Each byte that is no UTF-8 becomes U+FFFD, as the reader
            // replaces them in texts: the document stays valid.
            char32_t codePoint = 0;
            const std::size_t length = MXF::utf8Sequence(bytes + i, text.size() - i, codePoint);
            if (length == 0) {
                at = std::copy(MXF::kReplacementUtf8.begin(), MXF::kReplacementUtf8.end(), at);
            } else {
                at = std::copy(text.begin() + static_cast<std::ptrdiff_t>(i),
                               text.begin() + static_cast<std::ptrdiff_t>(i + length), at);
                i += length - 1;
            }
            continue;
        }
        if (c >= 0x20 && c != '"' && c != '\\') {
            *at++ = ch;
            continue;
        }
        *at++ = '\\';
        switch (c) {
        case '"':
        case '\\':
            *at++ = ch;
            break;
        case '\b':
            *at++ = 'b';
            break;
        case '\f':
            *at++ = 'f';
            break;
        case '\n':
            *at++ = 'n';
            break;
        case '\r':
            *at++ = 'r';
            break;
        case '\t':
            *at++ = 't';
            break;
        default:
            at += std::snprintf(at, 6, "u%04x", static_cast<unsigned>(c));
        }
    }
    *at++ = '"';
    return at;
}

/// The same as a string.
std::string jsonString(std::string_view text);

} // namespace Output
} // namespace Palimo
