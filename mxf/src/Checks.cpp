// The checks over the whole decoded header metadata.
#include <Palimo/MXF/FileReader.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/References.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/Visitors.h>

#include "Names.h"
#include "ProblemList.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MXF {
namespace {

using MetaMetadata::AttributeRequiredStatus;

std::string where(const DecodedSet& set) {
    return (set.name.empty() ? "set " + set.klv.key.dotted() : set.name) + " at byte " +
           std::to_string(set.klv.offset);
}

std::string itemName(const DecodedItem& item) {
    return (item.name.empty() ? "item" : item.name) + " (" +
           Identifiers::localTagText(item.localTag) + ")";
}

// The missing required members named for one set.
constexpr std::size_t kMissingShown = 16;

class Checker {
public:
    explicit Checker(DecodedFile& file) : file_(file), edges_(strongReferences(file)) {}

    void run() {
        for (const DecodedSet& set : file_.sets)
            checkRequired(set);
        checkInstanceUIDs();
        checkReferences();
        checkCycles();
    }

private:
    void problem(Problem::Kind kind, std::uint64_t offset, std::string message) {
        ProblemList(file_.problems, file_.problemsNotKept).add(kind, offset, std::move(message));
    }

    void checkRequired(const DecodedSet& set) {
        if (!set.set)
            return;
        // Sets of a file's own dictionary may be large: the items are looked
        // up, not searched once per member (in one buffer for every set).
        present_.clear();
        for (const DecodedItem& item : set.items)
            if (item.element)
                present_.emplace_back(item.element->universalLabel().array());
        std::sort(present_.begin(), present_.end());
        // A set whose dictionary requires many members (a file's own
        // dictionary may require thousands) gives a bounded number of
        // problems, the rest counted in one.
        std::size_t missing = 0;
        for (const auto& attribute : set.set->attributes()) {
            if (attribute->requiredStatus() != AttributeRequiredStatus::Required)
                continue;
            const auto& label = attribute->metaElement().universalLabel();
            if (std::binary_search(present_.begin(), present_.end(), Label(label.array())) ||
                ++missing > kMissingShown)
                continue;
            problem(Problem::Kind::MissingRequired, set.klv.offset,
                    where(set) + ": required item " + entryName(attribute->metaElement()) + " (" +
                        Label(label.array()).dotted() + ") is missing");
        }
        if (missing > kMissingShown)
            problem(Problem::Kind::MissingRequired, set.klv.offset,
                    where(set) + ": " + std::to_string(missing - kMissingShown) +
                        " more required items are missing");
    }

    void checkInstanceUIDs() {
        std::map<Identifiers::UUID, std::size_t> first;
        for (std::size_t i = 0; i < file_.sets.size(); ++i) {
            const DecodedSet& set = file_.sets[i];
            if (!set.instanceUID)
                continue;
            const auto [it, added] = first.emplace(*set.instanceUID, i);
            if (!added)
                problem(Problem::Kind::DuplicateInstanceUID, set.klv.offset,
                        where(set) + ": InstanceUID " + set.instanceUID->text() +
                            " is also that of " + where(file_.sets[it->second]));
        }
    }

    bool mayReferTo(const DecodedItem& item, const DecodedSet& target) const {
        // A set the dictionary does not know is a problem of its own.
        if (!item.element || !target.set)
            return true;
        const KLV::KeyVector* targets = nullptr;
        MetaMetadata::GetMetaElementVisitor<MetaMetadata::MetaReferenceElement> single;
        MetaMetadata::GetMetaElementVisitor<MetaMetadata::MetaReferenceCollection> collection;
        item.element->accept(single);
        item.element->accept(collection);
        if (single.result())
            targets = &single.result()->targetKeys();
        else if (collection.result())
            targets = &collection.result()->targetKeys();
        // A reference whose targets the dictionary does not list may refer to any set.
        if (!targets || targets->empty())
            return true;
        const auto listed = [&](const Label& key) {
            return std::any_of(targets->begin(), targets->end(), [&](const KLV::Key& target) {
                return key.equalIgnoringVersion(Label(target.bytes()));
            });
        };
        if (listed(target.klv.key))
            return true;
        // A class that the file's own dictionary adds below a listed one.
        if (target.fromFileDictionary && file_.fileDictionary)
            for (const Label& ancestor : file_.fileDictionary->ancestors(*target.set))
                if (listed(ancestor))
                    return true;
        return false;
    }

    void checkReferences() {
        // The first owner of each set: (set, item).
        std::unordered_map<std::size_t, std::pair<std::size_t, std::size_t>> owners;
        for (std::size_t s = 0; s < edges_.size(); ++s) {
            const DecodedSet& set = file_.sets[s];
            for (const StrongReferenceEdge& edge : edges_[s]) {
                const DecodedItem& item = set.items[edge.item];
                if (edge.targetSet == kNoSet) {
                    problem(Problem::Kind::DanglingReference, item.offset,
                            where(set) + ": " + itemName(item) + " refers to " +
                                edge.target.text() + ", the InstanceUID of no set in the file");
                    continue;
                }
                const DecodedSet& target = file_.sets[edge.targetSet];
                if (!mayReferTo(item, target))
                    problem(Problem::Kind::WrongTarget, item.offset,
                            where(set) + ": " + itemName(item) + " refers to " + where(target) +
                                ", which is none of the sets it may refer to");
                const auto [owner, first] =
                    owners.emplace(edge.targetSet, std::make_pair(s, edge.item));
                if (!first) {
                    const DecodedSet& ownerSet = file_.sets[owner->second.first];
                    problem(Problem::Kind::SharedReference, target.klv.offset,
                            where(target) + " is owned by two strong references: " +
                                itemName(ownerSet.items[owner->second.second]) + " of " +
                                where(ownerSet) + " and " + itemName(item) + " of " + where(set));
                }
            }
        }
    }

    // Depth-first over the strong references, without recursion: a reference
    // to a set still on the walk's path closes a cycle.
    void checkCycles() {
        enum Colour : char { Unseen, OnPath, Done };
        std::vector<Colour> colour(file_.sets.size(), Unseen);
        std::vector<std::pair<std::size_t, std::size_t>> path; // set, next edge
        for (std::size_t start = 0; start < file_.sets.size(); ++start) {
            if (colour[start] != Unseen)
                continue;
            colour[start] = OnPath;
            path.emplace_back(start, 0);
            while (!path.empty()) {
                auto& [set, next] = path.back();
                if (next == edges_[set].size()) {
                    colour[set] = Done;
                    path.pop_back();
                    continue;
                }
                const StrongReferenceEdge& edge = edges_[set][next++];
                if (edge.targetSet == kNoSet)
                    continue;
                if (colour[edge.targetSet] == OnPath) {
                    const DecodedSet& from = file_.sets[set];
                    problem(Problem::Kind::ReferenceCycle, from.items[edge.item].offset,
                            where(from) + ": " + itemName(from.items[edge.item]) +
                                " refers back to " + where(file_.sets[edge.targetSet]) +
                                ", which owns it through strong references");
                } else if (colour[edge.targetSet] == Unseen) {
                    colour[edge.targetSet] = OnPath;
                    path.emplace_back(edge.targetSet, 0);
                }
            }
        }
    }

    DecodedFile& file_;
    std::vector<std::vector<StrongReferenceEdge>> edges_;
    std::vector<Label> present_; // the members of the set being checked
};

} // namespace

void checkHeaderMetadata(DecodedFile& file) {
    Checker(file).run();
}

} // namespace MXF
} // namespace Palimo
