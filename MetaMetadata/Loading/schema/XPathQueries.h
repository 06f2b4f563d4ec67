#pragma once
// Every question the loader asks of the schema goes through these helpers:
// compile against the schema document, evaluate for a first node or an
// iterator, release result and expression on every path.
#include "MetaMetadata/Loading/LoaderState.h"

#include <optional>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Which namespace resolver an expression is compiled with.
enum class Resolver {
    Schema, ///< the loader's nsResolver
    None    ///< no resolver (expressions without prefixes)
};

/// The first result node, or null when the first result is not a node.
xercesc::DOMNode* selectFirstNode(LoaderState& state, const xercesc::DOMNode* context,
                                  const WString& expression, Resolver resolver = Resolver::Schema);
/// The first result node's value; nullopt when there is no node (a node with
/// an empty value gives an empty string).
std::optional<WString> selectOptionalText(LoaderState& state, const xercesc::DOMNode* context,
                                          const WString& expression,
                                          Resolver resolver = Resolver::Schema);
/// The first result node's value, or the empty string.
WString selectFirstText(LoaderState& state, const xercesc::DOMNode* context,
                        const WString& expression, Resolver resolver = Resolver::Schema);
/// The first result node as an element; null when none or not an element.
xercesc::DOMElement* selectFirstElement(LoaderState& state, const xercesc::DOMNode* context,
                                        const WString& expression,
                                        Resolver resolver = Resolver::Schema);
/// Appends every result node (cast to DOMElement*, null for non-elements).
void selectElements(LoaderState& state, const xercesc::DOMNode* context, const WString& expression,
                    DeclarationList& out, Resolver resolver = Resolver::Schema);
/// Appends every result node, in result order.
void selectNodes(LoaderState& state, const xercesc::DOMNode* context, const WString& expression,
                 std::vector<xercesc::DOMNode*>& out, Resolver resolver = Resolver::Schema);
/// Appends the value of every result node.
void selectTexts(LoaderState& state, const xercesc::DOMNode* context, const WString& expression,
                 std::vector<WString>& out, Resolver resolver = Resolver::Schema);

/// The root xs:schema element of the state's document, the context of every
/// question about top-level components; null when there is no document.
xercesc::DOMElement* schemaElement(const LoaderState& state);

/// The attribute's value; the empty string when absent (or the element is null).
WString attributeText(const xercesc::DOMElement* element, const char* name);
WString attributeText(const xercesc::DOMElement* element, const XMLCh* name);
/// The text as a wide string (null gives the empty string).
WString toWstring(const XMLCh* text);
/// The text after the first colon, or the whole text.
WString stripNamespacePrefix(WString name);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
