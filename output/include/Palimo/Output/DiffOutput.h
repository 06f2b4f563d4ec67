#pragma once
// What changed from one dictionary to another, as mxfdict diff writes it: as
// text or as JSON.
//
// Threads: the writers only read the diff; any number may write at once, each
// to its own stream.
#include <Palimo/Diff/DictionaryDiff.h>

#include <ostream>

namespace Palimo {
namespace Output {

/// "+ element <ul> <name>", "- set <key> <name>", "~ ..." with one indented
/// line per change ("FIELD: BEFORE -> AFTER", "(absent)" for no value); the
/// values on one line as the JSON form of the dictionary writes them.
void printDiff(std::ostream& out, const Diff::DictionaryDiff& diff);

/// {"formatVersion", "elements": [{"change", "ul", "name", "fields"}], "sets": [{"change",
/// "key", "name", "fields", "members", "memberOrderChanged"}]}, indented
/// (JsonStreamWriter). A field is {"field", ["before"], ["after"]}.
void writeDiffJson(std::ostream& out, const Diff::DictionaryDiff& diff);

} // namespace Output
} // namespace Palimo
