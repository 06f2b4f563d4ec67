#include "MetaMetadata/Loading/sets/SetDiscovery.h"

#include "MetaMetadata/Loading/elements/LabelsAndTags.h"
#include "MetaMetadata/Loading/schema/Annotations.h"
#include "MetaMetadata/Loading/schema/NameIndex.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void findElementDeclarations(LoaderState& state, DeclarationList& out) {
    // "/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']": the same
    // nodes in the same order, read with the facts of every top-level component.
    findRegisteredComponents(state, out);
}

void findReferenceDeclarations(LoaderState& state, DeclarationList& out) {
    // The type is compared as text: "Ref" ones first, then "ff:Ref" ones,
    // whatever their order in the document.
    findTopLevelElementsOfType(state, u"Ref", out);
    findTopLevelElementsOfType(state, u"ff:Ref", out);
}

void findSetDeclarations(LoaderState& state, DeclarationList& out) {
    DeclarationList references;
    findReferenceDeclarations(state, references);
    for (const xercesc::DOMElement* reference : references) {
        const WString group = stripNamespacePrefix(attributeText(reference, "substitutionGroup"));
        // "./xs:element[@name='" + group + "']" of the document element; a
        // set named by several references stands once for each of them.
        if (xercesc::DOMElement* set = findTopLevelElement(state, group))
            out.push_back(set);
    }
}

void registerSetKeys(LoaderState& state, const DeclarationList& setDeclarations) {
    for (const xercesc::DOMElement* declaration : setDeclarations) {
        auto_ptr<KLV::Key> key = readULKey(state, declaration);
        if (!key)
            continue;
        KLV::Key*& slot = state.keysByName[attributeText(declaration, "name")];
        // The later declaration of a name wins; the key it replaces is ours to delete.
        const auto_ptr<KLV::Key> replaced(slot);
        slot = key.release();
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
