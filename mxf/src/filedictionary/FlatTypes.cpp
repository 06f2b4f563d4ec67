#include "FlatTypes.h"

#include <Palimo/TypeDefinitions/CoreTypes.h>

#include <optional>

namespace Palimo {
namespace MXF {
namespace Definitions {
namespace {

namespace Id = Types::Identifiers;
using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeKind;
using Types::Identifier;

// What the core has no integer of is a DataValue.
Identifier integer(std::size_t size, bool isSigned) {
    const Identifier identifier = TypeDefinitions::coreIntegerType(size, isSigned);
    return identifier == Id::NoIdentifier ? Id::DataValue : identifier;
}

FlatType simple(Identifier identifier) {
    FlatType flat;
    flat.identifier = identifier;
    return flat;
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
    if (const std::optional<Identifier> known = TypeDefinitions::knownCoreType(type.label))
        return simple(*known);
    if (TypeDefinitions::isUtf16StringArray(type.label)) {
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
