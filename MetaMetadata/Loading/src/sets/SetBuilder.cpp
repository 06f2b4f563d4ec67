#include "sets/SetBuilder.h"

#include "elements/LabelsAndTags.h"
#include "sets/AttributeBuilder.h"
#include "sets/MemberGathering.h"
#include "values/PropertyMaps.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>

#include <cstdint>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void buildSets(const Schema& schema, const LoadOptions& options, const ElementRegistry& elements,
               const DeclarationList& setDeclarations, Dictionary& dictionary) {
    for (xercesc::DOMElement* declaration : setDeclarations) {
        const auto_ptr<MetaMetadataSet> set = buildSet(schema, options, elements, declaration);
        // The dictionary stores a copy; ours goes at the end of the iteration.
        if (set)
            dictionary.addMetaMetadataSet(set->key(), *set);
    }
}

auto_ptr<MetaMetadataSet> buildSet(const Schema& schema, const LoadOptions& options,
                                   const ElementRegistry& elements,
                                   xercesc::DOMElement* declaration) {
    const auto_ptr<KLV::Key> key = readULKey(schema, declaration);
    if (!key)
        return auto_ptr<MetaMetadataSet>();
    auto_ptr<MetaMetadataSet> set(new MetaMetadataSet(*key));

    DeclarationList members;
    gatherSetMemberDeclarations(schema, declaration, members);
    // Positions count gathered declarations, also those that give no attribute.
    std::uint32_t position = 0;
    for (const xercesc::DOMElement* member : members) {
        auto_ptr<MetaAttribute> attribute = buildAttribute(schema, elements, member, position++);
        if (attribute)
            set->addMetaAttribute(MetaAttributePtr(attribute.release()));
    }

    fillPropertyMap(schema, options, declaration, *set);
    return set;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
