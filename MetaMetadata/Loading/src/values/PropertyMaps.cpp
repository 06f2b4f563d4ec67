#include "values/PropertyMaps.h"

#include "ErrorReporting.h"
#include "Messages.h"
#include "schema/Annotations.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/MetaMetadata/Visitors.h>

#include <xercesc/dom/DOMElement.hpp>

#include <string>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

// Adds `key` with `value`; nothing when the query yielded no node.
void addQueriedProperty(PropertyMap& properties, const char16_t* key,
                        const std::optional<WString>& value) {
    if (value)
        properties.addProperty(key, *value);
}

} // namespace

void fillPropertyMap(const Schema& schema, const LoadOptions& options,
                     const xercesc::DOMElement* declaration, PropertyMap& properties) {
    addQueriedProperty(properties, u"name",
                       appinfoText(schema, declaration, AppinfoSource::kNameInSpecification));
    if (options.metaElementDocumentation)
        addQueriedProperty(
            properties, u"Documentation",
            schema.selectOptionalText(declaration, u"./xs:annotation/xs:documentation/text()"));
    if (options.metaElementLengthDescription)
        addQueriedProperty(properties, u"LengthDescription",
                           appinfoText(schema, declaration, u"Length"));
    addQueriedProperty(properties, u"XMLTagName", nameAttributeText(schema, declaration));

    const WString namespaceURI = readXMLNamespaceURI(schema, declaration);
    if (namespaceURI.empty())
        throwCheckFailure("!namespaceURI.empty ()",
                          u"Couldn't retrieve node's NamespaceURI: " +
                              quotedText(properties.getProperty(u"name")),
                          __FILE__, __LINE__);
    properties.addProperty(u"XMLNamespaceURI", namespaceURI);

    const auto it = schema.namespacePrefixes().find(namespaceURI);
    if (it == schema.namespacePrefixes().end())
        throwCheckFailure("it != namespace2PrefixMap_.end ()",
                          u"No default prefix defined for namespace: " + quotedText(namespaceURI),
                          __FILE__, __LINE__);
    properties.addProperty(u"XMLDefaultPrefix", it->second);
}

void fillMetaElementPropertyMap(const Schema& schema, const LoadOptions& options,
                                const xercesc::DOMElement* declaration, MetaElement& element) {
    fillPropertyMap(schema, options, declaration, element);

    GetNonConstMetaElementVisitor<MetaCollection> collection;
    element.accept(collection);
    if (collection.result() == nullptr)
        return;

    // A content model without a named item in its sequence is refused like an
    // empty name: a collection is written with a tag for its items.
    const std::optional<WString> childName = schema.selectOptionalText(
        declaration, u"./xs:complexType/xs:complexContent/*[@base]/xs:sequence/xs:element/@name");
    if (!childName || childName->empty())
        throw Exceptions::InvalidMetaElementDeclaration(std::string(Message::kEmptyName), __FILE__,
                                                        __LINE__);
    element.addProperty(u"XMLChildTagName", *childName);
}

WString readXMLNamespaceURI(const Schema& schema, const xercesc::DOMElement* declaration) {
    return appinfoText(schema, declaration, AppinfoSource::kNamespaceURI).value_or(WString());
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
