#include <Palimo/TypeDefinitions/CoreTypes.h>

#include <cstdint>

namespace Palimo {
namespace TypeDefinitions {
namespace {

namespace Id = Types::Identifiers;
using Types::Identifier;

struct KnownType {
    std::uint8_t bytes[4]; // 9 to 12 of the label
    Identifier identifier;
};

constexpr KnownType kKnownTypes[] = {
    {{0x01, 0x01, 0x20, 0x01}, Id::Position},
    {{0x01, 0x01, 0x20, 0x02}, Id::Length},
    {{0x01, 0x02, 0x01, 0x00}, Id::Float32}, // registered as a 4-byte integer
    {{0x01, 0x03, 0x01, 0x00}, Id::AUID},
    {{0x01, 0x03, 0x02, 0x00}, Id::UMID32}, // PackageIDType
    {{0x01, 0x03, 0x03, 0x00}, Id::UUID},
    {{0x01, 0x04, 0x01, 0x00}, Id::Boolean},
    {{0x01, 0x10, 0x01, 0x00}, Id::UTF16}, // Character
    {{0x01, 0x10, 0x02, 0x00}, Id::UTF16String},
    {{0x01, 0x10, 0x04, 0x00}, Id::ISO7String},
    {{0x01, 0x10, 0x06, 0x00}, Id::UTF8String},
    {{0x03, 0x01, 0x01, 0x00}, Id::Rational},
    {{0x03, 0x01, 0x02, 0x00}, Id::ProductVersion},
    {{0x03, 0x01, 0x03, 0x00}, Id::VersionType},
    {{0x03, 0x01, 0x04, 0x00}, Id::RGBAComponent},
    {{0x03, 0x01, 0x05, 0x00}, Id::DateStruct},
    {{0x03, 0x01, 0x06, 0x00}, Id::TimeStruct},
    {{0x03, 0x01, 0x07, 0x00}, Id::Timestamp},
    {{0x03, 0x01, 0x0a, 0x00}, Id::J2KComponentSizing},
    {{0x03, 0x01, 0x0c, 0x00}, Id::ColorPrimary},
    {{0x04, 0x01, 0x10, 0x00}, Id::UMID64}, // ExtUMID
    {{0x04, 0x10, 0x01, 0x00}, Id::DataValue},
    {{0x04, 0x10, 0x02, 0x00}, Id::Stream},
    {{0x04, 0x10, 0x03, 0x00}, Id::IndirectValue},
    {{0x04, 0x10, 0x04, 0x00}, Id::Opaque},
};

constexpr std::uint8_t kUtf16StringArray[] = {0x04, 0x01, 0x05, 0x00};

bool hasBytes(const Identifiers::Label& label, const std::uint8_t (&bytes)[4]) {
    static const std::uint8_t prefix[] = {0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01};
    for (std::size_t i = 0; i < sizeof prefix; ++i)
        if (label[i] != prefix[i])
            return false;
    return label[8] == bytes[0] && label[9] == bytes[1] && label[10] == bytes[2] &&
           label[11] == bytes[3] && label[12] == 0 && label[13] == 0 && label[14] == 0 &&
           label[15] == 0;
}

} // namespace

std::optional<Identifier> knownCoreType(const Identifiers::Label& typeLabel) {
    for (const KnownType& known : kKnownTypes)
        if (hasBytes(typeLabel, known.bytes))
            return known.identifier;
    return std::nullopt;
}

bool isUtf16StringArray(const Identifiers::Label& typeLabel) {
    return hasBytes(typeLabel, kUtf16StringArray);
}

Identifier coreIntegerType(std::size_t size, bool isSigned) {
    switch (size) {
    case 1:
        return isSigned ? Id::Int8 : Id::UInt8;
    case 2:
        return isSigned ? Id::Int16 : Id::UInt16;
    case 4:
        return isSigned ? Id::Int32 : Id::UInt32;
    case 8:
        return isSigned ? Id::Int64 : Id::UInt64;
    default:
        return Id::NoIdentifier;
    }
}

} // namespace TypeDefinitions
} // namespace Palimo
