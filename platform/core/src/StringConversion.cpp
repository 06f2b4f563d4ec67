#include <Palimo/Utils/StringConversion.h>

#include <cstdint>
#include <cstring>

namespace Palimo {
namespace Utils {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf16(WString& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes UTF-8. A bad sequence is replaced by its maximal valid prefix
// (the Unicode "maximal subpart" rule): one U+FFFD, then decoding resumes at
// the first byte that did not fit. Overlong forms, surrogates and values
// above U+10FFFF are refused through the allowed range of the second byte.
WString decode(const unsigned char* s, std::size_t n) {
    WString out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        char32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            cp = b & 0x0F;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            cp = b & 0x07;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            out.push_back(static_cast<char16_t>(kReplacement));
            ++i;
            continue;
        }
        std::size_t j = 1;
        for (; j < length && i + j < n; ++j) {
            const unsigned char c = s[i + j];
            const unsigned char lo = j == 1 ? low : 0x80;
            const unsigned char hi = j == 1 ? high : 0xBF;
            if (c < lo || c > hi)
                break;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (j == length)
            appendUtf16(out, cp);
        else
            out.push_back(static_cast<char16_t>(kReplacement));
        i += j;
    }
    return out;
}

// Encodes UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string encode(const char16_t* s, std::size_t n) {
    // Most texts are ASCII throughout: copied unit by unit up to the first
    // other character.
    std::size_t i = 0;
    while (i < n && s[i] < 0x80)
        ++i;
    std::string out(s, s + i);
    if (i == n)
        return out;
    out.reserve(n + (n - i) * 2);
    for (; i < n; ++i) {
        const char32_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

} // namespace

WString stringToWstring(const std::string& narrow) {
    return decode(reinterpret_cast<const unsigned char*>(narrow.data()), narrow.size());
}

WString stringToWstring(const char* narrow) {
    if (!narrow)
        return WString();
    return decode(reinterpret_cast<const unsigned char*>(narrow), std::strlen(narrow));
}

std::string wstringToString(const WString& wide) {
    return encode(wide.data(), wide.size());
}

std::string wstringToString(const char16_t* wide) {
    if (!wide)
        return std::string();
    return encode(wide, std::char_traits<char16_t>::length(wide));
}

} // namespace Utils
} // namespace Palimo
