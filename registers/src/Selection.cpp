#include "Selection.h"

#include <Palimo/Identifiers/Hex.h>

#include <algorithm>
#include <functional>
#include <set>

namespace Palimo {
namespace Registers {
namespace {

std::string setName(const GroupEntry& group) {
    return "set " + group.symbol + " (" + group.ul.dotted() + ")";
}

// The chain from `group` up to its root, `group` first; empty with `reason`
// set when a Parent is missing or the chain returns to a group on it.
std::vector<const GroupEntry*>
ancestry(const GroupEntry& group, const EntriesByLabel<GroupEntry>& groups, std::string& reason) {
    std::vector<const GroupEntry*> chain{&group};
    for (const GroupEntry* at = &group; at->parent;) {
        const GroupEntry* parent = groups.find(*at->parent);
        if (!parent) {
            reason = "its ancestor chain names Parent " + at->parent->dotted() +
                     ", which is not in the Groups register";
            return {};
        }
        if (std::find(chain.begin(), chain.end(), parent) != chain.end()) {
            reason = "its ancestor chain returns to " + parent->symbol;
            return {};
        }
        chain.push_back(parent);
        at = parent;
    }
    return chain;
}

} // namespace

const SelectedSet* Selection::findSet(const Label& group) const {
    for (const SelectedSet& set : sets)
        if (set.group->ul == group)
            return &set;
    for (const SelectedSet& set : sets)
        if (set.group->ul.withoutVersion() == group.withoutVersion())
            return &set;
    return nullptr;
}

Selection selectEntries(const Registers& registers) {
    Selection selection;
    const EntriesByLabel<GroupEntry> groups(registers.groups);
    const EntriesByLabel<ElementEntry> elements(registers.elements);

    // The local sets and their ancestors.
    std::set<const GroupEntry*> chosen;
    for (const GroupEntry& group : registers.groups) {
        if (!group.leaf)
            continue;
        if (!group.isLocalSet()) {
            ++selection.groupsNotLocal;
            continue;
        }
        if (group.deprecated) {
            selection.leftOut.push_back({setName(group), "deprecated"});
            continue;
        }
        std::string reason;
        const std::vector<const GroupEntry*> chain = ancestry(group, groups, reason);
        if (chain.empty()) {
            selection.leftOut.push_back({setName(group), reason});
            continue;
        }
        chosen.insert(chain.begin(), chain.end());
    }
    std::vector<const GroupEntry*> ordered(chosen.begin(), chosen.end());
    std::sort(ordered.begin(), ordered.end(),
              [](const GroupEntry* a, const GroupEntry* b) { return a->ul < b->ul; });
    for (const GroupEntry* group : ordered) {
        if (!group->isLocalSet() || group->deprecated)
            selection.notes.push_back(
                "set " + group->symbol + " is written as an ancestor of a local set, though it " +
                (group->deprecated ? "is deprecated" : "has no local set coding"));
    }

    // Members: a set holds its own items after those of its ancestors, so an
    // item an ancestor already holds is no second member.
    std::map<const GroupEntry*, std::set<const ElementEntry*>> held;
    std::set<const ElementEntry*> used;
    std::function<const std::set<const ElementEntry*>&(const GroupEntry*)> holdings =
        [&](const GroupEntry* group) -> const std::set<const ElementEntry*>& {
        const auto found = held.find(group);
        if (found != held.end())
            return found->second;
        std::set<const ElementEntry*> items;
        if (const GroupEntry* parent = group->parent ? groups.find(*group->parent) : nullptr)
            items = holdings(parent);
        for (const GroupRecord& record : group->contents)
            if (const ElementEntry* element = elements.find(record.ul))
                items.insert(element);
        return held[group] = items;
    };
    for (const GroupEntry* group : ordered) {
        SelectedSet set{group, group->parent ? groups.find(*group->parent) : nullptr, {}};
        std::set<const ElementEntry*> seen;
        if (set.parent)
            seen = holdings(set.parent);
        for (const GroupRecord& record : group->contents) {
            const ElementEntry* element = elements.find(record.ul);
            const std::string what = "member " + record.ul.dotted() + " of " + setName(*group);
            if (!element) {
                selection.leftOut.push_back({what, "not in the Elements register"});
                continue;
            }
            if (!seen.insert(element).second) {
                selection.leftOut.push_back({"member " + element->symbol + " of " + setName(*group),
                                             "the set already holds it"});
                continue;
            }
            set.members.push_back({&record, element});
            used.insert(element);
            if (record.localTag) {
                const auto [it, added] = selection.localTags.emplace(element, *record.localTag);
                if (!added && it->second != *record.localTag)
                    selection.notes.push_back("element " + element->symbol + " has local tag " +
                                              Identifiers::localTagText(it->second) +
                                              " and, in set " + group->symbol + ", " +
                                              Identifiers::localTagText(*record.localTag) +
                                              ": the first is written");
            }
        }
        selection.sets.push_back(std::move(set));
    }

    selection.elements.assign(used.begin(), used.end());
    std::sort(selection.elements.begin(), selection.elements.end(),
              [](const ElementEntry* a, const ElementEntry* b) { return a->ul < b->ul; });
    for (const ElementEntry& element : registers.elements)
        if (element.leaf && used.count(&element) == 0)
            ++selection.elementsNotHeld;
    std::size_t deprecated = 0;
    for (const ElementEntry* element : selection.elements)
        deprecated += element->deprecated ? 1 : 0;
    if (deprecated != 0)
        selection.notes.push_back(std::to_string(deprecated) +
                                  " deprecated elements are written because sets hold them");
    return selection;
}

} // namespace Registers
} // namespace Palimo
