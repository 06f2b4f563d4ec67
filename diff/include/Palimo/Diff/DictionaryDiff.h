#pragma once
// What changed from one dictionary to another: elements matched by label,
// sets by key, a set's members by their element's label.
//
// diffDictionaries only reads the two dictionaries: any number of diffs (and
// lookups) may run at once on the same dictionaries, as long as nothing
// modifies them meanwhile. Its result holds copies and outlives them.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Query/Entries.h>
#include <Palimo/Types/Identifiers.h>
#include <Palimo/Types/LocalTag.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace Palimo {
namespace Diff {

enum class Change { Added, Removed, Changed };

/// The parts of an entry that a diff compares, in the order in which it
/// reports their changes. The label or key that matches entries never changes.
enum class Field {
    Name,     // element: its XML tag name
    Kind,     // element
    DataType, // element
    SubType,  // element: a collection's item type
    LocalTag, // element: its tag in the dictionary; member: the member's own tag
    Targets,  // element: a reference's target keys
    Element,  // member: the XML tag name of its element
    Required, // member: its required status
    Default,  // member: its default value
    Property  // element, set, member: one property, named by FieldChange::property
};

/// A field's value; std::monostate where the entry has none (no XML tag name,
/// sub type, local tag, targets or default). Texts are UTF-8.
using Value =
    std::variant<std::monostate, std::string, Query::ElementKind, Types::Identifier,
                 Types::LocalTag, KLV::KeyVector, MetaMetadata::AttributeRequiredStatus::Status>;

struct FieldChange {
    Field field;
    /// The property's key (UTF-8) for Field::Property; empty otherwise.
    std::string property;
    /// No value on the side where the field is absent (a property added or
    /// removed); every other field is present on both sides.
    std::optional<Value> before;
    std::optional<Value> after;
};

/// A set's member, identified by its element's label.
struct MemberDiff {
    Change change;
    Identifiers::Label label;
    /// The XML tag name of its element, else the member's own XML tag name or
    /// name in the MXF standard (its "XMLTagName", "name" properties); none
    /// when it has none of them.
    std::optional<std::string> name;
    std::vector<FieldChange> fields; // Changed only
};

/// An element (id: its label) or a set (id: its key).
struct EntryDiff {
    Change change;
    Identifiers::Label id;
    /// Its XML tag name, else its name in the MXF standard; none when it has neither.
    std::optional<std::string> name;
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
/// ones in the old order; the fields of a change in the order of Field, the
/// properties in the old order, then the ones only the new entry has. An
/// element hidden by a later one with the same label takes no part. Never
/// throws but for want of memory.
DictionaryDiff diffDictionaries(const MetaMetadata::Dictionary& before,
                                const MetaMetadata::Dictionary& after);

} // namespace Diff
} // namespace Palimo
