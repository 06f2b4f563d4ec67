#pragma once
// The sets that a reference element may point to: the element references of
// the choice in its anonymous type, then the members of their substitution
// groups, turned into the keys registered for those sets.
#include "schema/Schema.h"

#include <Palimo/KLV/Key.h>

#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

using TargetNames = std::vector<WString>;

/// Appends the `ref` names (without prefix) of the choice in the reference's
/// anonymous complex type, in document order, then the members of their
/// substitution groups (addSubstitutionMembers). Duplicates and abstract
/// group heads stay.
void gatherReferenceTargets(const Schema& schema, const xercesc::DOMElement* declaration,
                            TargetNames& names);
/// Walks `names` from the first, the list growing as it goes: for each name,
/// appends the `name` of every top-level element declaration (document order)
/// whose `substitutionGroup` without prefix equals it and whose `type` is
/// present and neither "Ref" nor "ff:Ref". Throws
/// InvalidMetaElementDeclaration when a member leads back to a group head it
/// descends from (the walk would never end); `referenceName` names the
/// reference declaration in that message.
void addSubstitutionMembers(const Schema& schema, TargetNames& names, const WString& referenceName);
/// Appends a copy of the registered key of every name that has one, in order;
/// names without a key are skipped.
void targetNamesToKeys(const SetKeys& setKeys, const TargetNames& names, KLV::KeyVector& keys);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
