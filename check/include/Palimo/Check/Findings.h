#pragma once
// What the load of a schema skips without a word, and what is probably a
// mistake in a dictionary: members that name no element, sets without a
// designator, references to no set, labels, keys and local tags used twice,
// elements that no set holds; and, for a load that fails on them, every
// declaration whose label, local tag or data type the loader cannot read.
//
// Each operation reads the schema's files itself, with a parser of its own:
// any number may run at once, also beside loads, as long as the files and the
// dictionary do not change meanwhile.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Check {

struct Finding {
    std::string kind;        // "unknownMember", "setWithoutKey", ...
    std::string declaration; // "set Preface", "element Foo", "reference declaration Bar"
    std::string file;        // the file that declares it; empty when not known
    int line = 0;            // the line of the declaration there; 0 when not known
    std::string message;     // what is wrong and what the load does with it
};

/// Every finding for the schema at `topFile`, whose load gave `dictionary`, in
/// a fixed order: sets, reference targets, elements, then unknown members.
/// Throws what the aggregation of the schema throws
/// (XMLUtils::SchemaAggregationError).
std::vector<Finding> checkSchema(const std::string& topFile,
                                 const MetaMetadata::Dictionary& dictionary);

/// The findings that stand for the failed load of `topFile`, when it failed
/// with `failure` on a "UL Designator" or "Local Tag" that is no label or tag,
/// or on a data type the loader does not know: every such declaration of the
/// schema, not only the first. None for other failures, and when the schema
/// cannot be read again. Never throws.
std::optional<std::vector<Finding>> findingsOfFailedLoad(const std::string& topFile,
                                                         const Exceptions::BaseException& failure);

} // namespace Check
} // namespace Palimo
