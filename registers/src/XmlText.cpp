#include "XmlText.h"

namespace Palimo {
namespace Registers {

std::string escapeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
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
        default:
            out += c;
        }
    }
    return out;
}

std::string escapeAttribute(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += escapeText(std::string(1, c));
        }
    }
    return out;
}

std::string commentText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '-' && !out.empty() && out.back() == '-')
            out += ' ';
        out += c;
    }
    if (!out.empty() && out.back() == '-')
        out += ' ';
    return out;
}

} // namespace Registers
} // namespace Palimo
