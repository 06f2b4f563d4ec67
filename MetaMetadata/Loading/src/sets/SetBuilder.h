#pragma once
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Builds every set declaration in order and offers each set that has a key
/// to the dictionary.
void buildSets(const Schema& schema, const LoadOptions& options, const ElementRegistry& elements,
               const DeclarationList& setDeclarations, Dictionary& dictionary);
/// One set, or an empty pointer when the declaration has no "UL Designator";
/// its members refer to the meta elements of `elements`.
auto_ptr<MetaMetadataSet> buildSet(const Schema& schema, const LoadOptions& options,
                                   const ElementRegistry& elements,
                                   xercesc::DOMElement* declaration);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
