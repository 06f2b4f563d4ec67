#pragma once
// The bounds within which the aggregator reads a schema, so that a hostile or
// broken one costs time and memory in proportion to its size. A schema
// beyond one of them is refused with a SchemaAggregationError that names the
// file and the limit; hosts can quote these values to their users.
#include <cstddef>
#include <cstdint>

namespace Palimo {
namespace XMLUtils {
namespace Limits {

/// Bytes of one schema file (256 MiB, sixteen times the largest dictionary
/// measured). Checked before the file is read, so that a sparse or growing
/// file never fills memory.
constexpr std::uint64_t kFileSize = 256ull * 1024 * 1024;

/// Levels of xs:include, xs:import and xs:redefine from the top file down
/// (the top file is level 0).
constexpr std::size_t kIncludeDepth = 1000;

/// Elements nested in one file: far deeper than any schema nests, far
/// shallower than what exhausts a thread's stack in the DOM and XPath
/// operations that recurse once per level.
constexpr std::size_t kNesting = 1000;

/// Attributes, namespace declarations included, on one element of a file:
/// Xerces files each attribute by a linear search of those of its element.
constexpr std::size_t kAttributes = 1000;

/// Namespace declarations that the standalone document's root receives from
/// the roots of all files together.
constexpr std::size_t kRootNamespaceDeclarations = 16384;

/// Entity expansions in one file: a "billion laughs" document stops here.
constexpr std::size_t kEntityExpansions = 100000;

/// Characters that expanding entities may add to one file, per byte of the
/// file. The bound is taken as (expansions) x (longest replacement text the
/// file declares), so that it holds before anything is expanded.
constexpr std::size_t kEntityTextPerByte = 16;

/// Characters of a text taken from a schema (a name, a label, a location)
/// that a message quotes; a longer text is quoted up to here, followed by a
/// note of its full length.
constexpr std::size_t kQuotedText = 256;

} // namespace Limits
} // namespace XMLUtils
} // namespace Palimo
