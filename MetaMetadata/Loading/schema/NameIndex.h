#pragma once
// Top-level declarations by name, and top-level elements by their type and
// substitution group, each index filled by one XPath query per load instead
// of one query per name looked up or one scan per list asked for.
#include "MetaMetadata/Loading/LoaderState.h"

#include <optional>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Whether `name`, pasted between apostrophes into an expression, stands for
/// itself: no apostrophe (which ends the literal, so that the expression fails
/// to compile), no ampersand and no line-end or control character, which the
/// engine might read otherwise. For other names the pasted expression is
/// compiled (a malformed one fails as it would anyway) but never evaluated:
/// its answer would be a question of the schema's choosing.
bool isPlainLiteralText(const WString& name);

/// The text of the XPath literal "'" + name + "'" when that is one whole
/// literal: `name` with each "''" (XPath's escaped apostrophe) read as one
/// apostrophe. nullopt when an apostrophe stands alone, which ends the
/// literal early.
std::optional<WString> literalValue(const WString& name);

/// The answer of "./xs:element[@name='" + name + "']" asked of the document
/// element for its first node: the first child xs:element of that name, in
/// document order; null when there is none.
xercesc::DOMElement* findTopLevelElement(LoaderState& state, const WString& name);

/// The answer of "/xs:schema/xs:complexType[@name='" + name + "']" for its
/// first node: the first top-level xs:complexType of that name in document
/// order; null when there is none.
xercesc::DOMElement* findTopLevelComplexType(LoaderState& state, const WString& name);

/// The answer of "./xs:element[@type='" + type + "']" asked of the document
/// element: its child xs:element declarations whose type attribute is
/// exactly `type`, in document order. `type` is a plain literal text.
void findTopLevelElementsOfType(LoaderState& state, const char16_t* type, DeclarationList& out);

/// The answer of "self::xs:schema/xs:element[(@substitutionGroup) and
/// (@type!='Ref') and (@type!='ff:Ref')]" asked of the document element: the
/// top-level elements with a substitutionGroup attribute and a type attribute
/// other than "Ref" and "ff:Ref", in document order.
void findSubstitutionCandidates(LoaderState& state, DeclarationList& out);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
