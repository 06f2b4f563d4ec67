#include "schema/NamespaceBindings.h"

#include "schema/DomText.h"

#include <Palimo/XMLUtils/UnicodeString.h>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/dom/DOMXPathNSResolver.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

void addBinding(xercesc::DOMXPathNSResolver& resolver, const WString& prefix,
                const WString& namespaceURI) {
    const XMLUtils::UnicodeString prefixText(prefix);
    const XMLUtils::UnicodeString namespaceText(namespaceURI);
    resolver.addNamespaceBinding(prefixText.utf16(), namespaceText.utf16());
}

} // namespace

void bindSchemaNamespaces(const xercesc::DOMElement& root, xercesc::DOMXPathNSResolver& resolver,
                          NamespacePrefixes& prefixes) {
    const xercesc::DOMNamedNodeMap* attributes = root.getAttributes();

    const WString fileFormatPrefix(kFileFormatPrefix);
    const WString fileFormatNamespace(kFileFormatNamespace);
    prefixes.emplace(fileFormatNamespace, fileFormatPrefix);
    addBinding(resolver, fileFormatPrefix, fileFormatNamespace);

    // Only prefixed declarations (xmlns:p="uri") on the root count; the
    // default declaration has no prefix, and the comparison is case-sensitive.
    const WString xmlns(u"xmlns");
    const WString xmlSchemaPrefix(u"xs");
    bool declaresXmlSchemaPrefix = false;
    for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
        const xercesc::DOMNode* attribute = attributes->item(i);
        const XMLCh* prefix = attribute->getPrefix();
        if (prefix == nullptr || toWstring(prefix) != xmlns)
            continue;
        const WString namespaceURI = toWstring(attribute->getNodeValue());
        const WString declaredPrefix = toWstring(attribute->getLocalName());
        prefixes.emplace(namespaceURI, declaredPrefix);
        addBinding(resolver, declaredPrefix, namespaceURI);
        declaresXmlSchemaPrefix = declaresXmlSchemaPrefix || declaredPrefix == xmlSchemaPrefix;
    }

    // The loader's own expressions are written with "xs:"; a schema written
    // with another prefix (say "xsd:") would otherwise match nothing.
    if (!declaresXmlSchemaPrefix)
        addBinding(resolver, xmlSchemaPrefix, WString(kXmlSchemaNamespace));
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
