#include "MetaMetadata/Loading/sets/MemberGathering.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/schema/Annotations.h"
#include "MetaMetadata/Loading/schema/NameIndex.h"
#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include <algorithm>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

// How a type appears in messages: its name, or a mark for an inline type.
WString typeLabel(const xercesc::DOMElement* type) {
    const WString name = attributeText(type, "name");
    return name.empty() ? WString(u"(inline type)") : name;
}

[[noreturn]] void throwCircularChain(const std::vector<const xercesc::DOMElement*>& chain,
                                     const xercesc::DOMElement* repeated) {
    WString message(u"Circular base type chain: ");
    for (const xercesc::DOMElement* type : chain)
        message += typeLabel(type) + u" -> ";
    message += typeLabel(repeated);
    throw Exceptions::ParseError(message, __FILE__, __LINE__);
}

} // namespace

void gatherSetMemberDeclarations(LoaderState& state, const xercesc::DOMElement* setDeclaration,
                                 DeclarationList& out) {
    // An empty type attribute still names a type (one declared with an empty
    // name); only an absent one means that the type is written inline.
    if (setDeclaration->hasAttribute(u"type")) {
        const WString typeName = attributeText(setDeclaration, "type");
        const xercesc::DOMElement* type = findComplexType(state, typeName);
        if (type == nullptr)
            throw Exceptions::ParseError(
                u"Set " + attributeText(setDeclaration, "name") +
                    (typeName.empty() ? WString(u" has an empty type") : u" has type " + typeName) +
                    u", which names no top-level xs:complexType",
                __FILE__, __LINE__);
        gatherAttributeDeclarations(state, type, out);
        return;
    }
    // Without a type attribute the set's type is written inline; an element
    // with neither is of xs:anyType and declares no members.
    if (const xercesc::DOMElement* inlineType =
            selectFirstElement(state, setDeclaration, u"./xs:complexType"))
        gatherAttributeDeclarations(state, inlineType, out);
}

void gatherAttributeDeclarations(LoaderState& state, WString typeName, DeclarationList& out) {
    const WString localName = stripNamespacePrefix(typeName);
    const xercesc::DOMElement* type = findComplexType(state, localName);
    if (type == nullptr)
        throw Exceptions::ParseError(u"Type " + typeName + u" names no top-level xs:complexType",
                                     __FILE__, __LINE__);
    gatherAttributeDeclarations(state, type, out);
}

void gatherAttributeDeclarations(LoaderState& state, const xercesc::DOMElement* type,
                                 DeclarationList& out) {
    // Walk up to the root-most base first, so that a repeated type is found
    // before anything is gathered and no walk runs without end.
    std::vector<const xercesc::DOMElement*> chain{type};
    for (;;) {
        const WString base = readBaseTypeName(state, chain.back());
        if (base.empty())
            break;
        const xercesc::DOMElement* baseType = findComplexType(state, base);
        if (baseType == nullptr)
            break;
        if (std::find(chain.begin(), chain.end(), baseType) != chain.end())
            throwCircularChain(chain, baseType);
        chain.push_back(baseType);
    }
    DeclarationList gathered;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        collectLocalDeclarations(state, *it, gathered);
    out.insert(out.end(), gathered.begin(), gathered.end());
}

xercesc::DOMElement* findComplexType(LoaderState& state, WString typeName) {
    if (state.schemaDocument == nullptr)
        return nullptr;
    return findTopLevelComplexType(state, stripNamespacePrefix(std::move(typeName)));
}

namespace {

// What a load learnt of a type already: base types are shared by many sets.
ComplexTypeFacts* knownFacts(LoaderState& state, const xercesc::DOMElement* complexType) {
    QueryCache* cache = complexType != nullptr ? queryCache(state) : nullptr;
    return cache != nullptr ? &cache->complexTypeFacts[complexType] : nullptr;
}

} // namespace

WString readBaseTypeName(LoaderState& state, const xercesc::DOMElement* complexType) {
    ComplexTypeFacts* facts = knownFacts(state, complexType);
    if (facts != nullptr && facts->base)
        return *facts->base;
    WString base = selectFirstText(state, complexType, u"./*/*/@base", Resolver::None);
    if (facts != nullptr)
        facts->base = base;
    return base;
}

void collectLocalDeclarations(LoaderState& state, const xercesc::DOMElement* complexType,
                              DeclarationList& out) {
    ComplexTypeFacts* facts = knownFacts(state, complexType);
    if (facts == nullptr) {
        selectElements(state, complexType, u".//xs:element", out);
        selectElements(state, complexType, u".//xs:attribute", out);
        return;
    }
    if (!facts->localDeclarations) {
        // The same list as ".//xs:element" followed by ".//xs:attribute",
        // with what the attribute builder will ask of each member.
        DeclarationList declarations;
        readDeclarationFacts(state, complexType, u".//xs:element, .//xs:attribute", declarations);
        facts->localDeclarations = std::move(declarations);
    }
    out.insert(out.end(), facts->localDeclarations->begin(), facts->localDeclarations->end());
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
