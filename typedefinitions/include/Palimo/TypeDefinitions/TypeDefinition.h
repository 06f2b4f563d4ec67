#pragma once
// The definition of one data type as the Types register gives it: its kind,
// its label and symbol, and what its kind needs to decode a value (the size of
// an integer, the members of a record, the item type and count of an array,
// the values of an enumeration, the target of a reference).
#include <Palimo/Identifiers/Label.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace TypeDefinitions {

using Identifiers::Label;

enum class TypeKind {
    Integer,               // size 1 to 8 (UInt48: 6); signed or not; big-endian
    Float,                 // IEEE 754, size 4 or 8
    Character,             // one character: size 1 (ISO 7, UTF-8 unit) or 2 (UTF-16 unit)
    String,                // characters of `element` up to the end of the value
    Rename,                // another name for `element`
    Enumeration,           // a value of `element` (an integer type) with named values
    ExtendibleEnumeration, // an AUID, named by the values known here (labels)
    Record,                // `members` in order, each of its own type
    FixedArray,            // `count` items of `element`, no header
    VariableArray,         // items of `element`: an 8-byte header (count, item size), then items
    Set,                   // like VariableArray, no order
    Indirect,              // a value tagged with the label of its own type
    Opaque,                // bytes whose type the file does not say
    Stream,                // data stored outside the set
    StrongReference,       // the InstanceID of a set the referring set owns
    WeakReference          // the identifier of a set found elsewhere
};

/// "Integer", "FixedArray", ...: the register's words (and "ExtendibleEnumeration").
const char* typeKindName(TypeKind kind);
/// The kind named `name` exactly; nothing for any other text.
std::optional<TypeKind> typeKindFromName(const std::string& name);

struct TypeDefinition;

/// One member of a record type.
struct RecordMember {
    std::string symbol;                   // the member's name in RegXML
    const TypeDefinition* type = nullptr; // never null in a built dictionary
};

/// One named value of an enumeration or extendible enumeration.
struct EnumerationValue {
    std::string symbol;
    std::string name; // the register's name; often the symbol
    /// Enumeration: the integer value. ExtendibleEnumeration: none.
    std::int64_t value = 0;
    /// ExtendibleEnumeration: the label that is the value.
    Label label;
};

struct TypeDefinition {
    TypeKind kind = TypeKind::Opaque;
    Label label;              // the type's universal label
    std::string symbol;       // "RGBALayout"; unique in its dictionary
    std::string name;         // "Name In Specification"; may be empty
    std::string namespaceURI; // the register namespace of the symbol
    std::string documentation;

    /// Integer, Float, Character: bytes of one value.
    std::size_t size = 0;
    /// Integer: whether the value is signed (two's complement).
    bool isSigned = false;
    /// Rename, Enumeration: the underlying type. String: its character type.
    /// FixedArray, VariableArray, Set: the item type. Null for other kinds.
    const TypeDefinition* element = nullptr;
    /// FixedArray: the number of items.
    std::size_t count = 0;
    /// Record: the members in order.
    std::vector<RecordMember> members;
    /// Enumeration, ExtendibleEnumeration: the values known, in register order.
    std::vector<EnumerationValue> values;
    /// StrongReference, WeakReference: the key of the set referred to (its
    /// local set key); none when the register names no set. A weak
    /// reference holds the value of the item that identifies such a set
    /// (TypeDictionary::uniqueIdentifier).
    std::optional<Label> target;

    /// The type itself, or what a chain of renames ends in.
    const TypeDefinition& resolved() const;
    /// The encoded size of one value, when the kind fixes it (integers,
    /// floats, characters, fixed arrays and records of such, enumerations,
    /// references: 16 bytes); none for variable sizes.
    std::optional<std::size_t> fixedSize() const;
    /// The enumeration value named for `value`; null when none is.
    const EnumerationValue* findValue(std::int64_t value) const;
    /// The extendible enumeration value for `label` (exact, then ignoring the
    /// version byte); null when none is.
    const EnumerationValue* findValue(const Label& label) const;
};

} // namespace TypeDefinitions
} // namespace Palimo
