#pragma once
// Reading schema components straight from the DOM, for the checks that look
// at what the load skipped: children and attributes in UTF-8 (the appinfo
// texts are read as the load reads them: see SchemaSet).
#include <xercesc/dom/DOMElement.hpp>

#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Check {

/// The element children of `parent` that are XML Schema elements named
/// `localName` (every XML Schema element child when `localName` is empty).
std::vector<const xercesc::DOMElement*> schemaChildren(const xercesc::DOMElement& parent,
                                                       const char* localName = "");

/// The XML Schema descendants named `localName`, in document order.
std::vector<const xercesc::DOMElement*> schemaDescendants(const xercesc::DOMElement& parent,
                                                          const char* localName);

/// The element's local name ("element", "complexType", ...).
std::string localName(const xercesc::DOMElement& element);

/// The attribute's value; none when the element does not carry it.
std::optional<std::string> attribute(const xercesc::DOMElement& element, const char* name);

/// The UTF-8 form of a text of the loader's ("Ref", an appinfo source).
std::string utf8(const char16_t* text);

/// The text after the first colon, or the whole text.
std::string localPart(const std::string& qualifiedName);

} // namespace Check
} // namespace Palimo
