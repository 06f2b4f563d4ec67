#include "MetaMetadata/Loading/schema/Annotations.h"

#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/schema/DomText.h"
#include "MetaMetadata/Loading/schema/SchemaIndex.h"

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

std::optional<WString> valueOf(const xercesc::DOMNode* node) {
    if (node == nullptr)
        return std::nullopt;
    return toWstring(nodeText(node));
}

} // namespace

std::optional<WString> appinfoText(const Schema& schema, const xercesc::DOMElement* declaration,
                                   const char16_t* source) {
    return valueOf(factsOf(schema, declaration).firstText(source));
}

std::optional<WString> nameAttributeText(const Schema& schema,
                                         const xercesc::DOMElement* declaration) {
    return valueOf(factsOf(schema, declaration).nameAttribute);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
