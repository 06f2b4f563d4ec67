#include <Palimo/MXF/TextForms.h>

#include <Palimo/KLV/Key.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/Bytes.h>
#include <Palimo/Types/LocalTag.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace MXF {

std::string labelText(const Label& label) {
    return KLV::Key(label).text();
}

std::string uuidText(const std::uint8_t* bytes) {
    // The core's UUID reads the dotted form and writes its own.
    const WString dotted = Utils::stringToWstring(Types::Bytes::toDotted(bytes, 16));
    return Types::UUID(dotted.c_str(), Types::DottedHex).text();
}

std::string dottedText(const std::uint8_t* bytes, std::size_t count) {
    return Types::Bytes::toDotted(bytes, count);
}

std::string hexText(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0f]);
    }
    return text;
}

std::string tagText(std::uint16_t tag) {
    return Types::LocalTag(tag).text();
}

} // namespace MXF
} // namespace Palimo
