#pragma once
// The annotation facts of a declaration (xs:annotation/xs:appinfo texts keyed
// by their source attribute) and its name attribute, read by one XPath query
// per declaration and load instead of one query per fact.
#include "MetaMetadata/Loading/LoaderState.h"

#include <optional>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// The answer of "./xs:annotation/xs:appinfo[@source='" + source + "']/text()"
/// asked of `declaration` for its first node: the value of the first text node,
/// in document order, of the declaration's appinfo elements with that source;
/// nullopt when there is none (an empty text node gives an empty string).
std::optional<WString> appinfoText(LoaderState& state, const xercesc::DOMElement* declaration,
                                   const char16_t* source);

/// The answer of "./@name" asked of `declaration` for its first node: the
/// value of its name attribute; nullopt when it has none.
std::optional<WString> nameAttributeText(LoaderState& state,
                                         const xercesc::DOMElement* declaration);

/// Reads, with one query, the facts above of every declaration that
/// `declarations` (an expression yielding elements) selects from `context`,
/// for the questions later asked of them in this load; appends the
/// declarations to `out`, in the order the expression yields them. Without a
/// load to keep the facts for, only lists the declarations.
void readDeclarationFacts(LoaderState& state, const xercesc::DOMNode* context,
                          const WString& declarations, DeclarationList& out);

/// The answer of "self::xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"
/// asked of the schema element: the top-level components that one of their
/// appinfo elements marks as registered, in document order; read together
/// with the facts above of every top-level component.
void findRegisteredComponents(LoaderState& state, DeclarationList& out);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
