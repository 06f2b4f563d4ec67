#include "MetaMetadata/Loading/schema/Annotations.h"

#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include <xercesc/util/XMLString.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

// The name attribute, then every text child of every appinfo of every
// annotation, in document order: a sequence of two paths that the engine
// yields as it walks, without sorting.
const char16_t kDeclarationFactsQuery[] = u"(./@name, ./xs:annotation/xs:appinfo/text())";
// The same for the declaration bound to $d.
const char16_t kFactsOfDeclaration[] = u"$d/@name, $d/xs:annotation/xs:appinfo/text()";
// The same for every top-level component, with the source attributes of its
// appinfo elements before the texts.
const char16_t kTopLevelFacts[] =
    u"for $d in (self::xs:schema/*) return ($d, $d/@name, "
    u"$d/xs:annotation/xs:appinfo/@source, $d/xs:annotation/xs:appinfo/text())";
const XMLCh kRegisteredSource[] = u"RP210";

// Files a node of a declaration's facts: its name attribute, or a text node
// whose parent is one of its appinfo elements.
void addFact(DeclarationAnnotations& facts, const xercesc::DOMNode* node) {
    if (node->getNodeType() == xercesc::DOMNode::ATTRIBUTE_NODE) {
        if (!xercesc::XMLString::equals(node->getLocalName(), u"source"))
            facts.nameAttribute = node;
        else if (xercesc::XMLString::equals(node->getNodeValue(), kRegisteredSource))
            facts.registered = true;
        return;
    }
    // "@source" is the appinfo's attribute of that local name in no namespace.
    const auto* appinfo = static_cast<const xercesc::DOMElement*>(node->getParentNode());
    const xercesc::DOMAttr* source = appinfo->getAttributeNodeNS(nullptr, u"source");
    if (source == nullptr)
        return;
    // Only the first text in document order counts: a later one is not filed.
    facts.firstTextBySource.emplace(std::u16string_view(source->getValue()), node);
}

DeclarationAnnotations readAnnotations(LoaderState& state, const xercesc::DOMElement* declaration) {
    std::vector<xercesc::DOMNode*> nodes;
    selectNodes(state, declaration, kDeclarationFactsQuery, nodes);
    DeclarationAnnotations facts;
    for (const xercesc::DOMNode* node : nodes)
        addFact(facts, node);
    return facts;
}

// Evaluates `query`, which yields each declaration followed by its facts,
// files the facts of each declaration not known yet, and appends the
// declarations to `out` in the order the query yields them. Sources are filed
// for known declarations too: only the top-level query yields them.
void fileFacts(LoaderState& state, QueryCache& cache, const xercesc::DOMNode* context,
               const WString& query, DeclarationList& out) {
    std::vector<xercesc::DOMNode*> nodes;
    selectNodes(state, context, query, nodes);
    DeclarationAnnotations* facts = nullptr;
    bool known = false;
    for (xercesc::DOMNode* node : nodes) {
        if (node->getNodeType() == xercesc::DOMNode::ELEMENT_NODE) {
            auto* declaration = static_cast<xercesc::DOMElement*>(node);
            out.push_back(declaration);
            const auto entry = cache.annotations.emplace(declaration, DeclarationAnnotations());
            facts = &entry.first->second;
            known = !entry.second;
        } else if (facts != nullptr &&
                   (!known || node->getNodeType() == xercesc::DOMNode::ATTRIBUTE_NODE)) {
            addFact(*facts, node);
        }
    }
}

// The top-level components with their facts, read at the first need.
const DeclarationList& topLevelComponents(LoaderState& state, QueryCache& cache) {
    if (!cache.topLevelComponents) {
        DeclarationList components;
        fileFacts(state, cache, schemaElement(state), kTopLevelFacts, components);
        cache.topLevelComponents = std::move(components);
    }
    return *cache.topLevelComponents;
}

// The facts of `declaration`, read at the first question of this load; null
// when there is no load to keep them for.
const DeclarationAnnotations* annotationsOf(LoaderState& state,
                                            const xercesc::DOMElement* declaration) {
    QueryCache* cache = declaration != nullptr ? queryCache(state) : nullptr;
    if (cache == nullptr)
        return nullptr;
    auto found = cache->annotations.find(declaration);
    if (found != cache->annotations.end())
        return &found->second;
    // The first question about a top-level component reads them all.
    if (!cache->topLevelComponents && declaration->getParentNode() != nullptr &&
        declaration->getParentNode() == schemaElement(state)) {
        topLevelComponents(state, *cache);
        found = cache->annotations.find(declaration);
        if (found != cache->annotations.end())
            return &found->second;
    }
    return &cache->annotations.emplace(declaration, readAnnotations(state, declaration))
                .first->second;
}

std::optional<WString> valueOf(const xercesc::DOMNode* node) {
    if (node == nullptr)
        return std::nullopt;
    return toWstring(node->getNodeValue());
}

} // namespace

void readDeclarationFacts(LoaderState& state, const xercesc::DOMNode* context,
                          const WString& declarations, DeclarationList& out) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr) {
        selectElements(state, context, declarations, out);
        return;
    }
    // Each declaration, then what the per-declaration query gives for it.
    fileFacts(state, *cache, context,
              u"for $d in (" + declarations + u") return ($d, " + kFactsOfDeclaration + u")", out);
}

void findRegisteredComponents(LoaderState& state, DeclarationList& out) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr) {
        selectElements(state, schemaElement(state),
                       u"self::xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']", out);
        return;
    }
    // "@source='RP210'" holds when one of the sources is exactly that text.
    for (xercesc::DOMElement* component : topLevelComponents(state, *cache)) {
        if (cache->annotations.at(component).registered)
            out.push_back(component);
    }
}

std::optional<WString> appinfoText(LoaderState& state, const xercesc::DOMElement* declaration,
                                   const char16_t* source) {
    const DeclarationAnnotations* facts = annotationsOf(state, declaration);
    if (facts == nullptr)
        return selectOptionalText(state, declaration,
                                  u"./xs:annotation/xs:appinfo[@source='" + WString(source) +
                                      u"']/text()");
    const auto found = facts->firstTextBySource.find(std::u16string_view(source));
    return found != facts->firstTextBySource.end() ? valueOf(found->second) : std::nullopt;
}

std::optional<WString> nameAttributeText(LoaderState& state,
                                         const xercesc::DOMElement* declaration) {
    const DeclarationAnnotations* facts = annotationsOf(state, declaration);
    if (facts == nullptr)
        return selectOptionalText(state, declaration, u"./@name", Resolver::None);
    return valueOf(facts->nameAttribute);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
