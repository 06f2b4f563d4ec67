#include <Palimo/Types/LocalTag.h>

#include "InvalidText.h"
#include <Palimo/Types/Bytes.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace Types {

LocalTag::LocalTag(const char16_t* text, StringRepresentationEncodingType encoding) : value_(0) {
    detail::requireDottedHex(encoding, __FILE__, __LINE__);
    std::uint8_t bytes[2];
    const bool ok =
        text && (Bytes::parseDotted(text, bytes, 2) || Bytes::parsePlainHex(text, bytes, 2) ||
                 (text[0] == u'0' && text[1] == u'x' && Bytes::parsePlainHex(text + 2, bytes, 2)));
    if (!ok)
        detail::throwInvalidText("local tag", text, __FILE__, __LINE__);
    value_ = static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

WString LocalTag::toString(StringRepresentationEncodingType) const {
    return Utils::stringToWstring(text());
}

std::string LocalTag::text() const {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value_ >> 8),
                                   static_cast<std::uint8_t>(value_ & 0xFF)};
    return Bytes::toDotted(bytes, 2);
}

} // namespace Types
} // namespace Palimo
