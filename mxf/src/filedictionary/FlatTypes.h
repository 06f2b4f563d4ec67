#pragma once
// The flat data type of the core library that a register type definition
// maps onto, as the register import maps the registers' types: known types by
// their labels, integers by size and sign, renames and enumerations to what
// they rename, arrays and sets to Array and Batch of their items' type,
// references to StrongReference and WeakReference; DataValue for what has no
// core type (other records, strings of other characters, arrays of arrays).
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>

namespace Palimo {
namespace MXF {
namespace Definitions {

/// The flat type of `type`; its reference targets are the type's target key,
/// to be checked by the caller.
FlatType flatType(const TypeDefinitions::TypeDefinition& type);

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
