#include "elements/TypeResolution.h"

#include "schema/Annotations.h"
#include "schema/DomText.h"

#include <xercesc/dom/DOMElement.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

namespace Ids = Palimo::Types::Identifiers;

bool isCollection(Identifier id) {
    return id == Ids::Array || id == Ids::Batch;
}

struct ReferenceBase {
    const char16_t* name;
    Identifier dataType;
    Identifier subType;
};

// The schema's own names for references; the core library does not know them.
constexpr ReferenceBase kReferenceBases[] = {
    {u"StrongRefBatch", Ids::Batch, Ids::StrongReference},
    {u"WeakRefBatch", Ids::Batch, Ids::WeakReference},
    {u"StrongRefArray", Ids::Array, Ids::StrongReference},
    {u"WeakRefArray", Ids::Array, Ids::WeakReference},
    {u"WeakRefHolder", Ids::WeakReference, Ids::NoIdentifier},
    {u"StrongRefHolder", Ids::StrongReference, Ids::NoIdentifier},
};

} // namespace

void resolveDataType(const Schema& schema, const xercesc::DOMElement* declaration,
                     Identifier& dataType, Identifier& subType) {
    const WString typeName = stripNamespacePrefix(
        declarationAttribute(schema, declaration, DeclarationAttribute::Type).value_or(WString()));
    dataType = Ids::stringToIdentifier(typeName);
    if (dataType != Ids::NoIdentifier)
        return;

    // A named type the core library does not know is not followed: only a
    // declaration without a type name looks at its anonymous type.
    WString baseName;
    if (typeName.empty())
        baseName = findTypeBase(schema, declaration);

    const Identifier base = Ids::stringToIdentifier(baseName);
    if (isCollection(base)) {
        dataType = base;
        subType = resolveCollectionSubType(schema, declaration);
    } else if (base == Ids::NoIdentifier) {
        classifyReferenceBase(baseName, dataType, subType);
    } else {
        dataType = base;
    }
}

WString findTypeBase(const Schema& schema, const xercesc::DOMElement* declaration) {
    const std::optional<WString> base = typeBaseText(schema, declaration);
    return base ? stripNamespacePrefix(*base) : WString();
}

std::optional<WString> typeBaseText(const Schema& schema, const xercesc::DOMElement* declaration) {
    // The first node of "./*/*/*/@base" or, when it has none, of
    // "./*/*/@base": one evaluation instead of two.
    return schema.selectOptionalText(declaration, u"(./*/*/*/@base, ./*/*/@base)", Resolver::None);
}

std::optional<WString> collectionMemberTypeText(const Schema& schema,
                                                const xercesc::DOMElement* declaration) {
    return schema.selectOptionalText(
        declaration, u"./xs:complexType/xs:complexContent/*[@base]/*/xs:element/@type");
}

Identifier resolveCollectionSubType(const Schema& schema, const xercesc::DOMElement* declaration) {
    const std::optional<WString> memberType = collectionMemberTypeText(schema, declaration);
    if (!memberType)
        return Ids::NoIdentifier;
    return Ids::stringToIdentifier(stripNamespacePrefix(*memberType));
}

void classifyReferenceBase(const WString& baseName, Identifier& dataType, Identifier& subType) {
    for (const ReferenceBase& entry : kReferenceBases) {
        if (baseName == entry.name) {
            dataType = entry.dataType;
            subType = entry.subType;
            return;
        }
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
