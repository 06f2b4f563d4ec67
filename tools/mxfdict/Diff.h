#pragma once
// Differences between two dictionaries: elements matched by label, sets by
// key, set members by their element's label.
#include "JsonOutput.h"

#include <Palimo/MetaMetadata/Dictionary.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Mxfdict {

enum class Change { Added, Removed, Changed };

/// One field of an entry's JSON form (nested fields by dotted path); no value
/// where the field is absent on that side.
struct FieldChange {
    std::string field;
    std::optional<Json> before;
    std::optional<Json> after;
};

struct MemberDiff {
    Change change;
    std::string ul;
    std::string name;
    std::vector<FieldChange> fields; // Changed only
};

/// An element (id: its label) or a set (id: its key).
struct EntryDiff {
    Change change;
    std::string id;
    std::string name;
    std::vector<FieldChange> fields; // Changed only
    std::vector<MemberDiff> members; // sets: added members in the new order, then removed and
                                     // changed ones in the old order
    bool memberOrderChanged = false; // sets: the common members come in another order
};

struct DictionaryDiff {
    std::vector<EntryDiff> elements;
    std::vector<EntryDiff> sets;
    bool empty() const { return elements.empty() && sets.empty(); }
};

/// The elements and sets added, removed and changed from `before` to `after`,
/// with what changed: added entries in the new order, then removed and changed
/// ones in the old order.
DictionaryDiff diffDictionaries(const Palimo::MetaMetadata::Dictionary& before,
                                const Palimo::MetaMetadata::Dictionary& after);

/// "+ element <ul> <name>", "- set <key> <name>", "~ ..." with one indented
/// line per change.
void printDiff(std::ostream& out, const DictionaryDiff& diff);

/// {"formatVersion", "elements": [{"change", "ul", "name", "fields"}], "sets": [{"change",
/// "key", "name", "fields", "members", "memberOrderChanged"}]}
Json diffToJson(const DictionaryDiff& diff);

} // namespace Mxfdict
