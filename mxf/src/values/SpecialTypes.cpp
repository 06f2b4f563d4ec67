#include "SpecialTypes.h"

#include "Numbers.h"

#include <Palimo/Identifiers/Hex.h>

#include <array>
#include <iterator>

namespace Palimo {
namespace MXF {
namespace {

using TypeDefinitions::TypeDefinition;

// The register type labels are 06.0e.2b.34.01.04.01.vv.b8.b9.b10.b11.00.00.00.00.
struct Known {
    std::array<std::uint8_t, 4> bytes; // b8 to b11
    SpecialType type;
};
constexpr Known kKnown[] = {
    {{0x03, 0x01, 0x01, 0x00}, SpecialType::Rational},
    {{0x03, 0x01, 0x07, 0x00}, SpecialType::Timestamp},
    {{0x03, 0x01, 0x05, 0x00}, SpecialType::Date},
    {{0x03, 0x01, 0x06, 0x00}, SpecialType::Time},
    {{0x03, 0x01, 0x03, 0x00}, SpecialType::Version},
    {{0x01, 0x03, 0x01, 0x00}, SpecialType::AUID},
    {{0x01, 0x03, 0x03, 0x00}, SpecialType::UUID},
    {{0x01, 0x03, 0x02, 0x00}, SpecialType::UMID},
    {{0x04, 0x01, 0x10, 0x00}, SpecialType::ExtUMID},
    {{0x01, 0x04, 0x01, 0x00}, SpecialType::Boolean},
    {{0x02, 0x01, 0x01, 0x01}, SpecialType::ProductReleaseType},
    {{0x04, 0x10, 0x01, 0x00}, SpecialType::DataValue},
    {{0x01, 0x02, 0x01, 0x00}, SpecialType::Float},
    {{0x01, 0x02, 0x02, 0x00}, SpecialType::Float},
    {{0x01, 0x02, 0x03, 0x00}, SpecialType::Float},
    {{0x01, 0x02, 0x05, 0x00}, SpecialType::Float},
};

constexpr std::array<std::uint8_t, 4> kCharacter = {0x01, 0x10, 0x01, 0x00};
constexpr std::array<std::uint8_t, 4> kChar = {0x01, 0x10, 0x03, 0x00};
constexpr std::array<std::uint8_t, 4> kUTF8Character = {0x01, 0x10, 0x05, 0x00};

// Bytes 8 to 11 of a register type label; none for other labels.
std::optional<std::array<std::uint8_t, 4>> registerTypeBytes(const Identifiers::Label& label) {
    static const Identifiers::Label prefix(
        {0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01, 0x01, 0, 0, 0, 0, 0, 0, 0, 0});
    for (std::size_t i = 0; i < 16; ++i)
        if (i != 7 && (i < 8 || i > 11) && label[i] != prefix[i])
            return std::nullopt;
    return std::array<std::uint8_t, 4>{label[8], label[9], label[10], label[11]};
}

std::string hexOf(const std::uint8_t* bytes, std::size_t size) {
    return Identifiers::hexText(bytes, size);
}

Value valueOf(Value::Data data) {
    Value value;
    value.data = std::move(data);
    return value;
}

Date date(const std::uint8_t* b, bool little) {
    return Date{static_cast<std::int16_t>(signedNumber(b, 2, little)), b[2], b[3]};
}

bool dateInRange(const Date& d) {
    return d.month <= 12 && d.day <= 31;
}

bool timeInRange(const Time& t) {
    return t.hour <= 23 && t.minute <= 59 && t.second <= 59 && t.fraction <= 249;
}

} // namespace

SpecialType specialType(const Identifiers::Label& typeLabel) {
    const auto bytes = registerTypeBytes(typeLabel);
    if (!bytes)
        return SpecialType::None;
    for (const Known& known : kKnown)
        if (known.bytes == *bytes)
            return known.type;
    return SpecialType::None;
}

std::optional<std::size_t> specialSize(SpecialType type) {
    switch (type) {
    case SpecialType::Rational:
    case SpecialType::Timestamp:
        return 8;
    case SpecialType::Date:
    case SpecialType::Time:
        return 4;
    case SpecialType::Version:
    case SpecialType::ProductReleaseType:
        return 2;
    case SpecialType::AUID:
    case SpecialType::UUID:
        return 16;
    case SpecialType::UMID:
        return 32;
    case SpecialType::ExtUMID:
        return 64;
    case SpecialType::Boolean:
        return 1;
    default:
        return std::nullopt;
    }
}

std::optional<CharacterEncoding> characterEncoding(const TypeDefinition& type) {
    if (const auto bytes = registerTypeBytes(type.label)) {
        if (*bytes == kCharacter)
            return CharacterEncoding::UTF16;
        if (*bytes == kChar)
            return CharacterEncoding::ISO7;
        if (*bytes == kUTF8Character)
            return CharacterEncoding::UTF8;
    }
    if (type.kind != TypeDefinitions::TypeKind::Character)
        return std::nullopt;
    if (type.size == 2)
        return CharacterEncoding::UTF16;
    if (type.size == 1)
        return CharacterEncoding::UTF8;
    return std::nullopt;
}

std::string sizeProblem(std::size_t size, const std::string& typeName, std::size_t expected) {
    return std::to_string(size) + " bytes where " + typeName + " takes " + std::to_string(expected);
}

NamedAUID namedAUID(const std::uint8_t* bytes, const TypeDefinitions::TypeDictionary* names,
                    const TypeDefinition* enumeration) {
    NamedAUID named;
    named.auid = Identifiers::AUID::fromBytes(bytes);
    if (enumeration)
        named.known = enumeration->findValue(named.auid.label());
    if (names)
        named.labelName = names->labelName(named.auid.label());
    return named;
}

Identifiers::UUID uuidValue(const std::uint8_t* bytes, bool littleEndian) {
    if (!littleEndian)
        return Identifiers::UUID::fromBytes(bytes);
    Identifiers::UUID::Bytes swapped;
    const std::size_t order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (std::size_t i = 0; i < 16; ++i)
        swapped[i] = bytes[order[i]];
    return Identifiers::UUID(swapped);
}

DecodedValue decodeSpecial(SpecialType type, const std::string& typeName, const std::uint8_t* b,
                           std::size_t size, bool little,
                           const TypeDefinitions::TypeDictionary* names) {
    DecodedValue decoded;
    // Floats of any of the three sizes; the caller checks the type's.
    const std::size_t expected = type == SpecialType::Float
                                     ? (size == 2 || size == 4 || size == 8 ? size : 4)
                                     : specialSize(type).value_or(size);
    if (size != expected) {
        decoded.problem = sizeProblem(size, typeName, expected);
        return decoded;
    }
    switch (type) {
    case SpecialType::Rational:
        decoded.value =
            valueOf(Rational{static_cast<std::int32_t>(signedNumber(b, 4, little)),
                             static_cast<std::int32_t>(signedNumber(b + 4, 4, little))});
        break;
    case SpecialType::Timestamp: {
        const Timestamp stamp{date(b, little), Time{b[4], b[5], b[6], b[7]}};
        if (!dateInRange(stamp.date) || !timeInRange(stamp.time))
            decoded.problem = "timestamp field out of range (" + hexOf(b, 8) + ")";
        decoded.value = valueOf(stamp);
        break;
    }
    case SpecialType::Date: {
        const Date d = date(b, little);
        if (!dateInRange(d))
            decoded.problem = "date field out of range (" + hexOf(b, 4) + ")";
        decoded.value = valueOf(d);
        break;
    }
    case SpecialType::Time: {
        const Time t{b[0], b[1], b[2], b[3]};
        if (!timeInRange(t))
            decoded.problem = "time field out of range (" + hexOf(b, 4) + ")";
        decoded.value = valueOf(t);
        break;
    }
    case SpecialType::Version:
        decoded.value = valueOf(Version{b[0], b[1]});
        break;
    case SpecialType::AUID:
        decoded.value = valueOf(namedAUID(b, names));
        break;
    case SpecialType::UUID:
        decoded.value = valueOf(uuidValue(b, little));
        break;
    case SpecialType::UMID:
    case SpecialType::ExtUMID:
        decoded.value = valueOf(Identifiers::UMID::fromBytes(b, size));
        break;
    case SpecialType::Boolean:
        decoded.value = valueOf(b[0] != 0);
        break;
    case SpecialType::Float:
        decoded.value = valueOf(floatNumber(b, size, little));
        break;
    default:
        decoded.problem = typeName + " is not decoded here";
        break;
    }
    return decoded;
}

} // namespace MXF
} // namespace Palimo
