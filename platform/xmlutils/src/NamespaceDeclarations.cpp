#include "NamespaceDeclarations.h"

#include <Palimo/XMLUtils/Limits.h>
#include <Palimo/XMLUtils/QuotedText.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

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

RootDeclarations::RootDeclarations(xercesc::DOMElement& root) : root_(root) {
    const xercesc::DOMNamedNodeMap* attributes = root.getAttributes();
    for (XMLSize_t i = 0; attributes && i < attributes->getLength(); ++i) {
        const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
        if (isDeclaration(*attribute))
            byPrefix_.emplace(text(attribute->getLocalName()), text(attribute->getValue()));
    }
}

LocalDeclarations RootDeclarations::merge(const xercesc::DOMElement& fileRoot,
                                          const std::string& path) {
    LocalDeclarations local;
    const xercesc::DOMNamedNodeMap* attributes = fileRoot.getAttributes();
    for (XMLSize_t i = 0; attributes && i < attributes->getLength(); ++i) {
        const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
        if (!isDeclaration(*attribute))
            continue;
        const std::u16string prefix = text(attribute->getLocalName());
        const auto existing = byPrefix_.find(prefix);
        if (existing == byPrefix_.end() && isPrefixed(*attribute)) {
            if (byPrefix_.size() >= Limits::kRootNamespaceDeclarations)
                throw SchemaAggregationError(
                    "Schema file \"" + quotedText(path) +
                        "\" brings the standalone document's root more than " +
                        std::to_string(Limits::kRootNamespaceDeclarations) +
                        " namespace declarations",
                    __FILE__, __LINE__);
            root_.setAttributeNS(XMLUni::fgXMLNSURIName, attribute->getName(),
                                 attribute->getValue());
            byPrefix_.emplace(prefix, text(attribute->getValue()));
            continue;
        }
        if (existing == byPrefix_.end() || existing->second != text(attribute->getValue()))
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
