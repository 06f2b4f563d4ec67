#include "schema/SchemaIndex.h"

#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "schema/NameIndex.h"
#include "schema/NamespaceBindings.h"

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/XMLString.hpp>

#include <algorithm>
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
// declaration with its attributes (those the phases read are read by name)
// and texts: asked of the schema element for the top-level types and of each
// set for its inline ones.
const char16_t kComplexTypesQuery[] = u"for $t in ./xs:complexType return ($t, ($t/*/*/@base)[1], "
                                      u"for $d in ($t//xs:element, $t//xs:attribute) "
                                      u"return ($d, $d/@*, $d/xs:annotation/xs:appinfo/text()))";

bool isXsdElement(const xercesc::DOMElement* element, const XMLCh* localName) {
    return XMLString::equals(element->getLocalName(), localName) &&
           XMLString::equals(element->getNamespaceURI(), kXmlSchemaNamespace);
}

bool hasValue(const std::optional<std::u16string_view>& attribute, std::u16string_view value) {
    return attribute && *attribute == value;
}

} // namespace

SchemaIndex::SchemaIndex(const Schema& schema) {
    readTopLevelComponents(schema);
    readComplexTypeNames(schema);
    readComplexTypes(schema);
    linkTexts();
}

DeclarationFacts& SchemaIndex::startFacts(const xercesc::DOMElement* declaration) {
    appinfoSources_.clear();
    const auto [found, added] = factsOf_.emplace(declaration, nullptr);
    if (!added) {
        readBefore_ = DeclarationFacts();
        reading_ = nullptr;
        return readBefore_;
    }
    found->second = reading_ = &facts_.emplace_back();
    firstTextOf_.push_back(texts_.size());
    return *reading_;
}

void SchemaIndex::readAttribute(const xercesc::DOMAttr& attribute) {
    if (attribute.getNamespaceURI() != nullptr)
        return;
    DeclarationFacts& facts = reading_ != nullptr ? *reading_ : readBefore_;
    const XMLCh* name = attribute.getLocalName();
    std::optional<std::u16string_view>* field = nullptr;
    if (XMLString::equals(name, u"name"))
        field = &facts.name;
    else if (XMLString::equals(name, u"type"))
        field = &facts.type;
    else if (XMLString::equals(name, u"substitutionGroup"))
        field = &facts.substitutionGroup;
    else if (XMLString::equals(name, u"ref"))
        field = &facts.ref;
    if (field != nullptr)
        *field = copies_.copy(nodeText(&attribute));
}

std::u16string_view SchemaIndex::addSource(const xercesc::DOMAttr& source) {
    // A few sources serve thousands of appinfo elements: one copy of each.
    const XMLCh* value = nodeText(&source);
    const std::u16string_view text(value != nullptr ? value : u"");
    auto known = std::find(sources_.begin(), sources_.end(), text);
    if (known == sources_.end())
        known = sources_.insert(sources_.end(), copies_.copy(value));
    appinfoSources_.emplace_back(source.getOwnerElement(), *known);
    return *known;
}

// Files the value of a text node whose parent is one of the declaration's
// appinfo elements under that element's source.
void SchemaIndex::addText(const DOMNode* text) {
    if (reading_ == nullptr)
        return;
    const DOMNode* appinfo = text->getParentNode();
    auto source = std::find_if(appinfoSources_.begin(), appinfoSources_.end(),
                               [appinfo](const auto& known) { return known.first == appinfo; });
    if (source == appinfoSources_.end()) {
        // Not asked with the texts: "@source" is the appinfo's attribute of
        // that local name in no namespace.
        const xercesc::DOMAttr* attribute =
            static_cast<const xercesc::DOMElement*>(appinfo)->getAttributeNodeNS(nullptr,
                                                                                 u"source");
        if (attribute == nullptr)
            return;
        addSource(*attribute);
        source = appinfoSources_.end() - 1;
    }
    texts_.push_back({source->second, copies_.copy(nodeText(text))});
    ++reading_->textCount;
}

// The texts no longer move: each declaration's facts point at its run.
void SchemaIndex::linkTexts() {
    for (std::size_t i = 0; i < facts_.size(); ++i)
        facts_[i].texts = texts_.data() + firstTextOf_[i];
    firstTextOf_ = {};
    appinfoSources_ = {};
    reading_ = nullptr;
}

void SchemaIndex::readComplexTypeNames(const Schema& schema) {
    schema.forEachNode(schema.root(), kComplexTypeNamesQuery, [this](const DOMNode* node) {
        if (const auto* name = dynamic_cast<const xercesc::DOMAttr*>(node))
            complexTypesByName_.emplace(copies_.copy(nodeText(name)), name->getOwnerElement());
    });
}

void SchemaIndex::readTopLevelComponents(const Schema& schema) {
    DeclarationList components;
    xercesc::DOMElement* component = nullptr;
    DeclarationFacts* facts = nullptr;
    schema.forEachNode(schema.root(), kTopLevelComponentsQuery, [&](DOMNode* node) {
        const auto type = node->getNodeType();
        if (type == DOMNode::ELEMENT_NODE) {
            component = static_cast<xercesc::DOMElement*>(node);
            components.push_back(component);
            facts = &startFacts(component);
            if (isXsdElement(component, u"element"))
                topLevelElements_.push_back({component, facts});
        } else if (type != DOMNode::ATTRIBUTE_NODE) {
            addText(node);
        } else if (const auto& attribute = static_cast<const xercesc::DOMAttr&>(*node);
                   attribute.getOwnerElement() != component) {
            facts->registered |= addSource(attribute) == AppinfoSource::kRegistered;
        } else {
            readAttribute(attribute);
        }
    });
    for (xercesc::DOMElement* declaration : components) {
        if (factsOf_.at(declaration)->registered)
            registered_.push_back(declaration);
    }
    for (const TopLevelElement& element : topLevelElements_) {
        // The first in document order keeps a name.
        if (element.facts->name)
            elementsByName_.emplace(*element.facts->name, element.element);
        // "@type!='Ref'" holds only for a type attribute, with another value.
        const DeclarationFacts& candidate = *element.facts;
        if (candidate.substitutionGroup && candidate.type &&
            !hasValue(candidate.type, kReferenceTypes[0]) &&
            !hasValue(candidate.type, kReferenceTypes[1]))
            groupMembers_[stripNamespacePrefix(WString(*candidate.substitutionGroup))].push_back(
                WString(candidate.name.value_or(std::u16string_view())));
    }
}

void SchemaIndex::readComplexTypes(const Schema& schema) {
    ComplexTypeFacts* type = nullptr;
    const auto read = [&](DOMNode* node) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            auto* element = static_cast<xercesc::DOMElement*>(node);
            if (XMLString::equals(element->getLocalName(), u"complexType")) {
                type = &complexTypes_[element];
                reading_ = nullptr;
            } else {
                type->localDeclarations.push_back(element);
                startFacts(element);
            }
        } else if (node->getNodeType() != DOMNode::ATTRIBUTE_NODE) {
            addText(node);
        } else if (type->localDeclarations.empty() ||
                   static_cast<const xercesc::DOMAttr*>(node)->getOwnerElement() !=
                       type->localDeclarations.back()) {
            type->base = toWstring(nodeText(node));
        } else {
            readAttribute(static_cast<const xercesc::DOMAttr&>(*node));
        }
    };
    schema.forEachNode(schema.root(), kComplexTypesQuery, read);
    // Only a set's own type can be inline, and every set is an element that
    // a substitution group names (the first of that name, looked for as set
    // discovery looks for it): the inline types of the other elements, most
    // of them, are never gathered.
    std::unordered_set<const xercesc::DOMElement*> heads;
    for (const TopLevelElement& element : topLevelElements_) {
        if (!element.facts->substitutionGroup)
            continue;
        xercesc::DOMElement* head = topLevelElement(
            soughtName(stripNamespacePrefix(WString(*element.facts->substitutionGroup))));
        if (head != nullptr && heads.insert(head).second)
            schema.forEachNode(head, kComplexTypesQuery, read);
    }
}

xercesc::DOMElement* SchemaIndex::topLevelElement(const WString& name) const {
    const auto found = elementsByName_.find(std::u16string_view(name.data(), name.size()));
    return found != elementsByName_.end() ? found->second : nullptr;
}

xercesc::DOMElement* SchemaIndex::complexType(const WString& name) const {
    const auto found = complexTypesByName_.find(std::u16string_view(name.data(), name.size()));
    return found != complexTypesByName_.end() ? found->second : nullptr;
}

const DeclarationFacts* SchemaIndex::facts(const xercesc::DOMElement* declaration) const {
    const auto found = factsOf_.find(declaration);
    return found != factsOf_.end() ? found->second : nullptr;
}

const ComplexTypeFacts* SchemaIndex::complexTypeFacts(const xercesc::DOMElement* type) const {
    const auto found = complexTypes_.find(type);
    return found != complexTypes_.end() ? &found->second : nullptr;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
