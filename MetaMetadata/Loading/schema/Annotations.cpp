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

// Files a node of a declaration's facts: its name attribute, or a text node
// whose parent is one of its appinfo elements.
void addFact(DeclarationAnnotations& facts, const xercesc::DOMNode* node) {
    if (node->getNodeType() == xercesc::DOMNode::ATTRIBUTE_NODE) {
        facts.nameAttribute = node;
        return;
    }
    // "@source" is the appinfo's attribute of that local name in no namespace.
    const auto* appinfo = static_cast<const xercesc::DOMElement*>(node->getParentNode());
    const xercesc::DOMAttr* source = appinfo->getAttributeNodeNS(nullptr, u"source");
    if (source == nullptr)
        return;
    const XMLCh* sourceText = source->getValue();
    for (const auto& entry : facts.firstTextBySource) {
        if (xercesc::XMLString::equals(entry.first, sourceText))
            return; // only the first text in document order counts
    }
    facts.firstTextBySource.emplace_back(sourceText, node);
}

DeclarationAnnotations readAnnotations(LoaderState& state, const xercesc::DOMElement* declaration) {
    std::vector<xercesc::DOMNode*> nodes;
    selectNodes(state, declaration, kDeclarationFactsQuery, nodes);
    DeclarationAnnotations facts;
    for (const xercesc::DOMNode* node : nodes)
        addFact(facts, node);
    return facts;
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
    if (!cache->topLevelFactsRead && declaration->getParentNode() != nullptr &&
        declaration->getParentNode() == state.schemaDocument->getDocumentElement()) {
        cache->topLevelFactsRead = true;
        DeclarationList components;
        readDeclarationFacts(state, declaration->getParentNode(), u"self::xs:schema/*", components);
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
    std::vector<xercesc::DOMNode*> nodes;
    selectNodes(state, context,
                u"for $d in (" + declarations + u") return ($d, " + kFactsOfDeclaration + u")",
                nodes);
    DeclarationAnnotations* facts = nullptr;
    bool known = false;
    for (xercesc::DOMNode* node : nodes) {
        if (node->getNodeType() == xercesc::DOMNode::ELEMENT_NODE) {
            auto* declaration = static_cast<xercesc::DOMElement*>(node);
            out.push_back(declaration);
            const auto entry = cache->annotations.emplace(declaration, DeclarationAnnotations());
            facts = &entry.first->second;
            known = !entry.second;
        } else if (facts != nullptr && !known) {
            addFact(*facts, node);
        }
    }
}

std::optional<WString> appinfoText(LoaderState& state, const xercesc::DOMElement* declaration,
                                   const char16_t* source) {
    const DeclarationAnnotations* facts = annotationsOf(state, declaration);
    if (facts == nullptr)
        return selectOptionalText(state, declaration,
                                  u"./xs:annotation/xs:appinfo[@source='" + WString(source) +
                                      u"']/text()");
    for (const auto& entry : facts->firstTextBySource) {
        if (xercesc::XMLString::equals(entry.first, source))
            return valueOf(entry.second);
    }
    return std::nullopt;
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
