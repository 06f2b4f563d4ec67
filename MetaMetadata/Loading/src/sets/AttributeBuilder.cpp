#include "sets/AttributeBuilder.h"

#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "values/PropertyMaps.h"
#include "values/TypedValues.h"

#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/Visitors.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Utils/StringConversion.h>

#include <string>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

const MetaElement* findReferencedElement(const Schema& schema, const ElementRegistry& elements,
                                         const xercesc::DOMElement* declaration) {
    const WString name = stripNamespacePrefix(
        declarationAttribute(schema, declaration, DeclarationAttribute::Ref).value_or(WString()));
    // Looked up without inserting: the element maps belong to the element phase.
    const auto it = elements.byName.find(name);
    return it != elements.byName.end() ? it->second : nullptr;
}

const LocalTag* findRegisteredTag(const ElementRegistry& elements, const MetaElement& element) {
    const auto it = elements.tags.find(&element);
    return it != elements.tags.end() ? it->second : nullptr;
}

auto_ptr<Types::BaseType> parseDefaultValue(const WString& text, const MetaElement& element) {
    if (text.empty())
        return auto_ptr<Types::BaseType>();
    GetMetaElementVisitor<MetaCollectionElement> collection;
    element.accept(collection);
    if (collection.result() != nullptr)
        return parseCollectionValue(text, *collection.result());
    return parseElementValue(text, element);
}

} // namespace

auto_ptr<MetaAttribute> buildAttribute(const Schema& schema, const ElementRegistry& elements,
                                       const xercesc::DOMElement* declaration,
                                       std::uint32_t position) {
    const MetaElement* element = findReferencedElement(schema, elements, declaration);
    if (element == nullptr)
        return auto_ptr<MetaAttribute>();

    const AttributeRequiredStatus::Status status = readRequiredStatus(schema, declaration);
    const WString distinguishedValue = readDistinguishedValue(schema, declaration);
    const LocalTag* localTag = findRegisteredTag(elements, *element);
    auto_ptr<const Types::BaseType> defaultValue = parseDefaultValue(distinguishedValue, *element);

    auto_ptr<MetaAttribute> attribute(
        new MetaAttribute(*element, status, std::move(defaultValue), localTag));
    attribute->addProperty(u"SchemaIndex", Utils::stringToWstring(std::to_string(position)));
    attribute->addProperty(u"RequiresSemanticsValidation",
                           readRequiresSemanticsValidation(schema, declaration));
    const WString namespaceURI = readXMLNamespaceURI(schema, declaration);
    if (!namespaceURI.empty())
        attribute->addProperty(u"XMLNamespaceURI", namespaceURI);
    return attribute;
}

AttributeRequiredStatus::Status readRequiredStatus(const Schema& schema,
                                                   const xercesc::DOMElement* declaration) {
    // A member without a "use" annotation gets what the library makes of the
    // empty text rather than failing the load.
    const WString text = appinfoText(schema, declaration, u"use").value_or(WString());
    return AttributeRequiredStatus::instance().fromString(text);
}

WString readDistinguishedValue(const Schema& schema, const xercesc::DOMElement* declaration) {
    return appinfoText(schema, declaration, AppinfoSource::kDistinguishedValue).value_or(WString());
}

WString readRequiresSemanticsValidation(const Schema& schema,
                                        const xercesc::DOMElement* declaration) {
    return appinfoText(schema, declaration, u"RequiresSemanticsValidation").value_or(WString());
}

auto_ptr<Types::BaseType> parseElementValue(const WString& text, const MetaElement& element) {
    return parseTypedValue(element.dataType(), Types::Identifiers::NoIdentifier, text);
}

auto_ptr<Types::BaseType> parseCollectionValue(const WString& text,
                                               const MetaCollectionElement& collection) {
    return parseTypedValue(collection.dataType(), collection.dataSubType(), text);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
