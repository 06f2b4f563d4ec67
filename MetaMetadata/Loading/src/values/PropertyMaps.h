#pragma once
// String properties of elements and sets read from their declarations.
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Adds "name", "Documentation" and "LengthDescription" (under their
/// switches), "XMLTagName", "XMLNamespaceURI" and "XMLDefaultPrefix", in this
/// order. Throws ParseError when the declaration has no namespace annotation
/// or its namespace has no prefix; what was added before stays.
void fillPropertyMap(const Schema& schema, const LoadOptions& options,
                     const xercesc::DOMElement* declaration, PropertyMap& properties);
/// fillPropertyMap, then "XMLChildTagName" for a MetaCollection (throws
/// InvalidMetaElementDeclaration "Empty name attribute" when its item element
/// has no name).
void fillMetaElementPropertyMap(const Schema& schema, const LoadOptions& options,
                                const xercesc::DOMElement* declaration, MetaElement& element);
/// The "XMLNamespaceURI" annotation text; empty when there is none.
WString readXMLNamespaceURI(const Schema& schema, const xercesc::DOMElement* declaration);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
