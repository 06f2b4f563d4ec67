#include "sets/MemberGathering.h"

#include "ErrorReporting.h"
#include "Messages.h"
#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "schema/NameIndex.h"
#include "schema/SchemaIndex.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <xercesc/dom/DOMElement.hpp>

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
    WString message(Message::kCircularBaseTypeChain);
    for (const xercesc::DOMElement* type : chain)
        message += typeLabel(type) + u" -> ";
    message += typeLabel(repeated);
    throw Exceptions::ParseError(message, __FILE__, __LINE__);
}

} // namespace

void gatherSetMemberDeclarations(const Schema& schema, const xercesc::DOMElement* setDeclaration,
                                 DeclarationList& out) {
    // An empty type attribute still names a type (one declared with an empty
    // name); only an absent one means that the type is written inline.
    if (const std::optional<WString> typeName =
            declarationAttribute(schema, setDeclaration, DeclarationAttribute::Type)) {
        const xercesc::DOMElement* type = findComplexType(schema, *typeName);
        if (type == nullptr)
            throw Exceptions::ParseError(u"Set " + attributeText(setDeclaration, "name") +
                                             (typeName->empty() ? WString(u" has an empty type")
                                                                : u" has type " + *typeName) +
                                             u", which names no top-level xs:complexType",
                                         __FILE__, __LINE__);
        gatherAttributeDeclarations(schema, type, out);
        return;
    }
    // Without a type attribute the set's type is written inline; an element
    // with neither is of xs:anyType and declares no members.
    if (const xercesc::DOMElement* inlineType =
            schema.selectFirstElement(setDeclaration, u"./xs:complexType"))
        gatherAttributeDeclarations(schema, inlineType, out);
}

void gatherAttributeDeclarations(const Schema& schema, WString typeName, DeclarationList& out) {
    const WString localName = stripNamespacePrefix(typeName);
    const xercesc::DOMElement* type = findComplexType(schema, localName);
    if (type == nullptr)
        throw Exceptions::ParseError(u"Type " + typeName + u" names no top-level xs:complexType",
                                     __FILE__, __LINE__);
    gatherAttributeDeclarations(schema, type, out);
}

void gatherAttributeDeclarations(const Schema& schema, const xercesc::DOMElement* type,
                                 DeclarationList& out) {
    // Walk up to the root-most base first, so that a repeated type is found
    // before anything is gathered and no walk runs without end.
    std::vector<const xercesc::DOMElement*> chain{type};
    for (;;) {
        const WString base = readBaseTypeName(schema, chain.back());
        if (base.empty())
            break;
        const xercesc::DOMElement* baseType = findComplexType(schema, base);
        if (baseType == nullptr)
            break;
        if (std::find(chain.begin(), chain.end(), baseType) != chain.end())
            throwCircularChain(chain, baseType);
        chain.push_back(baseType);
    }
    DeclarationList gathered;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        collectLocalDeclarations(schema, *it, gathered);
    out.insert(out.end(), gathered.begin(), gathered.end());
}

xercesc::DOMElement* findComplexType(const Schema& schema, WString typeName) {
    return findTopLevelComplexType(schema, stripNamespacePrefix(std::move(typeName)));
}

namespace {

// Every complex type whose members can be gathered is in the index: top-level
// ones, and the inline types of the elements that substitution groups name.
const ComplexTypeFacts& factsOf(const Schema& schema, const xercesc::DOMElement* complexType) {
    const ComplexTypeFacts* facts =
        complexType != nullptr ? schema.index().complexTypeFacts(complexType) : nullptr;
    if (facts == nullptr)
        throwCheckFailure("facts != nullptr",
                          u"No members indexed for the complex type \"" +
                              quotedText(typeLabel(complexType)) + u"\"",
                          __FILE__, __LINE__);
    return *facts;
}

} // namespace

WString readBaseTypeName(const Schema& schema, const xercesc::DOMElement* complexType) {
    return factsOf(schema, complexType).base;
}

void collectLocalDeclarations(const Schema& schema, const xercesc::DOMElement* complexType,
                              DeclarationList& out) {
    const DeclarationList& declarations = factsOf(schema, complexType).localDeclarations;
    out.insert(out.end(), declarations.begin(), declarations.end());
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
