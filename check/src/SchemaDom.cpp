#include "SchemaDom.h"

#include <Palimo/XMLUtils/UnicodeString.h>

#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/util/XMLString.hpp>

namespace Palimo {
namespace Check {

std::string utf8(const char16_t* text) {
    Palimo::WString wide;
    Palimo::XMLUtils::utf16ToWstring(text, wide);
    return Palimo::Utils::wstringToString(wide);
}

namespace {

const Palimo::XMLUtils::UnicodeString kSchemaNamespace("http://www.w3.org/2001/XMLSchema");

bool isSchemaElement(const xercesc::DOMNode* node, const char* localName) {
    if (node->getNodeType() != xercesc::DOMNode::ELEMENT_NODE ||
        !xercesc::XMLString::equals(node->getNamespaceURI(), kSchemaNamespace.utf16()))
        return false;
    return *localName == '\0' || utf8(node->getLocalName()) == localName;
}

} // namespace

std::vector<const xercesc::DOMElement*> schemaChildren(const xercesc::DOMElement& parent,
                                                       const char* localName) {
    std::vector<const xercesc::DOMElement*> children;
    for (const xercesc::DOMNode* node = parent.getFirstChild(); node; node = node->getNextSibling())
        if (isSchemaElement(node, localName))
            children.push_back(static_cast<const xercesc::DOMElement*>(node));
    return children;
}

std::vector<const xercesc::DOMElement*> schemaDescendants(const xercesc::DOMElement& parent,
                                                          const char* localName) {
    // Iterative pre-order walk: the depth is the document's, not the stack's.
    std::vector<const xercesc::DOMElement*> found;
    const xercesc::DOMNode* node = parent.getFirstChild();
    while (node) {
        if (isSchemaElement(node, localName))
            found.push_back(static_cast<const xercesc::DOMElement*>(node));
        if (node->getFirstChild()) {
            node = node->getFirstChild();
            continue;
        }
        while (node && node != &parent && !node->getNextSibling())
            node = node->getParentNode();
        node = node && node != &parent ? node->getNextSibling() : nullptr;
    }
    return found;
}

std::string localName(const xercesc::DOMElement& element) {
    return utf8(element.getLocalName());
}

std::optional<std::string> attribute(const xercesc::DOMElement& element, const char* name) {
    const Palimo::XMLUtils::UnicodeString wideName(name);
    if (!element.hasAttribute(wideName.utf16()))
        return std::nullopt;
    return utf8(element.getAttribute(wideName.utf16()));
}

std::string localPart(const std::string& qualifiedName) {
    const std::string::size_type colon = qualifiedName.find(':');
    return colon == std::string::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

} // namespace Check
} // namespace Palimo
