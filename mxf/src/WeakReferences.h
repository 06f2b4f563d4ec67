#pragma once
// Finding the sets that weak references refer to.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

namespace Palimo {
namespace MXF {

/// Fills DecodedItem::weakTargets of every item whose reference is Weak: a
/// weak reference of 16 bytes refers to the set whose InstanceID it holds,
/// if any (MXF stores PrimaryPackage and the type references of a
/// MetaDictionary so); else to the set whose identifying item
/// (TypeDictionary::uniqueIdentifier of its key) has its value. A weak
/// reference decoded by definition that holds its target's InstanceID gets
/// the value of the target's identifying item instead (the package's UMID,
/// the type's AUID), when the target has one.
void resolveWeakReferences(DecodedFile& file, const TypeDefinitions::TypeDictionary* types);

} // namespace MXF
} // namespace Palimo
