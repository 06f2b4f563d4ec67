#pragma once
// The type definition file of an imported schema set.
#include "SchemaModel.h"

#include <string>

namespace Palimo {
namespace Registers {

extern const char kTypeDefinitionsFileName[]; // "MXFTypeDefinitions.xsd"

/// MXFTypeDefinitions.xsd: the model's type definitions in the namespace of
/// the Types register (its default namespace, so that types name each other
/// without a prefix), by UL, and the "Label Names" annotation when the model
/// has label names. The form is that of docs/type-definitions.md.
std::string typeDefinitionsSchema(const SchemaModel& model);

} // namespace Registers
} // namespace Palimo
