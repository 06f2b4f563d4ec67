#pragma once
// The member declarations of a set: those of its type and of every base the
// type derives from, inherited ones first.
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Appends the member declarations of the set declared by `setDeclaration`.
/// Its type is the top-level xs:complexType that its `type` attribute names
/// or, without that attribute, its inline xs:complexType; a declaration with
/// neither has no members. Throws ParseError when `type` names no top-level
/// complex type, and whatever the chain walk throws.
void gatherSetMemberDeclarations(const Schema& schema, const xercesc::DOMElement* setDeclaration,
                                 DeclarationList& out);

/// Appends the member declarations of the top-level complex type `typeName`
/// (prefix optional) and of its bases. Throws ParseError when the name
/// resolves to no top-level complex type.
void gatherAttributeDeclarations(const Schema& schema, WString typeName, DeclarationList& out);

/// Appends the member declarations of `type` and of its bases: first those of
/// the root-most base, down to `type`'s own. A base that names no top-level
/// complex type (a built-in such as xs:anyType) ends the chain. Throws
/// ParseError "Circular base type chain: A -> B -> A" when the chain returns
/// to a type already on it.
void gatherAttributeDeclarations(const Schema& schema, const xercesc::DOMElement* type,
                                 DeclarationList& out);

/// The first top-level xs:complexType named like `typeName` without its
/// prefix; null when there is none.
xercesc::DOMElement* findComplexType(const Schema& schema, WString typeName);

/// The `base` of the first grandchild of `complexType` that has one (the
/// xs:extension or xs:restriction of its content), prefix included; empty
/// when there is none. `complexType` is one the schema index holds (top-level,
/// or inline in a top-level element); any other is a check failure.
WString readBaseTypeName(const Schema& schema, const xercesc::DOMElement* complexType);

/// Appends every xs:element below `complexType` at any depth, then every
/// xs:attribute below it, each in document order; the same types as
/// readBaseTypeName.
void collectLocalDeclarations(const Schema& schema, const xercesc::DOMElement* complexType,
                              DeclarationList& out);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
