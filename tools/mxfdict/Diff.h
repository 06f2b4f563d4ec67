#pragma once
// The output of mxfdict diff: what changed from one dictionary to another, as
// text or JSON.
#include "JsonOutput.h"

#include <Palimo/Diff/DictionaryDiff.h>

#include <ostream>

namespace Mxfdict {

/// "+ element <ul> <name>", "- set <key> <name>", "~ ..." with one indented
/// line per change; values as in the JSON form of the dictionary.
void printDiff(std::ostream& out, const Palimo::Diff::DictionaryDiff& diff);

/// {"formatVersion", "elements": [{"change", "ul", "name", "fields"}], "sets": [{"change",
/// "key", "name", "fields", "members", "memberOrderChanged"}]}
Json diffToJson(const Palimo::Diff::DictionaryDiff& diff);

} // namespace Mxfdict
