#include "schema/Annotations.h"

#include "ErrorReporting.h"
#include "schema/DomText.h"
#include "schema/SchemaIndex.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

const DeclarationFacts& factsOf(const Schema& schema, const xercesc::DOMElement* declaration) {
    const DeclarationFacts* facts =
        declaration != nullptr ? schema.index().facts(declaration) : nullptr;
    if (facts == nullptr)
        throwCheckFailure("facts != nullptr",
                          u"No annotations indexed for the declaration \"" +
                              quotedText(attributeText(declaration, "name")) + u"\"",
                          __FILE__, __LINE__);
    return *facts;
}

std::optional<WString> valueOf(const std::optional<std::u16string_view>& text) {
    if (!text)
        return std::nullopt;
    return WString(text->data(), text->size());
}

} // namespace

std::optional<WString> appinfoText(const Schema& schema, const xercesc::DOMElement* declaration,
                                   const char16_t* source) {
    return valueOf(factsOf(schema, declaration).firstText(source));
}

std::optional<WString> declarationAttribute(const Schema& schema,
                                            const xercesc::DOMElement* declaration,
                                            DeclarationAttribute attribute) {
    const DeclarationFacts& facts = factsOf(schema, declaration);
    switch (attribute) {
    case DeclarationAttribute::Name:
        return valueOf(facts.name);
    case DeclarationAttribute::Type:
        return valueOf(facts.type);
    case DeclarationAttribute::SubstitutionGroup:
        return valueOf(facts.substitutionGroup);
    case DeclarationAttribute::Ref:
        return valueOf(facts.ref);
    }
    return std::nullopt;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
