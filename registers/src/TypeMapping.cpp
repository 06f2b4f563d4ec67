#include "TypeMapping.h"

namespace Palimo {
namespace Registers {
namespace {

namespace Id = Types::Identifiers;
using Types::Identifier;

// Register types that stand for a core type as a whole, by bytes 9 to 12 of
// their label (all under 06.0e.2b.34.01.04.01.xx). Records, strings and the
// label-like byte arrays are recognised here; integers, renames,
// enumerations, arrays and sets follow from their type kind.
struct KnownType {
    std::uint8_t bytes[4];
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

// The array of UTF-16 strings: the register gives its items as characters,
// but every item is a whole string.
constexpr std::uint8_t kUtf16StringArray[] = {0x04, 0x01, 0x05, 0x00};

constexpr int kMaxDepth = 32;

bool isTypeLabel(const Label& ul) {
    return ul[0] == 0x06 && ul[1] == 0x0e && ul[2] == 0x2b && ul[3] == 0x34 && ul[4] == 0x01 &&
           ul[5] == 0x04 && ul[6] == 0x01;
}

bool hasBytes(const Label& ul, const std::uint8_t (&bytes)[4]) {
    return isTypeLabel(ul) && ul[8] == bytes[0] && ul[9] == bytes[1] && ul[10] == bytes[2] &&
           ul[11] == bytes[3] && ul[12] == 0 && ul[13] == 0 && ul[14] == 0 && ul[15] == 0;
}

std::optional<Identifier> knownType(const Label& ul) {
    for (const KnownType& known : kKnownTypes)
        if (hasBytes(ul, known.bytes))
            return known.identifier;
    return std::nullopt;
}

MappedType simple(Identifier identifier) {
    MappedType mapped;
    mapped.identifier = identifier;
    return mapped;
}

MappedType dataValue(std::string reason) {
    MappedType mapped = simple(Id::DataValue);
    mapped.fallback = std::move(reason);
    return mapped;
}

Identifier integerType(unsigned size, bool isSigned) {
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

std::string describe(const TypeEntry& type) {
    return type.typeKind.empty() ? type.symbol : type.symbol + " (" + type.typeKind + ")";
}

} // namespace

TypeMapper::TypeMapper(const std::vector<TypeEntry>& types) {
    for (const TypeEntry& type : types) {
        exact_.emplace(type.ul, &type);
        withoutVersion_.emplace(type.ul.withoutVersion(), &type);
    }
}

const TypeEntry* TypeMapper::find(const Label& ul) const {
    const auto exact = exact_.find(ul);
    if (exact != exact_.end())
        return exact->second;
    const auto loose = withoutVersion_.find(ul.withoutVersion());
    return loose == withoutVersion_.end() ? nullptr : loose->second;
}

MappedType TypeMapper::map(const std::optional<Label>& ul) const {
    if (!ul)
        return dataValue("the element has no type");
    return mapLabel(*ul, 0);
}

MappedType TypeMapper::mapLabel(const Label& ul, int depth) const {
    const TypeEntry* type = find(ul);
    if (!type)
        return dataValue("type " + ul.dotted() + " is not in the Types register");
    return mapEntry(*type, depth);
}

MappedType TypeMapper::mapEntry(const TypeEntry& type, int depth) const {
    if (depth > kMaxDepth)
        return dataValue("type " + type.symbol + " is defined through itself");
    if (const std::optional<Identifier> known = knownType(type.ul))
        return simple(*known);
    if (hasBytes(type.ul, kUtf16StringArray)) {
        MappedType mapped;
        mapped.kind = MappedType::Kind::Collection;
        mapped.identifier = Id::Array;
        mapped.itemIdentifier = Id::UTF16String;
        mapped.itemName = "UTF16String";
        return mapped;
    }
    const std::string& kind = type.typeKind;
    if (kind == "Integer") {
        const Identifier id = integerType(type.typeSize.value_or(0),
                                          type.qualifiers.find("isSigned") != std::string::npos);
        return id != Id::NoIdentifier ? simple(id)
                                      : dataValue("integer type " + type.symbol +
                                                  " has no size of 1, 2, 4 or 8 bytes");
    }
    if (kind == "Float") {
        const unsigned size = type.typeSize.value_or(0);
        if (size == 4 || size == 8)
            return simple(size == 4 ? Id::Float32 : Id::Float64);
        return dataValue("float type " + type.symbol + " has no size of 4 or 8 bytes");
    }
    if (kind == "Stream")
        return simple(Id::Stream);
    if (kind == "Indirect")
        return simple(Id::IndirectValue);
    if (kind == "Opaque")
        return simple(Id::Opaque);
    if (kind == "ExtendibleEnumeration")
        return simple(Id::AUID); // its values are labels
    if (kind == "StrongReference" || kind == "WeakReference") {
        MappedType mapped;
        mapped.kind = MappedType::Kind::Reference;
        mapped.identifier = kind == "StrongReference" ? Id::StrongReference : Id::WeakReference;
        mapped.target = type.baseType;
        return mapped;
    }
    if (kind == "Rename" || kind == "Enumeration") {
        if (!type.baseType)
            return dataValue(describe(type) + " has no base type");
        MappedType mapped = mapLabel(*type.baseType, depth + 1);
        if (kind == "Enumeration") {
            if (mapped.kind != MappedType::Kind::Simple)
                return dataValue("enumeration " + type.symbol + " has no simple base type");
            if (mapped.fallback.empty())
                mapped.enumeration = &type;
        }
        return mapped;
    }
    if (kind == "FixedArray" || kind == "VariableArray")
        return mapCollection(type, Id::Array, depth);
    if (kind == "Set")
        return mapCollection(type, Id::Batch, depth);
    if (kind == "Record")
        return dataValue("record type " + type.symbol + " has no core type");
    return dataValue("type " + describe(type) + " has no core type");
}

MappedType TypeMapper::mapCollection(const TypeEntry& type, Identifier collection,
                                     int depth) const {
    MappedType mapped;
    mapped.identifier = collection;
    if (!type.baseType) {
        mapped.kind = MappedType::Kind::Collection;
        mapped.itemIdentifier = Id::DataValue;
        mapped.itemName = "Item";
        mapped.fallback = describe(type) + " has no item type";
        return mapped;
    }
    const MappedType item = mapLabel(*type.baseType, depth + 1);
    const TypeEntry* itemType = find(*type.baseType);
    mapped.itemName = itemType ? itemType->symbol : "Item";
    switch (item.kind) {
    case MappedType::Kind::Reference:
        mapped.kind = MappedType::Kind::ReferenceCollection;
        mapped.itemIdentifier = item.identifier;
        mapped.target = item.target;
        break;
    case MappedType::Kind::Simple:
        mapped.kind = MappedType::Kind::Collection;
        mapped.itemIdentifier = item.identifier;
        mapped.fallback = item.fallback;
        break;
    default:
        // Collections hold simple values only.
        mapped.kind = MappedType::Kind::Collection;
        mapped.itemIdentifier = Id::DataValue;
        mapped.fallback = "the items of " + type.symbol + " are collections themselves";
        break;
    }
    return mapped;
}

} // namespace Registers
} // namespace Palimo
