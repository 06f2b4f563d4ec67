#include <Palimo/Identifiers/Hex.h>

namespace Palimo {
namespace Identifiers {
namespace {

const char kDigits[] = "0123456789abcdef";

// Into a string sized once: these texts are made for every item shown.
char* putHex(char* out, std::uint8_t byte) {
    out[0] = kDigits[byte >> 4];
    out[1] = kDigits[byte & 0x0f];
    return out + 2;
}

} // namespace

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string hexText(const std::uint8_t* bytes, std::size_t count) {
    std::string out(2 * count, '\0');
    char* at = out.data();
    for (std::size_t i = 0; i < count; ++i)
        at = putHex(at, bytes[i]);
    return out;
}

std::string dottedHexText(const std::uint8_t* bytes, std::size_t count) {
    std::string out(count == 0 ? 0 : 3 * count - 1, '.');
    char* at = out.data();
    for (std::size_t i = 0; i < count; ++i)
        at = putHex(at, bytes[i]) + 1;
    return out;
}

std::string localTagText(std::uint16_t tag) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(tag >> 8),
                                   static_cast<std::uint8_t>(tag & 0xff)};
    return dottedHexText(bytes, 2);
}

std::optional<std::uint16_t> parseLocalTag(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    // "hh.hh" with its dot in the middle, else one to four digits.
    unsigned value = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' && i == 2 && text.size() == 5)
            continue;
        const int digit = hexDigitValue(text[i]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
        ++digits;
    }
    if (digits == 0 || digits > 4)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

} // namespace Identifiers
} // namespace Palimo
