#include <Palimo/KLV/Key.h>

#include "InvalidText.h"
#include <Palimo/Types/Bytes.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace KLV {

Key::Key(const char16_t* text, Types::StringRepresentationEncodingType encoding) : bytes_{} {
    Types::detail::requireDottedHex(encoding, __FILE__, __LINE__);
    if (!Types::Bytes::parseDotted(text, bytes_.data(), bytes_.size()))
        Types::detail::throwInvalidText("key", text, __FILE__, __LINE__);
}

WString Key::toString(Types::StringRepresentationEncodingType) const {
    return Utils::stringToWstring(text());
}

std::string Key::text() const {
    return Types::Bytes::toDotted(bytes_.data(), bytes_.size());
}

} // namespace KLV
} // namespace Palimo
