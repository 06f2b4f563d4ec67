#pragma once
// What every schema file read by the aggregator must pass, whichever parser
// builds its tree: only local regular files, bounded entity expansion and
// nesting, and an xs:schema root. The refusals name the file.
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/XercesDefs.hpp>

#include <Palimo/XMLUtils/Limits.h>

#include <cstdint>
#include <string>

namespace Palimo {
namespace XMLUtils {

/// What a file may cost once expanded, known from its bytes before it is
/// parsed (SchemaFileScan): the expansions its parser may perform.
struct EntityBudget {
    /// Characters that expanding entities may add: Limits::kEntityTextPerByte
    /// per byte of the file.
    std::uint64_t characters = 0;
    /// The longest replacement text (an upper bound) of the entities the file
    /// declares; 0 when it declares none.
    std::size_t longestEntity = 0;
    /// Expansions allowed: as many as fit into `characters` at the longest
    /// replacement text, at most Limits::kEntityExpansions.
    std::size_t expansions() const;
    /// Whether fewer expansions than Limits::kEntityExpansions are allowed
    /// because of the text limit.
    bool boundByText() const { return expansions() < Limits::kEntityExpansions; }
};

/// The first problem a parse reports, kept until the parse has ended, when
/// the file is refused with it.
class FirstProblem {
public:
    /// Keeps an error or fatal error at `line` and `column` unless one is kept.
    void error(const XMLCh* parserText, unsigned long long line, unsigned long long column);
    /// Keeps a request for an external entity or DTD unless one is kept.
    void entityRequest(const XMLCh* systemId, const XMLCh* publicId);

    /// Refuses the file if it reported an error, then if it asked for an
    /// entity. An error of too many entity expansions where `budget` allowed
    /// fewer than Limits::kEntityExpansions is refused as the text limit.
    void failIfAny(const std::string& path, const EntityBudget& budget) const;

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
/// so anything but a regular file is refused, and so is a file larger than
/// Limits::kFileSize (before it is read) and a file that cannot be read to
/// its end (the system's reason follows the file name).
std::string readSchemaFile(const std::string& path);

/// Refuses a root that is missing or is not the XML Schema `schema` element.
void checkSchemaRoot(const xercesc::DOMElement* root, const std::string& path);

/// The refusal of a file nested deeper than Limits::kNesting.
[[noreturn]] void failNesting(const std::string& path);

/// The refusal of an element with more than Limits::kAttributes attributes.
[[noreturn]] void failAttributes(const std::string& path);

/// The refusal of a file the parser gave up on with an exception.
[[noreturn]] void failParse(const std::string& path, const XMLCh* parserText);

} // namespace XMLUtils
} // namespace Palimo
