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

DeclarationAnnotations readAnnotations(LoaderState& state, const xercesc::DOMElement* declaration) {
    std::vector<xercesc::DOMNode*> nodes;
    selectNodes(state, declaration, kDeclarationFactsQuery, nodes);
    DeclarationAnnotations facts;
    for (const xercesc::DOMNode* node : nodes) {
        if (node->getNodeType() == xercesc::DOMNode::ATTRIBUTE_NODE) {
            facts.nameAttribute = node;
            continue;
        }
        // The parent of each text node is the appinfo it stands in;
        // "@source" is its attribute of that local name in no namespace.
        const auto* appinfo = static_cast<const xercesc::DOMElement*>(node->getParentNode());
        const xercesc::DOMAttr* source = appinfo->getAttributeNodeNS(nullptr, u"source");
        if (source == nullptr)
            continue;
        const XMLCh* sourceText = source->getValue();
        bool known = false;
        for (const auto& entry : facts.firstTextBySource)
            known = known || xercesc::XMLString::equals(entry.first, sourceText);
        if (!known)
            facts.firstTextBySource.emplace_back(sourceText, node);
    }
    return facts;
}

// The facts of `declaration`, read at the first question of this load; null
// when there is no load to keep them for.
const DeclarationAnnotations* annotationsOf(LoaderState& state,
                                            const xercesc::DOMElement* declaration) {
    QueryCache* cache = declaration != nullptr ? queryCache(state) : nullptr;
    if (cache == nullptr)
        return nullptr;
    const auto found = cache->annotations.find(declaration);
    if (found != cache->annotations.end())
        return &found->second;
    return &cache->annotations.emplace(declaration, readAnnotations(state, declaration))
                .first->second;
}

std::optional<WString> valueOf(const xercesc::DOMNode* node) {
    if (node == nullptr)
        return std::nullopt;
    return toWstring(node->getNodeValue());
}

} // namespace

std::optional<WString> appinfoText(LoaderState& state, const xercesc::DOMElement* declaration,
                                   const WString& source) {
    const DeclarationAnnotations* facts = annotationsOf(state, declaration);
    if (facts == nullptr)
        return selectOptionalText(state, declaration,
                                  u"./xs:annotation/xs:appinfo[@source='" + source + u"']/text()");
    for (const auto& entry : facts->firstTextBySource) {
        if (xercesc::XMLString::equals(entry.first, source.c_str()))
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
