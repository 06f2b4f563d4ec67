#pragma once
// The definitions of an MXF file's own dictionary as its header metadata
// holds them: every ClassDefinition, PropertyDefinition and TypeDefinition set
// (of an AAF MetaDictionary, or of the extension schemes of SMPTE ST 377-2),
// read by the labels of their items whatever dictionary the file is read
// with, and the namespace of each extension scheme. Nothing is resolved here:
// references between definitions are the 16 bytes the file holds.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {
namespace Definitions {

using Identifiers::UUID;

/// What every definition carries.
struct Definition {
    std::uint64_t offset = 0;        // of its set
    std::optional<UUID> instanceUID; // of its set
    Label identification;            // MetaDefinitionIdentification
    std::string name;                // MetaDefinitionName, UTF-8
    std::string description;         // MetaDefinitionDescription
};

struct ClassDefinition : Definition {
    std::optional<Label> parent;  // ParentClass: an identification or an InstanceUID
    std::vector<UUID> properties; // Properties: InstanceUIDs of PropertyDefinition sets
    bool concrete = true;         // IsConcrete
};

struct PropertyDefinition : Definition {
    std::optional<Label> type; // PropertyType
    bool optional = true;      // IsOptional
    std::optional<std::uint16_t> localTag;
    bool uniqueIdentifier = false;
    std::optional<Label> memberOf; // MemberOf (ST 377-2)
};

/// A TypeDefinition set of any kind. `kind` is the register's kind of the
/// set's class; the facts are those the kind has.
struct TypeDefinition : Definition {
    TypeDefinitions::TypeKind kind = TypeDefinitions::TypeKind::Opaque;
    std::optional<std::size_t> size; // Integer: Size
    bool isSigned = false;           // Integer: IsSigned
    /// Rename, Enumeration, String, FixedArray, VariableArray, Set: the type
    /// named; StrongReference, WeakReference: the class referred to.
    std::optional<Label> element;
    std::optional<std::size_t> count; // FixedArray: ElementCount
    std::vector<std::string> names;   // Record: MemberNames; enumerations: ElementNames
    std::vector<Label> memberTypes;   // Record: MemberTypes
    std::vector<std::int64_t> values; // Enumeration: ElementValues
    std::vector<Label> labels;        // ExtendibleEnumeration: ElementValues
};

/// An extension scheme (ST 377-2): the namespace of the definitions it lists.
struct ExtensionScheme {
    std::uint64_t offset = 0;
    std::string namespaceURI;          // SymbolSpaceURI
    std::vector<UUID> metaDefinitions; // InstanceUIDs of the definition sets it lists
};

struct MetaDefinitions {
    std::vector<ClassDefinition> classes;
    std::vector<PropertyDefinition> properties;
    std::vector<TypeDefinition> types;
    std::vector<ExtensionScheme> schemes;
    /// Definitions that could not be read (an item of the wrong size, a
    /// missing identification); each is left out.
    std::vector<Problem> problems;

    bool empty() const { return classes.empty() && properties.empty() && types.empty(); }
};

/// The definitions among the local sets of `metadata`, in file order. Items
/// are found through the primer (for a static tag it lacks, through the tag
/// the registers give the item). Reads only the bytes of those sets; never
/// throws for any bytes.
MetaDefinitions readMetaDefinitions(const HeaderMetadata& metadata);

/// Everything readMetaDefinitions reads of `metadata`: the offset and key of
/// each definition set, and each of its items' offset, tag, label in the
/// primer and value. Two header metadata with the same bytes here give the
/// same definitions and the same file dictionary over the same loaded one.
std::vector<std::uint8_t> definitionBytes(const HeaderMetadata& metadata);

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
