#pragma once
#include "MetaMetadata/Loading/LoaderState.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Builds every declaration in order and hands each element to the
/// dictionary; fills elementsByName and registeredElements.
void buildMetaElements(LoaderState& state, Dictionary& dictionary,
                       const DeclarationList& declarations);
/// Builds one meta element (never empty); throws InvalidMetaElementDeclaration
/// for a declaration without label or with an unknown type.
auto_ptr<MetaElement> buildMetaElement(LoaderState& state, Dictionary& dictionary,
                                       xercesc::DOMElement* declaration);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
