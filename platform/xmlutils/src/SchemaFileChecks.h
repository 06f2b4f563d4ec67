#pragma once
// What every schema file read by the aggregator must pass, whichever parser
// builds its tree: only local regular files, bounded entity expansion and
// nesting, and an xs:schema root. The refusals name the file.
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/XercesDefs.hpp>

#include <string>

namespace Palimo {
namespace XMLUtils {

/// Enough for any real dictionary, far below what exhausts memory: a
/// "billion laughs" document stops at this many expansions.
constexpr XMLSize_t kEntityExpansionLimit = 100000;

/// Far deeper than any schema nests, far shallower than what exhausts a
/// thread's stack in the DOM and XPath operations that recurse once per level.
constexpr int kNestingLimit = 1000;

/// The first problem a parse reports, kept until the parse has ended, when
/// the file is refused with it.
class FirstProblem {
public:
    /// Keeps an error or fatal error at `line` and `column` unless one is kept.
    void error(const XMLCh* parserText, unsigned long long line, unsigned long long column);
    /// Keeps a request for an external entity or DTD unless one is kept.
    void entityRequest(const XMLCh* systemId, const XMLCh* publicId);

    /// Refuses the file if it reported an error, then if it asked for an entity.
    void failIfAny(const std::string& path) const;

private:
    bool failed_ = false;
    unsigned long long line_ = 0;
    unsigned long long column_ = 0;
    std::string message_;
    bool entityRequested_ = false;
    std::string entity_;
};

/// Throws SchemaAggregationError with `message`.
[[noreturn]] void failSchemaFile(const std::string& message);

/// The bytes of the regular file at `path` (UTF-8). A device or a pipe named
/// by a schemaLocation ("/dev/zero", "/dev/stdin") would be read without end,
/// so anything but a regular file is refused.
std::string readSchemaFile(const std::string& path);

/// Refuses a root that is missing or is not the XML Schema `schema` element.
void checkSchemaRoot(const xercesc::DOMElement* root, const std::string& path);

/// The refusal of a file nested deeper than kNestingLimit.
[[noreturn]] void failNesting(const std::string& path);

/// The refusal of a file the parser gave up on with an exception.
[[noreturn]] void failParse(const std::string& path, const XMLCh* parserText);

} // namespace XMLUtils
} // namespace Palimo
