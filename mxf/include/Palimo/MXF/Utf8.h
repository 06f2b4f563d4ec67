#pragma once
// The UTF-8 of decoded texts (Text::utf8): how the reader writes the
// characters it decodes, and how a writer that must tell characters apart
// (escapes, names) reads them back. Well-formed means shortest form, no
// surrogate, at most U+10FFFF; each byte that starts no well-formed sequence
// counts as one U+FFFD, wherever it is met.
//
// Threads: plain functions of their arguments.
#include <cstddef>
#include <string>
#include <string_view>

namespace Palimo {
namespace MXF {

/// What stands for a byte that is no UTF-8, and its UTF-8.
constexpr char32_t kReplacementCharacter = 0xfffd;
constexpr std::string_view kReplacementUtf8 = "\xef\xbf\xbd";

/// The length of the well-formed UTF-8 sequence at `at` (1 to 4), with its
/// character in `codePoint`; 0 when the bytes there start no such sequence.
/// At most `left` (at least 1) bytes are read.
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

/// The character at byte `at` of `text`, which then moves past it; U+FFFD
/// for a byte that starts no well-formed sequence, which moves `at` one byte
/// on. `at` must be before the end.
inline char32_t nextCharacter(std::string_view text, std::size_t& at) {
    char32_t c = 0;
    const std::size_t length =
        utf8Sequence(reinterpret_cast<const unsigned char*>(text.data()) + at, text.size() - at, c);
    if (length == 0) {
        ++at;
        return kReplacementCharacter;
    }
    at += length;
    return c;
}

/// Appends `c` (at most U+10FFFF, no surrogate) as UTF-8.
inline void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
}

} // namespace MXF
} // namespace Palimo
