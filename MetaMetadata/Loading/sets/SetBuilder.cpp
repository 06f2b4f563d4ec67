#include "MetaMetadata/Loading/sets/SetBuilder.h"

#include "MetaMetadata/Loading/elements/LabelsAndTags.h"
#include "MetaMetadata/Loading/sets/AttributeBuilder.h"
#include "MetaMetadata/Loading/sets/MemberGathering.h"
#include "MetaMetadata/Loading/values/PropertyMaps.h"

#include <cstdint>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void buildSets(LoaderState& state, Dictionary& dictionary, DeclarationList setDeclarations) {
    for (xercesc::DOMElement* declaration : setDeclarations) {
        const auto_ptr<MetaMetadataSet> set = buildSet(state, declaration);
        // The dictionary stores a copy; ours goes at the end of the iteration.
        if (set)
            dictionary.addMetaMetadataSet(set->key(), *set);
    }
}

auto_ptr<MetaMetadataSet> buildSet(LoaderState& state, xercesc::DOMElement* declaration) {
    const auto_ptr<KLV::Key> key = readULKey(state, declaration);
    if (!key)
        return auto_ptr<MetaMetadataSet>();
    auto_ptr<MetaMetadataSet> set(new MetaMetadataSet(*key));

    DeclarationList members;
    gatherSetMemberDeclarations(state, declaration, members);
    // Positions count gathered declarations, also those that give no attribute.
    std::uint32_t position = 0;
    for (const xercesc::DOMElement* member : members) {
        auto_ptr<MetaAttribute> attribute = buildAttribute(state, member, position++);
        if (attribute)
            set->addMetaAttribute(MetaAttributePtr(attribute.release()));
    }

    fillPropertyMap(state, declaration, *set);
    return set;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
