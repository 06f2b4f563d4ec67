#include "MetaMetadata/Loading/schema/SchemaIndex.h"

#include "MetaMetadata/Loading/schema/DomText.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"

#include <xercesc/util/XMLString.hpp>

#include <unordered_set>

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

// Every top-level component with its attributes (those that the lists and
// lookups test are read by name), the sources of its appinfo elements and
// their texts: one question for the components and the elements among them.
const char16_t kTopLevelComponentsQuery[] =
    u"for $d in self::xs:schema/* return ($d, $d/@*, "
    u"$d/xs:annotation/xs:appinfo/@source, $d/xs:annotation/xs:appinfo/text())";
const char16_t kComplexTypeNamesQuery[] = u"self::xs:schema/xs:complexType/@name";
// Each xs:complexType child of the context, its base, then each member
// declaration with its name and texts: asked of the schema element for the
// top-level types and of each set for its inline ones.
const char16_t kComplexTypesQuery[] = u"for $t in ./xs:complexType return ($t, ($t/*/*/@base)[1], "
                                      u"for $d in ($t//xs:element, $t//xs:attribute) "
                                      u"return ($d, $d/@name, $d/xs:annotation/xs:appinfo/text()))";

const XMLCh kRegisteredSource[] = u"RP210";

bool hasValue(const DOMNode* attribute, const XMLCh* value) {
    return attribute != nullptr && XMLString::equals(nodeText(attribute), value);
}

bool isXsdElement(const xercesc::DOMElement* element, const XMLCh* localName) {
    return XMLString::equals(element->getLocalName(), localName) &&
           XMLString::equals(element->getNamespaceURI(), kXmlSchemaNamespace);
}

} // namespace

SchemaIndex::SchemaIndex(const Schema& schema) {
    readTopLevelComponents(schema);
    readComplexTypeNames(schema);
    readComplexTypes(schema);
    linkTexts();
}

DeclarationFacts& SchemaIndex::startFacts(const xercesc::DOMElement* declaration) {
    const auto [found, added] =
        factsOf_.emplace(declaration, static_cast<std::uint32_t>(facts_.size()));
    if (!added) {
        readBefore_ = DeclarationFacts();
        reading_ = nullptr;
        return readBefore_;
    }
    facts_.emplace_back();
    firstTextOf_.push_back(texts_.size());
    reading_ = &facts_.back();
    return *reading_;
}

// Files a text node whose parent is one of the declaration's appinfo
// elements under that element's source.
void SchemaIndex::addText(const DOMNode* text) {
    if (reading_ == nullptr)
        return;
    // "@source" is the appinfo's attribute of that local name in no namespace.
    const auto* appinfo = static_cast<const xercesc::DOMElement*>(text->getParentNode());
    const xercesc::DOMAttr* source = appinfo->getAttributeNodeNS(nullptr, u"source");
    if (source == nullptr)
        return;
    texts_.push_back({std::u16string_view(nodeText(source)), text});
    ++reading_->textCount;
}

// The texts no longer move: each declaration's facts point at its run.
void SchemaIndex::linkTexts() {
    for (std::size_t i = 0; i < facts_.size(); ++i)
        facts_[i].texts = texts_.data() + firstTextOf_[i];
    firstTextOf_ = {};
    reading_ = nullptr;
}

void SchemaIndex::readComplexTypeNames(const Schema& schema) {
    schema.forEachNode(schema.root(), kComplexTypeNamesQuery, [this](const DOMNode* node) {
        if (const auto* name = dynamic_cast<const xercesc::DOMAttr*>(node))
            complexTypesByName_.emplace(toWstring(nodeText(name)), name->getOwnerElement());
    });
}

void SchemaIndex::readTopLevelComponents(const Schema& schema) {
    DeclarationList components;
    xercesc::DOMElement* component = nullptr;
    DeclarationFacts* facts = nullptr;
    TopLevelElement* element = nullptr; // when the component is an xs:element
    schema.forEachNode(schema.root(), kTopLevelComponentsQuery, [&](DOMNode* node) {
        const auto type = node->getNodeType();
        if (type == DOMNode::ELEMENT_NODE) {
            component = static_cast<xercesc::DOMElement*>(node);
            components.push_back(component);
            facts = &startFacts(component);
            element = nullptr;
            if (isXsdElement(component, u"element")) {
                topLevelElements_.push_back({component, nullptr, nullptr});
                element = &topLevelElements_.back();
            }
        } else if (type != DOMNode::ATTRIBUTE_NODE) {
            addText(node);
        } else if (static_cast<const xercesc::DOMAttr*>(node)->getOwnerElement() != component) {
            facts->registered |= XMLString::equals(nodeText(node), kRegisteredSource);
        } else if (node->getNamespaceURI() == nullptr) {
            readComponentAttribute(node, *facts, element);
        }
    });
    for (xercesc::DOMElement* declaration : components) {
        if (facts_[factsOf_.at(declaration)].registered)
            registered_.push_back(declaration);
    }
    // "@type!='Ref'" holds only for a type attribute, with another value.
    for (const TopLevelElement& candidate : topLevelElements_) {
        if (candidate.substitutionGroup != nullptr && candidate.type != nullptr &&
            !hasValue(candidate.type, u"Ref") && !hasValue(candidate.type, u"ff:Ref"))
            groupMembers_[stripNamespacePrefix(toWstring(nodeText(candidate.substitutionGroup)))]
                .push_back(attributeText(candidate.element, "name"));
    }
}

void SchemaIndex::readComponentAttribute(const DOMNode* attribute, DeclarationFacts& facts,
                                         TopLevelElement* element) {
    const XMLCh* name = attribute->getLocalName();
    if (XMLString::equals(name, u"name")) {
        facts.nameAttribute = attribute;
        if (element != nullptr) // the first in document order keeps a name
            elementsByName_.emplace(toWstring(nodeText(attribute)), element->element);
    } else if (element == nullptr) {
        return;
    } else if (XMLString::equals(name, u"type")) {
        element->type = attribute;
    } else if (XMLString::equals(name, u"substitutionGroup")) {
        element->substitutionGroup = attribute;
    }
}

void SchemaIndex::readComplexTypes(const Schema& schema) {
    ComplexTypeFacts* type = nullptr;
    DeclarationFacts* facts = nullptr;
    const auto read = [&](DOMNode* node) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            auto* element = static_cast<xercesc::DOMElement*>(node);
            if (XMLString::equals(element->getLocalName(), u"complexType")) {
                type = &complexTypes_[element];
                facts = nullptr;
                reading_ = nullptr;
            } else {
                type->localDeclarations.push_back(element);
                facts = &startFacts(element);
            }
        } else if (node->getNodeType() != DOMNode::ATTRIBUTE_NODE) {
            addText(node);
        } else if (facts == nullptr) {
            type->base = toWstring(nodeText(node));
        } else {
            facts->nameAttribute = node;
        }
    };
    schema.forEachNode(schema.root(), kComplexTypesQuery, read);
    // Only a set's own type can be inline, and every set is an element that
    // a substitution group names (the first of that name): the inline types
    // of the other elements, most of them, are never gathered.
    std::unordered_set<const xercesc::DOMElement*> heads;
    for (const TopLevelElement& element : topLevelElements_) {
        if (element.substitutionGroup == nullptr)
            continue;
        xercesc::DOMElement* head =
            topLevelElement(stripNamespacePrefix(toWstring(nodeText(element.substitutionGroup))));
        if (head != nullptr && heads.insert(head).second)
            schema.forEachNode(head, kComplexTypesQuery, read);
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
    const auto found = factsOf_.find(declaration);
    return found != factsOf_.end() ? &facts_[found->second] : nullptr;
}

const ComplexTypeFacts* SchemaIndex::complexTypeFacts(const xercesc::DOMElement* type) const {
    const auto found = complexTypes_.find(type);
    return found != complexTypes_.end() ? &found->second : nullptr;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
