#pragma once
// Reads the type definitions, element links, identifying set members and
// label names of a loaded schema into a TypeDictionary.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {
class Schema;
}
} // namespace MetaMetadata

namespace TypeDefinitions {

/// Adds to `types` what `schema` defines (docs/type-definitions.md): every
/// type definition, each element's type, the identifying item of every set of
/// `dictionary` (the dictionary the same schema loaded) and the label names.
/// Throws TypeDefinitionError, naming the type or element, for a name that
/// refers to no type, a type defined through itself, a fact that cannot be
/// read, and a symbol or label defined twice.
void readSchemaTypes(const MetaMetadata::Loading::Schema& schema,
                     const MetaMetadata::Dictionary& dictionary, TypeDictionary& types);

} // namespace TypeDefinitions
} // namespace Palimo
