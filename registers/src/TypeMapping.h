#pragma once
// Maps the types of the Types register onto the data types of the core
// library: simple types, arrays and batches, references and collections of
// references.
#include "RegisterEntries.h"

#include <Palimo/Types/Identifiers.h>

#include <map>
#include <optional>
#include <string>

namespace Palimo {
namespace Registers {

/// How an element of a register type is declared.
struct MappedType {
    enum class Kind { Simple, Collection, Reference, ReferenceCollection };
    Kind kind = Kind::Simple;
    /// Simple: the value type. Collection and ReferenceCollection: Array or
    /// Batch. Reference: StrongReference or WeakReference.
    Types::Identifier identifier = Types::Identifiers::DataValue;
    /// Collection: the item type; ReferenceCollection: StrongReference or
    /// WeakReference; otherwise NoIdentifier.
    Types::Identifier itemIdentifier = Types::Identifiers::NoIdentifier;
    /// The name of a collection's item element: the item's register type.
    std::string itemName;
    /// References: the group the reference points to; none when the
    /// register gives none.
    std::optional<Label> target;
    /// A simple type that is an enumeration: the entry whose facets list the
    /// values.
    const TypeEntry* enumeration = nullptr;
    /// Why DataValue stands in for the type or for its items; empty when the
    /// type maps onto a core type.
    std::string fallback;
};

/// The mapping of one Types register.
class TypeMapper {
public:
    /// `types` must outlive the mapper.
    explicit TypeMapper(const std::vector<TypeEntry>& types);

    /// The mapping of the type `ul` (an element's Type); a missing type
    /// (nothing given, or a label the register does not hold) maps to
    /// DataValue with the reason.
    MappedType map(const std::optional<Label>& ul) const;
    /// The entry of `ul`, matched with and then without its version byte.
    const TypeEntry* find(const Label& ul) const;

private:
    MappedType mapEntry(const TypeEntry& type, int depth) const;
    MappedType mapLabel(const Label& ul, int depth) const;
    MappedType mapCollection(const TypeEntry& type, Types::Identifier collection, int depth) const;

    std::map<Label, const TypeEntry*> exact_;
    std::map<Label, const TypeEntry*> withoutVersion_;
};

} // namespace Registers
} // namespace Palimo
