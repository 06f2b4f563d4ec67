// Decoding by the flat data types of the core library, for dictionaries
// without type definitions: the same kinds of value as by definition.
#include <Palimo/MXF/ValueDecoder.h>

#include "Numbers.h"
#include "SpecialTypes.h"
#include "Texts.h"

#include <Palimo/Types/BaseTypeFactory.h>

namespace Palimo {
namespace MXF {
namespace {

using namespace Types::Identifiers;
using TypeDefinitions::TypeDictionary;

bool isDecoded(Types::Identifier type) {
    switch (type) {
    case Boolean:
    case Int8:
    case Int16:
    case Int32:
    case Int64:
    case UInt8:
    case UInt16:
    case UInt32:
    case UInt64:
    case Length:
    case Position:
    case ISO7String:
    case UTF16:
    case UTF16String:
    case UniversalLabel:
    case UUID:
    case StrongReference:
    case WeakReference:
    case UMID32:
    case UMID64:
    case Types::Identifiers::Rational:
    case Types::Identifiers::Timestamp:
    case VersionType:
    case ProductVersion:
    case Float32:
    case Float64:
    case UTF8String:
    case AUID:
    case DateStruct:
    case TimeStruct:
    case RGBAComponent:
    case ColorPrimary:
    case J2KComponentSizing:
        return true;
    default:
        return false;
    }
}

std::string typeName(Types::Identifier type) {
    return identifierToString(type);
}

Value valueOf(Value::Data data) {
    Value value;
    value.data = std::move(data);
    return value;
}

// A record of unsigned fields, each `sizes[i]` bytes, named by the register's
// member symbols.
Value record(const std::uint8_t* b,
             std::initializer_list<std::pair<const char*, std::size_t>> fields) {
    Record record;
    for (const auto& [name, size] : fields) {
        record.fields.push_back(Field{name, nullptr, valueOf(unsignedNumber(b, size, false))});
        b += size;
    }
    return valueOf(std::move(record));
}

DecodedValue text(CharacterEncoding encoding, const std::uint8_t* b, std::size_t size,
                  bool wholeString) {
    DecodedText text = decodeText(encoding, b, size, false, wholeString);
    DecodedValue decoded;
    decoded.value = valueOf(std::move(text.text));
    decoded.problem = std::move(text.problem);
    if (!text.note.empty())
        decoded.notes.push_back(std::move(text.note));
    return decoded;
}

// A value of a type that isDecoded; `size` is known to suit it.
DecodedValue decodeSimple(Types::Identifier type, const std::uint8_t* b, std::size_t size,
                          const TypeDictionary* names) {
    DecodedValue decoded;
    switch (type) {
    case Boolean:
        return decodeSpecial(SpecialType::Boolean, typeName(type), b, size, false, names);
    case Int8:
    case Int16:
    case Int32:
    case Int64:
    case Length:
    case Position:
        decoded.value = valueOf(signedNumber(b, size, false));
        return decoded;
    case UInt8:
    case UInt16:
    case UInt32:
    case UInt64:
        decoded.value = valueOf(unsignedNumber(b, size, false));
        return decoded;
    case ISO7String:
        return text(CharacterEncoding::ISO7, b, size, true);
    case UTF16:
        return text(CharacterEncoding::UTF16, b, size, false);
    case UTF16String:
        return text(CharacterEncoding::UTF16, b, size, true);
    case UTF8String:
        return text(CharacterEncoding::UTF8, b, size, true);
    case UniversalLabel:
    case AUID:
        return decodeSpecial(SpecialType::AUID, typeName(type), b, size, false, names);
    case WeakReference:
        // The target's identifier when it is a label (a definition's), else
        // its InstanceID.
        if (size == 16 && b[0] == 0x06 && b[1] == 0x0e && b[2] == 0x2b && b[3] == 0x34)
            return decodeSpecial(SpecialType::AUID, typeName(type), b, size, false, names);
        return decodeSpecial(SpecialType::UUID, typeName(type), b, size, false, names);
    case UUID:
    case StrongReference:
        return decodeSpecial(SpecialType::UUID, typeName(type), b, size, false, names);
    case UMID32:
        return decodeSpecial(SpecialType::UMID, typeName(type), b, size, false, names);
    case UMID64:
        return decodeSpecial(SpecialType::ExtUMID, typeName(type), b, size, false, names);
    case Types::Identifiers::Rational:
        return decodeSpecial(SpecialType::Rational, typeName(type), b, size, false, names);
    case Types::Identifiers::Timestamp:
        return decodeSpecial(SpecialType::Timestamp, typeName(type), b, size, false, names);
    case DateStruct:
        return decodeSpecial(SpecialType::Date, typeName(type), b, size, false, names);
    case TimeStruct:
        return decodeSpecial(SpecialType::Time, typeName(type), b, size, false, names);
    case VersionType:
        return decodeSpecial(SpecialType::Version, typeName(type), b, size, false, names);
    case Float32:
    case Float64:
        decoded.value = valueOf(floatNumber(b, size, false));
        return decoded;
    case ProductVersion:
        decoded.value = record(
            b, {{"Major", 2}, {"Minor", 2}, {"Tertiary", 2}, {"PatchLevel", 2}, {"BuildType", 2}});
        return decoded;
    case RGBAComponent:
        decoded.value = record(b, {{"Code", 1}, {"ComponentSize", 1}});
        return decoded;
    case ColorPrimary:
        decoded.value = record(b, {{"X", 2}, {"Y", 2}});
        return decoded;
    case J2KComponentSizing:
        decoded.value = record(b, {{"Ssiz", 1}, {"XRSiz", 1}, {"YRSiz", 1}});
        return decoded;
    default:
        return decoded;
    }
}

DecodedValue decodeCollection(Types::Identifier type, Types::Identifier subType,
                              const std::uint8_t* bytes, std::size_t size,
                              const TypeDictionary* names) {
    DecodedValue decoded;
    const std::string what = typeName(type) + " of " + typeName(subType);
    if (size < 8) {
        decoded.problem =
            std::to_string(size) + " bytes, too few for the 8-byte header of the " + what;
        return decoded;
    }
    const std::uint64_t count = unsignedNumber(bytes, 4, false);
    const std::uint64_t itemSize = unsignedNumber(bytes + 4, 4, false);
    const std::size_t fixed = encodedSize(subType);
    // The header must account for every byte; a count is never trusted alone.
    if (count * itemSize != size - 8 || (count > 0 && itemSize == 0)) {
        decoded.problem = "the header of the " + what + " says " + std::to_string(count) +
                          " items of " + std::to_string(itemSize) + " bytes, " +
                          std::to_string(size - 8) + " bytes follow it";
        return decoded;
    }
    if (!isDecoded(subType))
        return decoded;
    if (fixed != 0 && count > 0 && itemSize != fixed) {
        decoded.problem = "items of " + std::to_string(itemSize) + " bytes in the " + what +
                          ", whose items take " + std::to_string(fixed);
        return decoded;
    }
    List list;
    list.items.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        DecodedValue item = decodeSimple(subType, bytes + 8 + i * itemSize,
                                         static_cast<std::size_t>(itemSize), names);
        for (const std::string& note : item.notes)
            decoded.notes.push_back("item " + std::to_string(i) + ": " + note);
        if (!item.problem.empty() && decoded.problem.empty())
            decoded.problem = "item " + std::to_string(i) + " of the " + what + ": " + item.problem;
        if (!item.value)
            return decoded;
        list.items.push_back(std::move(*item.value));
    }
    decoded.value = valueOf(std::move(list));
    return decoded;
}

} // namespace

std::size_t encodedSize(Types::Identifier type) {
    // The core library knows every type's size; only the decoded ones count.
    return isDecoded(type) ? Types::Factories::BaseTypeFactory::instance().elementType(type).size
                           : 0;
}

DecodedValue decodeValue(Types::Identifier type, Types::Identifier subType,
                         const std::uint8_t* bytes, std::size_t size, const TypeDictionary* names) {
    if (type == Array || type == Batch)
        return decodeCollection(type, subType, bytes, size, names);
    DecodedValue decoded;
    if (!isDecoded(type))
        return decoded;
    const std::size_t fixed = encodedSize(type);
    if (fixed != 0 && size != fixed) {
        decoded.problem = std::to_string(size) + " bytes where " + typeName(type) + " takes " +
                          std::to_string(fixed);
        return decoded;
    }
    return decodeSimple(type, bytes, size, names);
}

} // namespace MXF
} // namespace Palimo
