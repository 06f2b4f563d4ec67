#pragma once
// A look at a schema file's bytes before Xerces parses them, for what Xerces
// would otherwise pay for before anything can refuse it: an element with
// thousands of attributes (each filed by a linear search) and entities whose
// expansions multiply the file.
#include "SchemaFileChecks.h"

#include <string>

namespace Palimo {
namespace XMLUtils {

/// Scans `bytes`, the file at `path`, in one linear pass over its markup
/// (in UTF-8 or another ASCII-compatible encoding, UTF-16 or UTF-32, told by
/// the byte order mark or the first characters as Xerces tells them). Refuses
/// an element written with more than Limits::kAttributes attributes and a
/// file in EBCDIC, and gives the entity budget of the file: its text limit
/// and the longest entity value literal in its internal DTD subset. Markup
/// the scan misreads is malformed, and Xerces refuses it.
EntityBudget scanSchemaFile(const std::string& bytes, const std::string& path);

} // namespace XMLUtils
} // namespace Palimo
