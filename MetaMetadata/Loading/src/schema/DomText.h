#pragma once
// Texts read straight from the DOM: attribute values and names.
#include "bindings/CoreNames.h"
#include "bindings/Dom.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// The attribute's value; the empty string when absent (or the element is null).
WString attributeText(const xercesc::DOMElement* element, const char* name);
WString attributeText(const xercesc::DOMElement* element, const XMLCh* name);
/// The node's value, as getNodeValue() gives it. An attribute's is read from
/// its one text child where it has one: Xerces' own reading casts that child
/// dynamically, which a load pays for tens of thousands of times.
const XMLCh* nodeText(const xercesc::DOMNode* node);
/// The text as a wide string (null gives the empty string).
WString toWstring(const XMLCh* text);
/// The text after the first colon, or the whole text.
WString stripNamespacePrefix(WString name);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
