#pragma once
// How an element of a type is declared in a dictionary schema: the flat data
// type of the core library that the type maps onto. The register import and
// an MXF file's own dictionary map types alike, each reading its own kind of
// type through a TypeFactsSource: known types by their labels
// (CoreTypes.h), integers and floats by size, renames and enumerations to
// what they rename, arrays and sets to Array and Batch of their items' type,
// references to StrongReference and WeakReference, and DataValue, with the
// reason, for what has no core type.
//
// Threads: mapToCoreType only reads `source`; calls on different sources, or
// on one source that may be read at once, may run concurrently.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/Types/Identifiers.h>

#include <cstddef>
#include <optional>
#include <string>

namespace Palimo {
namespace TypeDefinitions {

struct CoreTypeMapping {
    enum class Kind { Simple, Collection, Reference, ReferenceCollection };
    Kind kind = Kind::Simple;
    /// Simple: the value type. Collection and ReferenceCollection: Array or
    /// Batch. Reference: StrongReference or WeakReference.
    Types::Identifier identifier = Types::Identifiers::DataValue;
    /// Collection: the item type; ReferenceCollection: StrongReference or
    /// WeakReference; otherwise NoIdentifier.
    Types::Identifier itemIdentifier = Types::Identifiers::NoIdentifier;
    /// Collection and ReferenceCollection: the name of the item element (the
    /// item type's symbol, "Item" when it has none).
    std::string itemName;
    /// References: the class referred to; none when the type names none.
    std::optional<Identifiers::Label> target;
    /// A simple type that is an enumeration: the enumeration type, whose
    /// values the element takes.
    std::optional<Identifiers::Label> enumeration;
    /// Why DataValue stands in for the type or for its items; empty when the
    /// type maps onto a core type.
    std::string fallback;
};

/// What the mapping reads of one type.
struct TypeFacts {
    Identifiers::Label label;
    std::string symbol;
    /// The kind as the registers name it ("Integer", "Rename", "Record",
    /// typeKindName); a name the mapping does not know maps to DataValue.
    std::string kindName;
    std::optional<std::size_t> size; // Integer, Float: bytes of one value
    bool isSigned = false;           // Integer
    /// Rename, Enumeration: the type renamed. FixedArray, VariableArray,
    /// Set: the item type. References: the class referred to.
    std::optional<Identifiers::Label> base;
};

/// The types that a mapping may meet, by label.
class TypeFactsSource {
public:
    virtual ~TypeFactsSource() = default;
    /// The facts of the type `label`; none when there is no such type.
    virtual std::optional<TypeFacts> find(const Identifiers::Label& label) const = 0;
    /// Why `label` names no type, as a fallback says it.
    virtual std::string notFound(const Identifiers::Label& label) const = 0;
};

/// The mapping of the type `type`. A type built on a type that is built on
/// itself ("type X is defined through itself", X the first type met again),
/// or more than 64 types deep, maps to DataValue.
CoreTypeMapping mapToCoreType(const Identifiers::Label& type, const TypeFactsSource& source);

} // namespace TypeDefinitions
} // namespace Palimo
