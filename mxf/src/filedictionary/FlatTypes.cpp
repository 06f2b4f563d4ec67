#include "FlatTypes.h"

namespace Palimo {
namespace MXF {
namespace Definitions {
namespace {

namespace Id = Types::Identifiers;
using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeKind;
using Types::Identifier;

// Register types that stand for a core type as a whole, by bytes 9 to 12 of
// their labels (06.0e.2b.34.01.04.01.vv.xx.xx.xx.xx.00.00.00.00).
struct KnownType {
    std::uint8_t bytes[4];
    Identifier identifier;
};

constexpr KnownType kKnownTypes[] = {
    {{0x01, 0x01, 0x20, 0x01}, Id::Position},
    {{0x01, 0x01, 0x20, 0x02}, Id::Length},
    {{0x01, 0x02, 0x01, 0x00}, Id::Float32},
    {{0x01, 0x03, 0x01, 0x00}, Id::AUID},
    {{0x01, 0x03, 0x02, 0x00}, Id::UMID32},
    {{0x01, 0x03, 0x03, 0x00}, Id::UUID},
    {{0x01, 0x04, 0x01, 0x00}, Id::Boolean},
    {{0x01, 0x10, 0x01, 0x00}, Id::UTF16},
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
    {{0x04, 0x01, 0x10, 0x00}, Id::UMID64},
    {{0x04, 0x10, 0x01, 0x00}, Id::DataValue},
    {{0x04, 0x10, 0x02, 0x00}, Id::Stream},
    {{0x04, 0x10, 0x03, 0x00}, Id::IndirectValue},
    {{0x04, 0x10, 0x04, 0x00}, Id::Opaque},
};

// UTF16StringArray: its items are whole strings.
constexpr std::uint8_t kUtf16StringArray[] = {0x04, 0x01, 0x05, 0x00};

bool hasBytes(const Label& label, const std::uint8_t (&bytes)[4]) {
    static const std::uint8_t prefix[] = {0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01};
    for (std::size_t i = 0; i < sizeof prefix; ++i)
        if (label[i] != prefix[i])
            return false;
    return label[8] == bytes[0] && label[9] == bytes[1] && label[10] == bytes[2] &&
           label[11] == bytes[3] && label[12] == 0 && label[13] == 0 && label[14] == 0 &&
           label[15] == 0;
}

FlatType simple(Identifier identifier) {
    FlatType flat;
    flat.identifier = identifier;
    return flat;
}

Identifier integer(std::size_t size, bool isSigned) {
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
        return Id::DataValue;
    }
}

FlatType reference(const TypeDefinition& type) {
    FlatType flat;
    flat.kind = FlatType::Kind::Reference;
    flat.identifier =
        type.kind == TypeKind::StrongReference ? Id::StrongReference : Id::WeakReference;
    if (type.target)
        flat.targets.push_back(*type.target);
    return flat;
}

// Built types have no cycles and a bounded depth; the bound only guards.
constexpr int kMaxDepth = 64;

FlatType map(const TypeDefinition& type, int depth);

FlatType collection(const TypeDefinition& type, Identifier identifier, int depth) {
    FlatType flat;
    flat.identifier = identifier;
    if (!type.element) {
        flat.kind = FlatType::Kind::Collection;
        flat.itemIdentifier = Id::DataValue;
        flat.itemName = "Item";
        return flat;
    }
    const FlatType item = map(*type.element, depth + 1);
    flat.itemName = type.element->symbol;
    if (item.kind == FlatType::Kind::Reference) {
        flat.kind = FlatType::Kind::ReferenceCollection;
        flat.itemIdentifier = item.identifier;
        flat.targets = item.targets;
    } else {
        flat.kind = FlatType::Kind::Collection;
        flat.itemIdentifier = item.kind == FlatType::Kind::Simple ? item.identifier : Id::DataValue;
    }
    return flat;
}

FlatType map(const TypeDefinition& type, int depth) {
    if (depth > kMaxDepth)
        return simple(Id::DataValue);
    for (const KnownType& known : kKnownTypes)
        if (hasBytes(type.label, known.bytes))
            return simple(known.identifier);
    if (hasBytes(type.label, kUtf16StringArray)) {
        FlatType flat;
        flat.kind = FlatType::Kind::Collection;
        flat.identifier = Id::Array;
        flat.itemIdentifier = Id::UTF16String;
        flat.itemName = "UTF16String";
        return flat;
    }
    switch (type.kind) {
    case TypeKind::Integer:
        return simple(integer(type.size, type.isSigned));
    case TypeKind::Float:
        return simple(type.size == 4 ? Id::Float32 : Id::Float64);
    case TypeKind::Stream:
        return simple(Id::Stream);
    case TypeKind::Indirect:
        return simple(Id::IndirectValue);
    case TypeKind::Opaque:
        return simple(Id::Opaque);
    case TypeKind::ExtendibleEnumeration:
        return simple(Id::AUID);
    case TypeKind::StrongReference:
    case TypeKind::WeakReference:
        return reference(type);
    case TypeKind::Rename:
    case TypeKind::Enumeration: {
        if (!type.element)
            return simple(Id::DataValue);
        const FlatType mapped = map(*type.element, depth + 1);
        return type.kind == TypeKind::Enumeration && mapped.kind != FlatType::Kind::Simple
                   ? simple(Id::DataValue)
                   : mapped;
    }
    case TypeKind::FixedArray:
    case TypeKind::VariableArray:
        return collection(type, Id::Array, depth);
    case TypeKind::Set:
        return collection(type, Id::Batch, depth);
    default: // records, strings and characters of their own
        return simple(Id::DataValue);
    }
}

} // namespace

FlatType flatType(const TypeDefinition& type) {
    return map(type, 0);
}

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
