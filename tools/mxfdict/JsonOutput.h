#pragma once
// What every --json output of the tool shares: the format version first, and
// one document per run, indented, ending with a newline. The shipped JSON
// Schema (mxfdict-output.schema.json) describes every subcommand's document;
// the version changes whenever a document changes incompatibly.
#include <nlohmann/json.hpp>

#include <ostream>

namespace Mxfdict {

using Json = nlohmann::ordered_json;

constexpr int kJsonFormatVersion = 2;

/// {"formatVersion": 2}, to which a subcommand adds its own members.
Json jsonDocument();

void writeJson(std::ostream& out, const Json& document);

} // namespace Mxfdict
