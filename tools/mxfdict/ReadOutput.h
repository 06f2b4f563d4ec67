#pragma once
// The forms of a read MXF file's header metadata that mxfdict read writes:
// readable text, the tree of strong references, and JSON. Any number of
// threads may write at once, each its own file to its own stream.
#include "JsonOutput.h"

#include <Palimo/MXF/DecodedFile.h>

#include <ostream>
#include <string>

namespace Mxfdict {

/// The partition, the primer, every set with its items, then the problems,
/// written as they are made, never held whole. With
/// `tree`, the sets in the tree of strong references from the sets that
/// nothing owns, each under the item that refers to it, indented by depth
/// up to 16 levels (deeper lines are indented as the 16th and start with
/// "[depth N] "). The path, names, values, notes and messages are written
/// with every character that could control a terminal escaped
/// (TerminalText.h); a path that needs an escape is quoted.
void printRead(std::ostream& out, const std::string& path, const Palimo::MXF::DecodedFile& file,
               bool tree);

/// {"formatVersion", "file", "partition", "primer", "sets", ["tree",] "problems"}
/// written to `out` as it is made, never held whole: indented as writeJson
/// writes a document, or with `compact` on one line (JSON Lines); a newline
/// ends it. What is no UTF-8 in a text is written as U+FFFD.
void writeReadJson(std::ostream& out, const std::string& path, const Palimo::MXF::DecodedFile& file,
                   bool tree, bool compact);

} // namespace Mxfdict
