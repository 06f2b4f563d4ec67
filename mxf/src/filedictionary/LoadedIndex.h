#pragma once
// The loaded dictionary's elements and sets by label, exact and ignoring the
// version byte, as Dictionary's lookups find them: made once, so that
// looking up every definition of a large file's dictionary costs one hash
// lookup each, not a scan of every label of the same first bytes.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include <unordered_map>

namespace Palimo {
namespace MXF {
namespace Definitions {

using Identifiers::Label;

template <class Entry>
class LabelIndex {
public:
    void add(const Label& label, const Entry* entry) {
        exact_.emplace(label, entry);
        // Of several versions, the highest, as Dictionary prefers it.
        const auto [loose, added] = loose_.emplace(label.withoutVersion(), Loose{label[7], entry});
        if (!added && label[7] > loose->second.version)
            loose->second = Loose{label[7], entry};
    }
    /// Exact, then any version; null when none. `exact` (may be null) says
    /// whether the label was found as it is.
    const Entry* find(const Label& label, bool* exact = nullptr) const {
        const auto found = exact_.find(label);
        if (exact)
            *exact = found != exact_.end();
        if (found != exact_.end())
            return found->second;
        const auto loose = loose_.find(label.withoutVersion());
        return loose == loose_.end() ? nullptr : loose->second.entry;
    }

private:
    struct Loose {
        std::uint8_t version;
        const Entry* entry;
    };
    std::unordered_map<Label, const Entry*> exact_;
    std::unordered_map<Label, Loose> loose_;
};

struct LoadedIndex {
    explicit LoadedIndex(const MetaMetadata::Dictionary& dictionary) {
        for (const MetaMetadata::MetaElement* element : dictionary.metaElements())
            elements.add(Label(element->universalLabel().array()), element);
        for (const MetaMetadata::MetaMetadataSet* set : dictionary.metaMetadataSets())
            sets.add(Label(set->key().bytes()), set);
    }
    LabelIndex<MetaMetadata::MetaElement> elements;
    LabelIndex<MetaMetadata::MetaMetadataSet> sets;
};

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
