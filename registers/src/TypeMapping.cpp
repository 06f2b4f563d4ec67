#include "TypeMapping.h"

#include <Palimo/TypeDefinitions/CoreTypes.h>

namespace Palimo {
namespace Registers {
namespace {

namespace Id = Types::Identifiers;
using Types::Identifier;

constexpr int kMaxDepth = 32;

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
    if (const std::optional<Identifier> known = TypeDefinitions::knownCoreType(type.ul))
        return simple(*known);
    if (TypeDefinitions::isUtf16StringArray(type.ul)) {
        MappedType mapped;
        mapped.kind = MappedType::Kind::Collection;
        mapped.identifier = Id::Array;
        mapped.itemIdentifier = Id::UTF16String;
        mapped.itemName = "UTF16String";
        return mapped;
    }
    const std::string& kind = type.typeKind;
    if (kind == "Integer") {
        const Identifier id = TypeDefinitions::coreIntegerType(
            type.typeSize.value_or(0), type.qualifiers.find("isSigned") != std::string::npos);
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
