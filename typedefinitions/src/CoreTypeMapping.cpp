#include <Palimo/TypeDefinitions/CoreTypeMapping.h>
#include <Palimo/TypeDefinitions/CoreTypes.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Palimo {
namespace TypeDefinitions {
namespace {

namespace Id = Types::Identifiers;
using Identifiers::Label;
using Kind = CoreTypeMapping::Kind;
using Types::Identifier;

// Types of real registers nest a few levels; the bound only guards.
constexpr int kMaxDepth = 64;

CoreTypeMapping simple(Identifier identifier) {
    CoreTypeMapping mapped;
    mapped.identifier = identifier;
    return mapped;
}

CoreTypeMapping dataValue(std::string reason) {
    CoreTypeMapping mapped = simple(Id::DataValue);
    mapped.fallback = std::move(reason);
    return mapped;
}

std::string describe(const TypeFacts& type) {
    return type.kindName.empty() ? type.symbol : type.symbol + " (" + type.kindName + ")";
}

class Mapper {
public:
    explicit Mapper(const TypeFactsSource& source) : source_(source) {}

    CoreTypeMapping label(const Label& label, int depth) {
        const std::optional<TypeFacts> type = source_.find(label);
        return type ? within(*type, depth) : dataValue(source_.notFound(label));
    }

private:
    CoreTypeMapping within(const TypeFacts& type, int depth) {
        // The type that a type is built on again names itself, whichever
        // type of the loop the mapping started from.
        if (std::find(path_.begin(), path_.end(), type.label) != path_.end())
            return dataValue("type " + type.symbol + " is defined through itself");
        path_.push_back(type.label);
        CoreTypeMapping mapped = facts(type, depth);
        path_.pop_back();
        return mapped;
    }

    CoreTypeMapping facts(const TypeFacts& type, int depth) {
        if (depth > kMaxDepth)
            return dataValue("type " + type.symbol + " is nested more than " +
                             std::to_string(kMaxDepth) + " types deep");
        if (const std::optional<Identifier> known = knownCoreType(type.label))
            return simple(*known);
        if (isUtf16StringArray(type.label)) {
            CoreTypeMapping mapped;
            mapped.kind = Kind::Collection;
            mapped.identifier = Id::Array;
            mapped.itemIdentifier = Id::UTF16String;
            mapped.itemName = "UTF16String";
            return mapped;
        }
        const std::optional<TypeKind> kind = typeKindFromName(type.kindName);
        if (!kind)
            return dataValue("type " + describe(type) + " has no core type");
        switch (*kind) {
        case TypeKind::Integer: {
            const Identifier id = coreIntegerType(type.size.value_or(0), type.isSigned);
            return id != Id::NoIdentifier ? simple(id)
                                          : dataValue("integer type " + type.symbol +
                                                      " has no size of 1, 2, 4 or 8 bytes");
        }
        case TypeKind::Float:
            if (type.size == 4u || type.size == 8u)
                return simple(type.size == 4u ? Id::Float32 : Id::Float64);
            return dataValue("float type " + type.symbol + " has no size of 4 or 8 bytes");
        case TypeKind::Stream:
            return simple(Id::Stream);
        case TypeKind::Indirect:
            return simple(Id::IndirectValue);
        case TypeKind::Opaque:
            return simple(Id::Opaque);
        case TypeKind::ExtendibleEnumeration:
            return simple(Id::AUID); // its values are labels
        case TypeKind::StrongReference:
        case TypeKind::WeakReference: {
            CoreTypeMapping mapped;
            mapped.kind = Kind::Reference;
            mapped.identifier =
                *kind == TypeKind::StrongReference ? Id::StrongReference : Id::WeakReference;
            mapped.target = type.base;
            return mapped;
        }
        case TypeKind::Rename:
        case TypeKind::Enumeration: {
            if (!type.base)
                return dataValue(describe(type) + " has no base type");
            CoreTypeMapping mapped = label(*type.base, depth + 1);
            if (*kind == TypeKind::Enumeration) {
                if (mapped.kind != Kind::Simple)
                    return dataValue("enumeration " + type.symbol + " has no simple base type");
                if (mapped.fallback.empty())
                    mapped.enumeration = type.label;
            }
            return mapped;
        }
        case TypeKind::FixedArray:
        case TypeKind::VariableArray:
            return collection(type, Id::Array, depth);
        case TypeKind::Set:
            return collection(type, Id::Batch, depth);
        case TypeKind::Record:
            return dataValue("record type " + type.symbol + " has no core type");
        default: // strings and characters of their own
            return dataValue("type " + describe(type) + " has no core type");
        }
    }

    CoreTypeMapping collection(const TypeFacts& type, Identifier identifier, int depth) {
        CoreTypeMapping mapped;
        mapped.identifier = identifier;
        if (!type.base) {
            mapped.kind = Kind::Collection;
            mapped.itemIdentifier = Id::DataValue;
            mapped.itemName = "Item";
            mapped.fallback = describe(type) + " has no item type";
            return mapped;
        }
        const std::optional<TypeFacts> itemType = source_.find(*type.base);
        const CoreTypeMapping item =
            itemType ? within(*itemType, depth + 1) : dataValue(source_.notFound(*type.base));
        mapped.itemName = itemType ? itemType->symbol : "Item";
        switch (item.kind) {
        case Kind::Reference:
            mapped.kind = Kind::ReferenceCollection;
            mapped.itemIdentifier = item.identifier;
            mapped.target = item.target;
            break;
        case Kind::Simple:
            mapped.kind = Kind::Collection;
            mapped.itemIdentifier = item.identifier;
            mapped.fallback = item.fallback;
            break;
        default:
            // Collections hold simple values only.
            mapped.kind = Kind::Collection;
            mapped.itemIdentifier = Id::DataValue;
            mapped.fallback = "the items of " + type.symbol + " are collections themselves";
            break;
        }
        return mapped;
    }

    const TypeFactsSource& source_;
    std::vector<Label> path_; // the types being mapped, outermost first
};

} // namespace

CoreTypeMapping mapToCoreType(const Label& type, const TypeFactsSource& source) {
    return Mapper(source).label(type, 0);
}

} // namespace TypeDefinitions
} // namespace Palimo
