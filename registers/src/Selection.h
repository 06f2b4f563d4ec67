#pragma once
// What an import takes from the registers: every local set that is not
// deprecated, with its ancestors, and every element that one of them holds.
#include "RegisterEntries.h"

#include <Palimo/Registers/ImportReport.h>

#include <map>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

/// One item of a selected set, in the order of the group's Contents.
struct SelectedMember {
    const GroupRecord* record;
    const ElementEntry* element;
};

struct SelectedSet {
    const GroupEntry* group;
    const GroupEntry* parent; // null for a root of the inheritance
    std::vector<SelectedMember> members;
};

/// Entries of one register by label, matched with and then without their
/// version byte; the entries must outlive it.
template <class Entry>
class EntriesByLabel {
public:
    explicit EntriesByLabel(const std::vector<Entry>& entries) {
        for (const Entry& entry : entries) {
            exact_.emplace(entry.ul, &entry);
            loose_.emplace(entry.ul.withoutVersion(), &entry);
        }
    }
    /// The entry of `ul`, else the one that differs from it only in its
    /// version byte; null when there is none.
    const Entry* find(const Label& ul) const {
        const auto exact = exact_.find(ul);
        if (exact != exact_.end())
            return exact->second;
        const auto loose = loose_.find(ul.withoutVersion());
        return loose == loose_.end() ? nullptr : loose->second;
    }

private:
    std::map<Label, const Entry*> exact_;
    std::map<Label, const Entry*> loose_;
};

struct Selection {
    std::vector<SelectedSet> sets;                          // by UL
    std::vector<const ElementEntry*> elements;              // by UL, each once
    std::map<const ElementEntry*, std::uint16_t> localTags; // static tags
    std::vector<LeftOut> leftOut;                           // one line each
    std::vector<std::string> notes;                         // kept, but worth a word
    std::size_t groupsNotLocal = 0;  // leaf groups without a local set coding
    std::size_t elementsNotHeld = 0; // leaf elements that no selected set holds

    /// The selected set of `group` (matched with, then without, its version
    /// byte); null when it is not selected.
    const SelectedSet* findSet(const Label& group) const;
};

/// The selection of `registers`, which must outlive it. Sets whose Parent is
/// missing from the Groups register or leads back to themselves are left out
/// with their descendants; members whose element is missing from the
/// Elements register, or repeats one the set already holds, are left out.
Selection selectEntries(const Registers& registers);

} // namespace Registers
} // namespace Palimo
