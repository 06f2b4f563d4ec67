#include "XmlEscaping.h"

#include <Palimo/MXF/Utf8.h>

namespace Palimo {
namespace Output {
namespace {

using MXF::appendUtf8;
using MXF::kReplacementCharacter;
using MXF::nextCharacter;

struct Range {
    char32_t first;
    char32_t last;
};

// NameStartChar of XML 1.0 (fifth edition), without ":".
constexpr Range kNameStart[] = {
    {'A', 'Z'},       {'_', '_'},       {'a', 'z'},       {0xc0, 0xd6},     {0xd8, 0xf6},
    {0xf8, 0x2ff},    {0x370, 0x37d},   {0x37f, 0x1fff},  {0x200c, 0x200d}, {0x2070, 0x218f},
    {0x2c00, 0x2fef}, {0x3001, 0xd7ff}, {0xf900, 0xfdcf}, {0xfdf0, 0xfffd}, {0x10000, 0xeffff},
};
// What NameChar adds.
constexpr Range kNameMore[] = {
    {'-', '-'}, {'.', '.'}, {'0', '9'}, {0xb7, 0xb7}, {0x300, 0x36f}, {0x203f, 0x2040},
};

template <std::size_t N>
bool inRanges(const Range (&ranges)[N], char32_t c) {
    for (const Range& range : ranges)
        if (c >= range.first && c <= range.last)
            return true;
    return false;
}

void appendReference(std::string& out, char32_t c) {
    out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
}

} // namespace

bool isXmlCharacter(char32_t c) {
    if (c < 0x20)
        return c == 0x09 || c == 0x0a || c == 0x0d;
    return c != 0xfffe && c != 0xffff && (c < 0xd800 || c > 0xdfff) && c <= 0x10ffff;
}

bool isNCName(std::string_view name) {
    if (name.empty())
        return false;
    std::size_t at = 0;
    for (bool first = true; at < name.size(); first = false) {
        const std::size_t from = at;
        const char32_t c = nextCharacter(name, at);
        if (c == kReplacementCharacter && at - from == 1)
            return false; // a byte that is no UTF-8
        if (!inRanges(kNameStart, c) && (first || !inRanges(kNameMore, c)))
            return false;
    }
    return true;
}

void appendEscaped(std::string& out, std::string_view text, XmlContext context) {
    const std::size_t start = out.size();
    const auto afterHyphen = [&] {
        return out.size() > start && out.back() == '-';
    };
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = nextCharacter(text, at);
        if (!isXmlCharacter(c))
            c = kReplacementCharacter;
        if (context == XmlContext::Comment) {
            if (c == '-' && afterHyphen())
                out += ' ';
            appendUtf8(out, c);
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '"':
        case '\t':
        case '\n':
            if (context == XmlContext::Attribute)
                appendReference(out, c);
            else
                out += static_cast<char>(c);
            break;
        default:
            if (c > 0xffff)
                appendReference(out, c);
            else
                appendUtf8(out, c);
        }
    }
    if (context == XmlContext::Comment && afterHyphen())
        out += ' ';
}

} // namespace Output
} // namespace Palimo
