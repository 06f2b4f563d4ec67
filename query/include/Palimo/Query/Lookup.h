#pragma once
// Finding a dictionary's elements and sets by any key a person may type: a
// universal label, a local tag or a name.
//
// A loaded dictionary is read-only: lookup and setsHolding only read it, so any
// number of them may run at once on one dictionary (on many threads), as long
// as nothing modifies the dictionary meanwhile. Their results point into the
// dictionary and are valid while it lives.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Query {

/// The form in which a key matched; Nothing when nothing matched.
enum class MatchedBy { Nothing, Label, LocalTag, Name };

struct LookupResult {
    MatchedBy matchedBy = MatchedBy::Nothing;

    /// Label matches: the label the key reads as.
    std::optional<Identifiers::Label> label;
    /// Label matches: whether the element (elements[0]), the set (sets[0])
    /// matched only when the version byte (byte 8) was ignored.
    bool elementIgnoringVersion = false;
    bool setIgnoringVersion = false;

    /// Local tag matches: the tag, and the label the dictionary maps it to (which
    /// may be the label of no element; then `elements` is empty).
    std::optional<Types::LocalTag> localTag;
    const Types::UniversalLabel* tagLabel = nullptr;

    /// Name matches: whether the name matched only when case was ignored.
    bool nameIgnoringCase = false;

    /// Elements in order of addition, then sets in order of addition.
    std::vector<const MetaMetadata::MetaElement*> elements;
    std::vector<const MetaMetadata::MetaMetadataSet*> sets;

    /// Whether the match needed no looser rule.
    bool exact() const {
        return !elementIgnoringVersion && !setIgnoringVersion && !nameIgnoringCase;
    }
};

/// Tries `key` in turn as:
/// - a label, in any text form Identifiers::Label::parse reads: the element
///   and the set with that label or key; when there is none, one that differs
///   only in the version byte (byte 8);
/// - a local tag, in any form Identifiers::parseLocalTag reads: the label the
///   dictionary maps the tag to, and the element with that label;
/// - a name (the XML tag name, or the name in the MXF standard, the "name"
///   property): the elements and sets of that name, exactly, else ignoring
///   case (ASCII letters). An element hidden by a later one with the same
///   label is not found.
/// The first form that finds something gives the result. Never throws but for
/// want of memory.
LookupResult lookup(const MetaMetadata::Dictionary& dictionary, const std::string& key);

/// The sets that hold `element` (a member with its label), in order of
/// addition of the sets.
std::vector<const MetaMetadata::MetaMetadataSet*>
setsHolding(const MetaMetadata::Dictionary& dictionary, const MetaMetadata::MetaElement& element);

} // namespace Query
} // namespace Palimo
