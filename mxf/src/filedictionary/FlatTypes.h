#pragma once
// The flat data type of the core library that a type definition of a file's
// own dictionary maps onto: by the rules the register import maps the
// registers' types with (CoreTypeMapping.h).
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
