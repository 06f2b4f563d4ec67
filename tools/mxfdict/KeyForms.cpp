#include "KeyForms.h"

#include <cctype>
#include <strings.h>
#include <vector>

namespace Mxfdict {

namespace {

bool startsWithIgnoringCase(const std::string& text, const char* prefix) {
    const std::string::size_type length = std::char_traits<char>::length(prefix);
    return text.size() >= length && strncasecmp(text.c_str(), prefix, length) == 0;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Exactly `count` bytes of hex digit pairs, with dots allowed between bytes
// only (never first, last, twice in a row or inside a byte).
std::optional<std::vector<std::uint8_t>> readBytes(const std::string& text, std::size_t count) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '.') {
            if (bytes.empty() || i + 1 == text.size() || text[i + 1] == '.')
                return std::nullopt;
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0 || bytes.size() == count)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
    }
    if (bytes.size() != count)
        return std::nullopt;
    return bytes;
}

} // namespace

std::optional<std::array<std::uint8_t, 16>> readLabelText(const std::string& text) {
    const char kUrn[] = "urn:smpte:ul:";
    const std::string digits =
        startsWithIgnoringCase(text, kUrn) ? text.substr(sizeof kUrn - 1) : text;
    const auto bytes = readBytes(digits, 16);
    if (!bytes)
        return std::nullopt;
    std::array<std::uint8_t, 16> label{};
    for (std::size_t i = 0; i < label.size(); ++i)
        label[i] = (*bytes)[i];
    return label;
}

std::optional<std::uint16_t> readLocalTagText(const std::string& text) {
    const std::string digits = startsWithIgnoringCase(text, "0x") ? text.substr(2) : text;
    const auto bytes = readBytes(digits, 2);
    if (!bytes)
        return std::nullopt;
    return static_cast<std::uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
}

} // namespace Mxfdict
