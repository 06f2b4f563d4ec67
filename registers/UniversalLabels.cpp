#include "registers/UniversalLabels.h"

#include <cctype>

namespace Palimo {
namespace Registers {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

const char kHexDigits[] = "0123456789abcdef";

void appendHex(std::string& out, std::uint8_t byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0f];
}

bool startsWithIgnoringCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) !=
                                    static_cast<unsigned char>(prefix[i]))
            return false;
    return true;
}

} // namespace

std::optional<Label> parseRegisterLabel(const std::string& text) {
    static const char kPrefix[] = "urn:smpte:ul:";
    constexpr std::size_t kPrefixLength = sizeof(kPrefix) - 1;
    // Four groups of eight hex digits separated by dots.
    if (text.size() != kPrefixLength + 35 || !startsWithIgnoringCase(text, kPrefix))
        return std::nullopt;
    Label label{};
    std::size_t byte = 0;
    for (std::size_t i = kPrefixLength; i < text.size();) {
        const std::size_t offset = i - kPrefixLength;
        if (offset % 9 == 8) {
            if (text[i] != '.')
                return std::nullopt;
            ++i;
            continue;
        }
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        label[byte++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return label;
}

std::string dottedLabel(const Label& label) {
    std::string out;
    out.reserve(47);
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (i != 0)
            out += '.';
        appendHex(out, label[i]);
    }
    return out;
}

std::string hexBytes(const Label& label, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < label.size(); ++i)
        appendHex(out, label[i]);
    return out;
}

Label localSetKey(Label group) {
    group[5] = 0x53;
    return group;
}

Label withoutVersion(Label label) {
    label[7] = 0;
    return label;
}

std::optional<std::uint16_t> parseLocalTag(const std::string& text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        const int digit = hexValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(value);
}

std::string dottedLocalTag(std::uint16_t tag) {
    std::string out;
    appendHex(out, static_cast<std::uint8_t>(tag >> 8));
    out += '.';
    appendHex(out, static_cast<std::uint8_t>(tag & 0xff));
    return out;
}

} // namespace Registers
} // namespace Palimo
