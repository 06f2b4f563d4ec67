#pragma once
// The data type file of an imported schema set.
#include <string>

namespace Palimo {
namespace Registers {

/// MXFTypes.xsd: one simple type for every data type of the core library
/// that an element may have, the Ref type through which set declarations are
/// found, and the abstract bases of collections and references.
const std::string& dataTypesSchema();

} // namespace Registers
} // namespace Palimo
