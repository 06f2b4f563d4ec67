#include "elements/ElementBuilder.h"

#include "ErrorReporting.h"
#include "Messages.h"
#include "elements/LabelsAndTags.h"
#include "elements/ReferenceTargets.h"
#include "elements/TypeResolution.h"
#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "values/PropertyMaps.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/BaseTypeFactory.h>
#include <Palimo/Types/LocalTag.h>

#include <utility>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Types::Factories::BaseTypeFactory;

bool isCollection(Identifier id) {
    return id == Ids::Array || id == Ids::Batch;
}
bool isReference(Identifier id) {
    return id == Ids::StrongReference || id == Ids::WeakReference;
}

[[noreturn]] void throwInvalidDeclaration(const char16_t* text,
                                          const xercesc::DOMElement* declaration, const char* file,
                                          int line) {
    throw Exceptions::InvalidMetaElementDeclaration(
        text + quotedText(attributeText(declaration, "name")), file, line);
}

auto_ptr<MetaElement> constructReference(const Schema& schema, const SetKeys& setKeys,
                                         xercesc::DOMElement* declaration,
                                         const UniversalLabel& label, Identifier dataType,
                                         Identifier subType) {
    TargetNames names;
    gatherReferenceTargets(schema, declaration, names);
    KLV::KeyVector keys;
    targetNamesToKeys(setKeys, names, keys);

    const BaseTypeFactory& factory = BaseTypeFactory::instance();
    if (!isCollection(dataType)) {
        factory.elementType(dataType);
        return auto_ptr<MetaElement>(new MetaReferenceElement(label, keys, dataType));
    }
    factory.collectionType(dataType);
    factory.elementType(subType);
    return auto_ptr<MetaElement>(
        new MetaReferenceCollection(label, CollectionSizeLimits(), keys, dataType, subType));
}

auto_ptr<MetaElement> constructElement(const Schema& schema, const SetKeys& setKeys,
                                       xercesc::DOMElement* declaration,
                                       const UniversalLabel& label, Identifier dataType,
                                       Identifier subType) {
    if (isReference(dataType) || isReference(subType))
        return constructReference(schema, setKeys, declaration, label, dataType, subType);

    const BaseTypeFactory& factory = BaseTypeFactory::instance();
    if (isCollection(dataType)) {
        factory.collectionType(dataType);
        if (subType == Ids::NoIdentifier)
            throwInvalidDeclaration(Message::kUnknownSubDataType, declaration, __FILE__, __LINE__);
        factory.elementType(subType);
        return auto_ptr<MetaElement>(
            new MetaCollection(label, CollectionSizeLimits(), dataType, subType));
    }
    factory.elementType(dataType);
    return auto_ptr<MetaElement>(new MetaSimpleElement(label, dataType));
}

} // namespace

auto_ptr<MetaElement> buildMetaElement(const Schema& schema, const LoadOptions& options,
                                       const SetKeys& setKeys, xercesc::DOMElement* declaration,
                                       Dictionary& dictionary, ElementRegistry& elements) {
    const auto_ptr<UniversalLabel> label = readUniversalLabel(schema, declaration);
    if (!label)
        throwInvalidDeclaration(Message::kNoULDesignator, declaration, __FILE__, __LINE__);

    Identifier dataType = Ids::NoIdentifier;
    Identifier subType = Ids::NoIdentifier;
    resolveDataType(schema, declaration, dataType, subType);
    if (dataType == Ids::NoIdentifier)
        throwInvalidDeclaration(Message::kUnknownDataType, declaration, __FILE__, __LINE__);

    auto_ptr<MetaElement> element =
        constructElement(schema, setKeys, declaration, *label, dataType, subType);

    if (const auto_ptr<LocalTag> tag = readLocalTag(schema, declaration))
        dictionary.addLocalTag(*tag, *label);

    fillMetaElementPropertyMap(schema, options, declaration, *element);

    // Whatever tag the dictionary holds for the label now, also one that an
    // earlier declaration of the same label gave it.
    elements.tags.insert(std::make_pair(element.get(), dictionary.findLocalTag(*label)));
    return element;
}

void buildMetaElements(const Schema& schema, const LoadOptions& options, const SetKeys& setKeys,
                       const DeclarationList& declarations, Dictionary& dictionary,
                       ElementRegistry& elements) {
    for (xercesc::DOMElement* declaration : declarations) {
        auto_ptr<MetaElement> element =
            buildMetaElement(schema, options, setKeys, declaration, dictionary, elements);
        MetaElement* const built = element.get();

        // Should anything fail before the dictionary owns the element, it is
        // gone: the maps must not keep its address for the set phase.
        WString name;
        MetaElement* replaced = nullptr;
        bool filed = false;
        try {
            name = nameAttributeText(schema, declaration).value_or(WString());
            MetaElement*& entry = elements.byName[name];
            replaced = entry;
            entry = built;
            filed = true;
            const UniversalLabel label(built->universalLabel());
            dictionary.addMetaElement(label, std::move(element));
        } catch (...) {
            if (filed && replaced != nullptr)
                elements.byName[name] = replaced;
            else if (filed)
                elements.byName.erase(name);
            elements.tags.erase(built);
            throw;
        }
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
