#include "schema/DomText.h"

#include <Palimo/XMLUtils/UnicodeString.h>

#include <xercesc/dom/DOMElement.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

WString attributeText(const xercesc::DOMElement* element, const char* name) {
    const XMLUtils::UnicodeString attributeName(name);
    return attributeText(element, attributeName.utf16());
}

WString attributeText(const xercesc::DOMElement* element, const XMLCh* name) {
    if (element == nullptr)
        return WString();
    return toWstring(element->getAttribute(name));
}

const XMLCh* nodeText(const xercesc::DOMNode* node) {
    if (node->getNodeType() == xercesc::DOMNode::ATTRIBUTE_NODE) {
        const xercesc::DOMNode* text = node->getFirstChild();
        if (text != nullptr && text->getNextSibling() == nullptr &&
            text->getNodeType() == xercesc::DOMNode::TEXT_NODE)
            return text->getNodeValue();
    }
    return node->getNodeValue();
}

WString toWstring(const XMLCh* text) {
    WString result;
    XMLUtils::utf16ToWstring(text, result);
    return result;
}

WString stripNamespacePrefix(WString name) {
    const WString::size_type colon = name.find(u':');
    if (colon == WString::npos)
        return name;
    return name.substr(colon + 1);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
