#pragma once
// A look at a schema file's bytes before Xerces parses them, for what Xerces
// would otherwise pay for before anything can refuse it: an element with
// thousands of attributes (each filed by a linear search) and entities whose
// expansions multiply the file.
#include "SchemaFileChecks.h"

#include <string>

namespace Palimo {
namespace XMLUtils {

/// What the scan of a file's bytes tells.
struct ScannedSchemaFile {
    /// The text limit and the longest entity value literal of the internal
    /// DTD subset.
    EntityBudget budget;
    /// Where the root element's content lies, as byte offsets: after the
    /// root's start tag, and at its end tag (the file's last end tag). Both 0
    /// when the root is written empty or the scan finds no such span; a span
    /// found in malformed markup may be wrong, and a parse refuses it.
    std::size_t contentBegin = 0;
    std::size_t contentEnd = 0;
    bool hasContent() const { return contentEnd > contentBegin; }
};

/// Scans `bytes`, the file at `path`, in one linear pass over its markup
/// (in UTF-8 or another ASCII-compatible encoding, UTF-16 or UTF-32, told by
/// the byte order mark or the first characters as Xerces tells them). Refuses
/// an element written with more than Limits::kAttributes attributes and a
/// file in EBCDIC. Markup the scan misreads is malformed, and Xerces refuses
/// it.
ScannedSchemaFile scanSchemaFile(const std::string& bytes, const std::string& path);

} // namespace XMLUtils
} // namespace Palimo
