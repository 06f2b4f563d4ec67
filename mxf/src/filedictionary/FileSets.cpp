// The sets to decode by: for each class of a set the header metadata holds,
// the set of the added class, or a copy of the dictionary's set with the
// properties the file adds, each with what it inherits. Only those classes
// get one, and all of them together hold at most a number of members in
// proportion to the definitions the file holds.
#include "FileDictionaryBuilder.h"

#include "../Names.h"

#include <Palimo/Utils/StringConversion.h>

#include <map>
#include <unordered_set>

namespace Palimo {
namespace MXF {

using Definitions::definitionText;

namespace {

void addProperty(MetaMetadata::PropertyMap& map, const char* key, const std::string& value) {
    map.addProperty(Utils::stringToWstring(key), Utils::stringToWstring(value));
}

Label labelOf(const MetaMetadata::MetaAttribute& attribute) {
    return Label(attribute.metaElement().universalLabel().array());
}

} // namespace

void FileDictionaryBuilder::buildSets() {
    std::size_t budget = 65536 + 4 * (definitions_.classes.size() + definitions_.properties.size() +
                                      definitions_.types.size());
    std::unordered_set<Label> seen;
    for (const RawSet& raw : metadata_.sets) {
        if (!raw.localSet || !seen.insert(raw.klv.key.withoutVersion()).second)
            continue;
        const auto klass = classesByKey_.find(raw.klv.key.withoutVersion());
        if (klass != classesByKey_.end() &&
            classStates_[klass->second].use != ClassState::Use::Refused)
            buildSet(klass->second, budget);
    }
}

void FileDictionaryBuilder::buildSet(std::size_t klass, std::size_t& budget) {
    const ClassState& state = classStates_[klass];
    // The class and its ancestors, the class first; the ancestors of a class
    // of the dictionary as the file gives them, as far as they go.
    std::vector<std::size_t> chain;
    std::unordered_set<std::size_t> visited;
    const MetaMetadata::MetaMetadataSet* base = nullptr;
    for (std::optional<std::size_t> at = klass; at && visited.insert(*at).second;) {
        const ClassState& ancestor = classStates_[*at];
        chain.push_back(*at);
        if (!base)
            base = ancestor.use == ClassState::Use::Dictionary ? ancestor.dictionarySet
                                                               : ancestor.dictionaryParent;
        at = ancestor.parent;
    }
    // Counted before anything is gathered: a class refused costs no more
    // than its chain.
    std::size_t count = base ? base->attributes().size() : 0;
    for (const std::size_t at : chain)
        count += classStates_[at].members.size();
    const bool added = state.use == ClassState::Use::Added;
    if (!added && count == (base ? base->attributes().size() : 0))
        return; // the dictionary's set as it is

    const ClassDefinition& definition = definitions_.classes[klass];
    const auto refuse = [&](const std::string& why) {
        problem(definition, definitionText("class", definition.name, definition.identification) +
                                " of the file's dictionary is not used: " + why);
    };
    if (count > kMaxFileSetMembers) {
        refuse("with what it inherits it has more than " + std::to_string(kMaxFileSetMembers) +
               " members");
        return;
    }
    if (count > budget) {
        refuse("the classes of the file's dictionary would hold too many members in all");
        return;
    }
    budget -= count;
    std::vector<const FileMember*> additions;
    for (auto at = chain.rbegin(); at != chain.rend(); ++at)
        for (const FileMember& member : classStates_[*at].members)
            additions.push_back(&member);

    MetaMetadata::MetaMetadataSet set =
        added ? MetaMetadata::MetaMetadataSet(KLV::Key(state.key.bytes())) : *state.dictionarySet;
    std::unordered_set<Label> members;
    if (added) {
        addProperty(set, "name", definition.name);
        addProperty(set, "XMLTagName", state.name);
        addProperty(set, "XMLNamespaceURI", namespaceOf(definition));
        if (base)
            for (const MetaMetadata::MetaAttributePtr& attribute : base->attributes())
                set.addMetaAttribute(attribute);
    }
    for (const MetaMetadata::MetaAttributePtr& attribute : set.attributes())
        members.insert(labelOf(*attribute));
    for (const FileMember* member : additions) {
        const Types::UniversalLabel& ul = member->element->universalLabel();
        if (!members.insert(Label(ul.array())).second)
            continue;
        const Types::LocalTag* tag = result_->own_.findLocalTag(ul);
        if (!tag)
            tag = dictionary_.findLocalTag(ul);
        set.addMetaAttribute(MetaMetadata::MetaAttributePtr(new MetaMetadata::MetaAttribute(
            *member->element,
            member->optional ? MetaMetadata::AttributeRequiredStatus::Optional
                             : MetaMetadata::AttributeRequiredStatus::Required,
            nullptr, tag)));
    }
    MetaMetadata::Dictionary& own = result_->own_;
    const KLV::Key key(state.key.bytes());
    own.addMetaMetadataSet(key, set);
    const MetaMetadata::MetaMetadataSet* stored = own.findMetaMetadataSet(key);
    result_->sets_.emplace(state.key.withoutVersion(), stored);
    result_->members_.emplace(stored, std::move(members));
    std::vector<Label>& ancestors = result_->ancestors_[stored];
    for (std::size_t i = 1; i < chain.size(); ++i)
        ancestors.push_back(classStates_[chain[i]].key);
    const ClassState& top = classStates_[chain.back()];
    if (top.use == ClassState::Use::Added && top.dictionaryParent)
        ancestors.push_back(Label(top.dictionaryParent->key().bytes()));
    if (added)
        result_->added_.insert(stored);
}

} // namespace MXF
} // namespace Palimo
