#pragma once
// An entry as the fields a diff compares, and the changes between two such
// descriptions.
#include <Palimo/Diff/DictionaryDiff.h>
#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>

#include <string>
#include <vector>

namespace Palimo {
namespace Diff {

struct DescribedField {
    Field field;
    std::string property; // Field::Property only
    Value value;
};

/// The fields in the order of Field; properties in order of addition.
using Description = std::vector<DescribedField>;

Description describeElement(const MetaMetadata::MetaElement& element,
                            const MetaMetadata::Dictionary& dictionary);
/// The set's own fields, without its members.
Description describeSet(const MetaMetadata::MetaMetadataSet& set);
Description describeMember(const MetaMetadata::MetaAttribute& member);

/// The fields of `before` whose value differs in `after`, in the order of
/// `before`, then the fields only `after` has.
std::vector<FieldChange> fieldChanges(const Description& before, const Description& after);

} // namespace Diff
} // namespace Palimo
