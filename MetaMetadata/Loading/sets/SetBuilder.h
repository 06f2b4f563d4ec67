#pragma once
#include "MetaMetadata/Loading/LoaderState.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Builds every set declaration in order and offers each set that has a key
/// to the dictionary.
void buildSets(LoaderState& state, Dictionary& dictionary, DeclarationList setDeclarations);
/// One set, or an empty pointer when the declaration has no "UL Designator".
auto_ptr<MetaMetadataSet> buildSet(LoaderState& state, xercesc::DOMElement* declaration);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
