#pragma once
// The declarations an import writes, worked out from the selection, the
// names and the type mapping before any text is written.
#include "Naming.h"
#include "Selection.h"
#include "TypeDefinitionModel.h"
#include "TypeMapping.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

struct EnumerationValue {
    std::string value;         // as the schema writes it (labels dotted)
    std::string documentation; // the value's symbol; empty when unknown
};

struct ElementDeclaration {
    const ElementEntry* entry;
    std::string name;
    MappedType type;
    std::vector<EnumerationValue> enumeration; // for an enumerated simple type
    std::vector<std::string> targets;          // set names a reference may point to
    std::optional<std::uint16_t> localTag;
    std::string typeDefinition; // the name of its type definition; empty when none
};

struct MemberDeclaration {
    std::string element; // the element declaration's name
    bool optional;
    std::string value;     // the register's value for the item; empty when none
    bool uniqueIdentifier; // the item identifies the sets holding it (IsUniqueID)
};

struct SetDeclaration {
    const GroupEntry* entry;
    std::string name;
    std::string typeName;
    std::string referenceName;
    std::string parentName;     // empty for a root
    std::string parentTypeName; // empty for a root
    std::vector<MemberDeclaration> members;
};

/// A label of the Labels register with its symbol.
struct NamedLabel {
    std::string urn;
    std::string symbol;
};

struct SchemaModel {
    std::vector<SetDeclaration> sets;
    std::vector<ElementDeclaration> elements;
    std::map<std::string, std::string> prefixes; // namespace URI to prefix
    std::vector<std::pair<std::string, std::string>> revisions;
    std::vector<Fallback> fallbacks;
    std::vector<LeftOut> leftOut; // reference targets that are no written set
    TypeDefinitionModel typeDefinitions;
    /// Every leaf label of the Labels register that is not deprecated, by
    /// label; none when the Labels register was not read.
    std::optional<std::vector<NamedLabel>> labelNames;
    std::vector<std::string> notes;
};

/// The declarations of `selection` under `names`, with the type definitions
/// of its elements. Label-valued enumerations take their values' symbols from
/// the Labels register when it was read.
SchemaModel buildSchemaModel(const Registers& registers, const Selection& selection,
                             const Names& names, const TypeMapper& types);

} // namespace Registers
} // namespace Palimo
