#include "NamespaceDeclarations.h"

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

namespace Palimo {
namespace XMLUtils {

namespace {

using xercesc::XMLUni;

std::u16string text(const XMLCh* s) {
    return s ? std::u16string(s) : std::u16string();
}

bool isDeclaration(const xercesc::DOMAttr& attribute) {
    return xercesc::XMLString::equals(attribute.getNamespaceURI(), XMLUni::fgXMLNSURIName);
}

// "xmlns:p" declares a prefix; plain "xmlns" the default namespace.
bool isPrefixed(const xercesc::DOMAttr& attribute) {
    return attribute.getPrefix() != nullptr;
}

} // namespace

LocalDeclarations mergeNamespaceDeclarations(xercesc::DOMElement& resultRoot,
                                             const xercesc::DOMElement& fileRoot) {
    LocalDeclarations local;
    const xercesc::DOMNamedNodeMap* attributes = fileRoot.getAttributes();
    for (XMLSize_t i = 0; attributes && i < attributes->getLength(); ++i) {
        const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
        if (!isDeclaration(*attribute))
            continue;
        const xercesc::DOMAttr* existing =
            resultRoot.getAttributeNodeNS(XMLUni::fgXMLNSURIName, attribute->getLocalName());
        if (!existing && isPrefixed(*attribute)) {
            resultRoot.setAttributeNS(XMLUni::fgXMLNSURIName, attribute->getName(),
                                      attribute->getValue());
            continue;
        }
        if (!existing || !xercesc::XMLString::equals(existing->getValue(), attribute->getValue()))
            local.emplace_back(text(attribute->getName()), text(attribute->getValue()));
    }
    return local;
}

void declareOn(xercesc::DOMElement& component, const LocalDeclarations& declarations) {
    for (const auto& [name, uri] : declarations) {
        const std::u16string::size_type colon = name.find(u':');
        const std::u16string localName =
            colon == std::u16string::npos ? name : name.substr(colon + 1);
        if (!component.hasAttributeNS(XMLUni::fgXMLNSURIName, localName.c_str()))
            component.setAttributeNS(XMLUni::fgXMLNSURIName, name.c_str(), uri.c_str());
    }
}

} // namespace XMLUtils
} // namespace Palimo
