#include <Palimo/Types/Bytes.h>

namespace Palimo {
namespace Types {
namespace Bytes {
namespace {

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Reads two hex digits at p; p[0] is known to be a readable unit, and p[1]
// is only read when p[0] is a digit (so never past the terminator).
bool readByte(const char16_t* p, std::uint8_t& out) {
    const int high = hexValue(p[0]);
    if (high < 0)
        return false;
    const int low = hexValue(p[1]);
    if (low < 0)
        return false;
    out = static_cast<std::uint8_t>(high * 16 + low);
    return true;
}

} // namespace

bool parseDotted(const char16_t* text, std::uint8_t* out, std::size_t count) {
    if (!text || count == 0)
        return false;
    const char16_t* p = text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            if (*p != u'.')
                return false;
            ++p;
        }
        if (!readByte(p, out[i]))
            return false;
        p += 2;
    }
    return *p == u'\0';
}

bool parsePlainHex(const char16_t* text, std::uint8_t* out, std::size_t count) {
    if (!text || count == 0)
        return false;
    const char16_t* p = text;
    for (std::size_t i = 0; i < count; ++i, p += 2)
        if (!readByte(p, out[i]))
            return false;
    return *p == u'\0';
}

std::string toDotted(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out.push_back('.');
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 0x0F]);
    }
    return out;
}

} // namespace Bytes
} // namespace Types
} // namespace Palimo
