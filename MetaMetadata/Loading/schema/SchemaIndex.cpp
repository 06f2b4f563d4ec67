#include "MetaMetadata/Loading/schema/SchemaIndex.h"

#include "MetaMetadata/Loading/schema/DomText.h"

#include <xercesc/util/XMLString.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

using xercesc::DOMNode;
using xercesc::XMLString;

// Each question yields a declaration followed by the nodes of its facts, so
// that one evaluation serves all declarations; the nodes are told apart by
// their kind and local name. The paths start at the schema element: a path
// from the root makes the engine sort its result into document order.

// Each top-level xs:element with the attributes the lists test.
const char16_t kTopLevelElementsQuery[] =
    u"for $e in self::xs:schema/xs:element return ($e, $e/@name, $e/@type, $e/@substitutionGroup)";
const char16_t kComplexTypeNamesQuery[] = u"self::xs:schema/xs:complexType/@name";
// Every top-level component with its name, the sources of its appinfo
// elements and their texts.
const char16_t kTopLevelFactsQuery[] =
    u"for $d in (self::xs:schema/*) return ($d, $d/@name, "
    u"$d/xs:annotation/xs:appinfo/@source, $d/xs:annotation/xs:appinfo/text())";
// Every complex type a set can have (named, or inline in a top-level
// element), its base, then each member declaration with its name and texts.
const char16_t kComplexTypesQuery[] =
    u"for $t in (self::xs:schema/xs:complexType, self::xs:schema/xs:element/xs:complexType) "
    u"return ($t, ($t/*/*/@base)[1], for $d in ($t//xs:element, $t//xs:attribute) "
    u"return ($d, $d/@name, $d/xs:annotation/xs:appinfo/text()))";

const XMLCh kRegisteredSource[] = u"RP210";

bool hasValue(const DOMNode* attribute, const XMLCh* value) {
    return attribute != nullptr && XMLString::equals(nodeText(attribute), value);
}

// Files a text node whose parent is one of the declaration's appinfo
// elements under that element's source; the first in document order counts.
void addText(DeclarationFacts& facts, const DOMNode* text) {
    // "@source" is the appinfo's attribute of that local name in no namespace.
    const auto* appinfo = static_cast<const xercesc::DOMElement*>(text->getParentNode());
    const xercesc::DOMAttr* source = appinfo->getAttributeNodeNS(nullptr, u"source");
    if (source != nullptr)
        facts.firstTextBySource.emplace(std::u16string_view(nodeText(source)), text);
}

} // namespace

SchemaIndex::SchemaIndex(const Schema& schema) {
    readTopLevelElements(schema);
    readComplexTypeNames(schema);
    readTopLevelFacts(schema);
    readComplexTypes(schema);
}

void SchemaIndex::readTopLevelElements(const Schema& schema) {
    std::vector<DOMNode*> nodes;
    schema.selectNodes(schema.root(), kTopLevelElementsQuery, nodes);
    for (DOMNode* node : nodes) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            topLevelElements_.push_back(
                {static_cast<xercesc::DOMElement*>(node), nullptr, nullptr});
            continue;
        }
        TopLevelElement& element = topLevelElements_.back();
        const XMLCh* attribute = node->getLocalName();
        if (XMLString::equals(attribute, u"type"))
            element.type = node;
        else if (XMLString::equals(attribute, u"substitutionGroup"))
            element.substitutionGroup = node;
        else // the first in document order keeps a name
            elementsByName_.emplace(toWstring(nodeText(node)), element.element);
    }
    // "@type!='Ref'" holds only for a type attribute, with another value.
    for (const TopLevelElement& element : topLevelElements_) {
        if (element.substitutionGroup != nullptr && element.type != nullptr &&
            !hasValue(element.type, u"Ref") && !hasValue(element.type, u"ff:Ref"))
            groupMembers_[stripNamespacePrefix(toWstring(nodeText(element.substitutionGroup)))]
                .push_back(attributeText(element.element, "name"));
    }
}

void SchemaIndex::readComplexTypeNames(const Schema& schema) {
    std::vector<DOMNode*> names;
    schema.selectNodes(schema.root(), kComplexTypeNamesQuery, names);
    complexTypesByName_.reserve(names.size());
    for (const DOMNode* node : names) {
        if (const auto* name = dynamic_cast<const xercesc::DOMAttr*>(node))
            complexTypesByName_.emplace(toWstring(nodeText(name)), name->getOwnerElement());
    }
}

void SchemaIndex::readTopLevelFacts(const Schema& schema) {
    std::vector<DOMNode*> nodes;
    schema.selectNodes(schema.root(), kTopLevelFactsQuery, nodes);
    DeclarationList components;
    DeclarationFacts* facts = nullptr;
    for (DOMNode* node : nodes) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            auto* component = static_cast<xercesc::DOMElement*>(node);
            components.push_back(component);
            facts = &facts_[component];
        } else if (node->getNodeType() != DOMNode::ATTRIBUTE_NODE) {
            addText(*facts, node);
        } else if (!XMLString::equals(node->getLocalName(), u"source")) {
            facts->nameAttribute = node;
        } else if (XMLString::equals(nodeText(node), kRegisteredSource)) {
            facts->registered = true;
        }
    }
    for (xercesc::DOMElement* component : components) {
        if (facts_.at(component).registered)
            registered_.push_back(component);
    }
}

void SchemaIndex::readComplexTypes(const Schema& schema) {
    std::vector<DOMNode*> nodes;
    schema.selectNodes(schema.root(), kComplexTypesQuery, nodes);
    ComplexTypeFacts* type = nullptr;
    DeclarationFacts* facts = nullptr;
    for (DOMNode* node : nodes) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            auto* element = static_cast<xercesc::DOMElement*>(node);
            if (XMLString::equals(element->getLocalName(), u"complexType")) {
                type = &complexTypes_[element];
                facts = nullptr;
            } else {
                type->localDeclarations.push_back(element);
                facts = &facts_[element];
            }
        } else if (node->getNodeType() != DOMNode::ATTRIBUTE_NODE) {
            addText(*facts, node);
        } else if (facts == nullptr) {
            type->base = toWstring(nodeText(node));
        } else {
            facts->nameAttribute = node;
        }
    }
}

xercesc::DOMElement* SchemaIndex::topLevelElement(const WString& name) const {
    const auto found = elementsByName_.find(name);
    return found != elementsByName_.end() ? found->second : nullptr;
}

xercesc::DOMElement* SchemaIndex::complexType(const WString& name) const {
    const auto found = complexTypesByName_.find(name);
    return found != complexTypesByName_.end() ? found->second : nullptr;
}

const DeclarationFacts* SchemaIndex::facts(const xercesc::DOMElement* declaration) const {
    const auto found = facts_.find(declaration);
    return found != facts_.end() ? &found->second : nullptr;
}

const ComplexTypeFacts* SchemaIndex::complexTypeFacts(const xercesc::DOMElement* type) const {
    const auto found = complexTypes_.find(type);
    return found != complexTypes_.end() ? &found->second : nullptr;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
