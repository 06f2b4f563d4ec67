#pragma once
// The search for the place of a failed load, in a schema set already read.
#include "SchemaSet.h"

#include <Palimo/Check/FailureLocation.h>

#include <optional>

namespace Palimo {
namespace Check {

/// What kind of failure a load reported, as far as the search cares.
enum class FailureKind { Declaration, Label, Text, Check, Query, File };

/// None for failures that concern no declaration and no directive: the files
/// are then not read.
std::optional<FailureKind> failureKind(const Exceptions::BaseException& failure);

/// The search of locateLoadFailure in `schema`, for a failure of `kind`.
std::optional<FailurePlace> locateLoadFailure(const SchemaSet& schema, FailureKind kind,
                                              const Exceptions::BaseException& failure);

} // namespace Check
} // namespace Palimo
