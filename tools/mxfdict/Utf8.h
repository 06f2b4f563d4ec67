#pragma once
// Reading UTF-8 one character at a time, for the writers that must tell
// characters apart (escapes) and never pass on what is no UTF-8.
#include <cstddef>
#include <string_view>

namespace Mxfdict {

/// The UTF-8 of U+FFFD, which the writers put for each byte that is no UTF-8.
constexpr std::string_view kReplacementCharacter = "\xef\xbf\xbd";

/// The length of the well-formed UTF-8 sequence at `at` (1 to 4; shortest
/// form, no surrogate, at most U+10FFFF), with its code point in `codePoint`;
/// 0 when the bytes there are no such sequence. `left` bytes may be read.
inline std::size_t utf8Sequence(const unsigned char* at, std::size_t left, char32_t& codePoint) {
    const unsigned char lead = at[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((at[i] & 0xc0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (at[i] & 0x3fu);
    }
    if (codePoint < minimum || codePoint > 0x10ffff || (codePoint >= 0xd800 && codePoint <= 0xdfff))
        return 0;
    return length;
}

} // namespace Mxfdict
