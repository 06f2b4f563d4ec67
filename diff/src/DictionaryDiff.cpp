#include <Palimo/Diff/DictionaryDiff.h>

#include "Descriptions.h"

#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/Query/Entries.h>

#include <unordered_map>
#include <utility>

namespace Palimo {
namespace Diff {

using namespace MetaMetadata;

namespace {

struct Entry {
    Identifiers::Label id;
    std::optional<std::string> name;
    Description description;
    const MetaMetadataSet* set = nullptr; // sets only: their members
};

// Entries in order of addition, and where each id first comes.
struct Entries {
    std::vector<Entry> list;
    std::unordered_map<Identifiers::Label, std::size_t> firstById;

    void add(Entry entry) {
        firstById.emplace(entry.id, list.size());
        list.push_back(std::move(entry));
    }
    const Entry* find(const Identifiers::Label& id) const {
        const auto found = firstById.find(id);
        return found == firstById.end() ? nullptr : &list[found->second];
    }
};

// An entry's name for the listing: its XML tag name, else its name in the MXF standard.
std::optional<std::string> nameOf(const PropertyMap& map) {
    if (auto name = Query::tagName(map))
        return name;
    return Query::property(map, "name");
}

Identifiers::Label labelOf(const MetaElement& element) {
    return Identifiers::Label(element.universalLabel().array());
}

Entries elementEntries(const Dictionary& dictionary) {
    Entries entries;
    for (const MetaElement* element : dictionary.metaElements())
        if (Query::isCurrent(dictionary, *element))
            entries.add({labelOf(*element), nameOf(*element), describeElement(*element, dictionary),
                         nullptr});
    return entries;
}

Entries setEntries(const Dictionary& dictionary) {
    Entries entries;
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets())
        entries.add({Identifiers::Label(set->key().bytes()), nameOf(*set), describeSet(*set), set});
    return entries;
}

Entries memberEntries(const MetaMetadataSet& set) {
    Entries entries;
    for (const auto& member : set.attributes()) {
        const MetaElement& element = member->metaElement();
        std::optional<std::string> name = Query::tagName(element);
        entries.add(
            {labelOf(element), name ? name : nameOf(*member), describeMember(*member), nullptr});
    }
    return entries;
}

void memberChanges(const MetaMetadataSet& before, const MetaMetadataSet& after, EntryDiff& diff) {
    const Entries oldMembers = memberEntries(before);
    const Entries newMembers = memberEntries(after);
    for (const Entry& member : newMembers.list)
        if (!oldMembers.find(member.id))
            diff.members.push_back({Change::Added, member.id, member.name, {}});
    std::vector<Identifiers::Label> common;
    for (const Entry& member : oldMembers.list) {
        const Entry* counterpart = newMembers.find(member.id);
        if (!counterpart) {
            diff.members.push_back({Change::Removed, member.id, member.name, {}});
            continue;
        }
        common.push_back(member.id);
        std::vector<FieldChange> fields =
            fieldChanges(member.description, counterpart->description);
        if (!fields.empty())
            diff.members.push_back({Change::Changed, member.id, member.name, std::move(fields)});
    }
    std::vector<Identifiers::Label> newOrder;
    for (const Entry& member : newMembers.list)
        if (oldMembers.find(member.id))
            newOrder.push_back(member.id);
    diff.memberOrderChanged = newOrder != common;
}

std::vector<EntryDiff> diffEntries(const Entries& before, const Entries& after) {
    std::vector<EntryDiff> diffs;
    for (const Entry& entry : after.list)
        if (!before.find(entry.id))
            diffs.push_back({Change::Added, entry.id, entry.name, {}, {}, false});
    for (const Entry& entry : before.list) {
        const Entry* counterpart = after.find(entry.id);
        EntryDiff diff{
            counterpart ? Change::Changed : Change::Removed, entry.id, entry.name, {}, {}, false};
        if (counterpart) {
            diff.fields = fieldChanges(entry.description, counterpart->description);
            if (entry.set)
                memberChanges(*entry.set, *counterpart->set, diff);
            if (diff.fields.empty() && diff.members.empty() && !diff.memberOrderChanged)
                continue;
        }
        diffs.push_back(std::move(diff));
    }
    return diffs;
}

} // namespace

DictionaryDiff diffDictionaries(const Dictionary& before, const Dictionary& after) {
    DictionaryDiff diff;
    diff.elements = diffEntries(elementEntries(before), elementEntries(after));
    diff.sets = diffEntries(setEntries(before), setEntries(after));
    return diff;
}

} // namespace Diff
} // namespace Palimo
