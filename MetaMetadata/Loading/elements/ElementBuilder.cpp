#include "MetaMetadata/Loading/elements/ElementBuilder.h"

#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/elements/LabelsAndTags.h"
#include "MetaMetadata/Loading/elements/ReferenceTargets.h"
#include "MetaMetadata/Loading/elements/TypeResolution.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"
#include "MetaMetadata/Loading/values/PropertyMaps.h"

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

auto_ptr<MetaElement> constructReference(LoaderState& state, xercesc::DOMElement* declaration,
                                         const UniversalLabel& label, Identifier dataType,
                                         Identifier subType) {
    TargetNames names;
    gatherReferenceTargets(state, declaration, names);
    KLV::KeyVector keys;
    targetNamesToKeys(state, names, keys);

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

auto_ptr<MetaElement> constructElement(LoaderState& state, xercesc::DOMElement* declaration,
                                       const UniversalLabel& label, Identifier dataType,
                                       Identifier subType) {
    if (isReference(dataType) || isReference(subType))
        return constructReference(state, declaration, label, dataType, subType);

    const BaseTypeFactory& factory = BaseTypeFactory::instance();
    if (isCollection(dataType)) {
        factory.collectionType(dataType);
        if (subType == Ids::NoIdentifier)
            throwInvalidDeclaration(
                u"MetaElement Declaration of type collection with unknown sub data type: ",
                declaration, __FILE__, __LINE__);
        factory.elementType(subType);
        return auto_ptr<MetaElement>(
            new MetaCollection(label, CollectionSizeLimits(), dataType, subType));
    }
    factory.elementType(dataType);
    return auto_ptr<MetaElement>(new MetaSimpleElement(label, dataType));
}

} // namespace

auto_ptr<MetaElement> buildMetaElement(LoaderState& state, Dictionary& dictionary,
                                       xercesc::DOMElement* declaration) {
    const auto_ptr<UniversalLabel> label = readUniversalLabel(state, declaration);
    if (!label)
        throwInvalidDeclaration(u"MetaElement Declaration with no UL Designator in ", declaration,
                                __FILE__, __LINE__);

    Identifier dataType = Ids::NoIdentifier;
    Identifier subType = Ids::NoIdentifier;
    resolveDataType(state, declaration, dataType, subType);
    if (dataType == Ids::NoIdentifier)
        throwInvalidDeclaration(u"MetaElement Declaration with unknown data type: ", declaration,
                                __FILE__, __LINE__);

    auto_ptr<MetaElement> element = constructElement(state, declaration, *label, dataType, subType);

    if (const auto_ptr<LocalTag> tag = readLocalTag(state, declaration))
        dictionary.addLocalTag(*tag, *label);

    fillMetaElementPropertyMap(state, declaration, *element);

    // Whatever tag the dictionary holds for the label now, also one that an
    // earlier declaration of the same label gave it.
    state.registeredElements.insert(std::make_pair(element.get(), dictionary.findLocalTag(*label)));
    return element;
}

void buildMetaElements(LoaderState& state, Dictionary& dictionary,
                       const DeclarationList& declarations) {
    for (xercesc::DOMElement* declaration : declarations) {
        auto_ptr<MetaElement> element = buildMetaElement(state, dictionary, declaration);
        MetaElement* const built = element.get();

        // Should anything fail before the dictionary owns the element, it is
        // gone: the maps must not keep its address for the set phase.
        WString name;
        MetaElement* replaced = nullptr;
        bool filed = false;
        try {
            name = attributeText(declaration, "name");
            MetaElement*& entry = state.elementsByName[name];
            replaced = entry;
            entry = built;
            filed = true;
            const UniversalLabel label(built->universalLabel());
            dictionary.addMetaElement(label, std::move(element));
        } catch (...) {
            if (filed && replaced != nullptr)
                state.elementsByName[name] = replaced;
            else if (filed)
                state.elementsByName.erase(name);
            state.registeredElements.erase(built);
            throw;
        }
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
