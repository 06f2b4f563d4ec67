#pragma once
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Builds every declaration in order and hands each element to the
/// dictionary; files each in `elements` by name and with its local tag.
/// References point to the sets that `setKeys` has keys for.
void buildMetaElements(const Schema& schema, const LoadOptions& options, const SetKeys& setKeys,
                       const DeclarationList& declarations, Dictionary& dictionary,
                       ElementRegistry& elements);
/// Builds one meta element (never empty), adds its local tag to the
/// dictionary and files the tag in `elements`; throws
/// InvalidMetaElementDeclaration for a declaration without label or with an
/// unknown type.
auto_ptr<MetaElement> buildMetaElement(const Schema& schema, const LoadOptions& options,
                                       const SetKeys& setKeys, xercesc::DOMElement* declaration,
                                       Dictionary& dictionary, ElementRegistry& elements);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
