#include "sets/SetDiscovery.h"

#include "elements/LabelsAndTags.h"
#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "schema/NameIndex.h"
#include "schema/SchemaIndex.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void findElementDeclarations(const Schema& schema, DeclarationList& out) {
    // "/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']": the same
    // nodes in the same order, read with the facts of every top-level component.
    const DeclarationList& registered = schema.index().registeredComponents();
    out.insert(out.end(), registered.begin(), registered.end());
}

void findReferenceDeclarations(const Schema& schema, DeclarationList& out) {
    // The type is compared as text: "Ref" ones first, then "ff:Ref" ones,
    // whatever their order in the document.
    for (const char16_t* type : kReferenceTypes)
        findTopLevelElementsOfType(schema, type, out);
}

void findSetDeclarations(const Schema& schema, DeclarationList& out) {
    DeclarationList references;
    findReferenceDeclarations(schema, references);
    for (const xercesc::DOMElement* reference : references) {
        const WString group = stripNamespacePrefix(
            declarationAttribute(schema, reference, DeclarationAttribute::SubstitutionGroup)
                .value_or(WString()));
        // "./xs:element[@name='" + group + "']" of the document element; a
        // set named by several references stands once for each of them.
        if (xercesc::DOMElement* set = findTopLevelElement(schema, group))
            out.push_back(set);
    }
}

void registerSetKeys(const Schema& schema, const DeclarationList& setDeclarations, SetKeys& keys) {
    for (const xercesc::DOMElement* declaration : setDeclarations) {
        auto_ptr<KLV::Key> key = readULKey(schema, declaration);
        if (!key)
            continue;
        // The later declaration of a name wins.
        keys[nameAttributeText(schema, declaration).value_or(WString())] = std::move(key);
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
