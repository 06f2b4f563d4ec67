#pragma once
// What a load skips without a word, and what is probably a mistake in a
// dictionary: members that name no element, sets without a designator,
// references to no set, labels, keys and local tags used twice, elements that
// no set uses. The load's own behaviour is not changed; this reads the same
// schema a second time, straight from its DOM, beside the loaded dictionary.
#include "SchemaFiles.h"

#include <Palimo/MetaMetadata/Dictionary.h>

#include <string>
#include <vector>

namespace Mxfdict {

struct Finding {
    std::string kind;        // "unknownMember", "setWithoutKey", ... (see the JSON Schema)
    std::string declaration; // "set Preface", "element Foo", "reference declaration Bar"
    std::string file;        // the file that declares it; empty when not known
    int line = 0;            // the line of the declaration there; 0 when not known
    std::string message;     // what is wrong and what the load does with it
};

/// The findings that stand for a failed load: every declaration whose
/// "UL Designator" or "Local Tag" is no label or tag, and every element
/// declaration whose data type the loader does not know.
std::vector<Finding> checkLabelsAndTypes(const SchemaFiles& files);

/// Every finding for the schema at `topFile`, whose load gave `dictionary`.
/// Throws what the aggregator throws (it already read the files once).
std::vector<Finding> checkSchema(const std::string& topFile,
                                 const Palimo::MetaMetadata::Dictionary& dictionary);

} // namespace Mxfdict
