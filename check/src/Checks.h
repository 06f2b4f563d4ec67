#pragma once
// The checks of a schema set read again, for the public operations.
#include "SchemaSet.h"

#include <Palimo/Check/Findings.h>

#include <vector>

namespace Palimo {
namespace Check {

/// The findings that stand for a failed load: every declaration whose
/// "UL Designator" or "Local Tag" is no label or tag, and every element
/// declaration whose data type the loader does not know.
std::vector<Finding> checkLabelsAndTypes(const SchemaSet& schema);

} // namespace Check
} // namespace Palimo
