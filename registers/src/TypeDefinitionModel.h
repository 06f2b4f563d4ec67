#pragma once
// The register types that an import writes as type definitions: every type
// that a written element uses, directly or through other types (record
// members, array and set items, renamed and underlying types, the characters
// of strings), each with the facts of its kind, worked out before any text is
// written.
#include "Naming.h"
#include "Selection.h"
#include "TypeMapping.h"

#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

using TypeDefinitions::TypeKind;

/// A member of a record: its symbol and the name of its type.
struct TypeMember {
    std::string symbol;
    std::string type;
};

/// A named value of an enumeration or an extendible enumeration.
struct TypeValue {
    std::string value;  // an integer in decimal, or a label in urn form
    std::string symbol; // never empty
    std::string name;   // the register's name when it is not the symbol; else empty
};

struct TypeDeclaration {
    const TypeEntry* entry = nullptr;
    std::string name; // unique among the type definitions
    TypeKind kind = TypeKind::Opaque;
    /// Written as an xs:complexType: records, arrays, sets and renames of them.
    bool complex = false;
    std::size_t size = 0;  // Integer, Float, Character: bytes of one value
    bool isSigned = false; // Integer
    /// Rename, Enumeration, ExtendibleEnumeration: the underlying type. String:
    /// the character type. FixedArray, VariableArray, Set: the item type.
    std::string element;
    std::size_t count = 0;           // FixedArray
    std::vector<TypeMember> members; // Record, in order
    std::vector<TypeValue> values;   // Enumeration, ExtendibleEnumeration, in register order
    /// StrongReference, WeakReference: the local set key of the group referred
    /// to; none when the register names none.
    std::optional<Label> target;
};

struct TypeDefinitionModel {
    /// The target namespace of the type definitions: the one most entries of
    /// the Types register name.
    std::string namespaceURI;
    /// What the leading comment of the file says they are; empty: the
    /// import's types and label names.
    std::string description;
    std::vector<TypeDeclaration> types; // by UL
    /// The type definition of each written element that has one.
    std::map<const ElementEntry*, std::string> elementTypes;
    /// Types that an element uses but that cannot be written, each with why;
    /// an element whose type is one of them has no type definition.
    std::vector<LeftOut> leftOut;
    std::vector<Rename> renames; // written types whose name is not their symbol
    std::vector<std::string> notes;
};

/// The type definitions of the elements of `selection`. The register's kinds
/// are kept but for these: an Enumeration whose underlying type is AUID is an
/// ExtendibleEnumeration, whose values are named by the Labels register (else
/// by the facets' symbols; values without a symbol are not listed); an
/// Enumeration of strings is a Rename of its string type; an Integer of 4 or
/// 8 bytes under the register's number types (label bytes 9 and 10 are 01 02)
/// is a Float. A type that names a type the register lacks, has no facts its
/// kind needs, or is defined through itself is left out with every type that
/// uses it.
TypeDefinitionModel defineTypes(const Registers& registers, const Selection& selection,
                                const TypeMapper& types);

} // namespace Registers
} // namespace Palimo
