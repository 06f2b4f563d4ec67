#pragma once
// The forms of a read MXF file's header metadata that mxfdict read writes:
// readable text, the tree of strong references, and JSON.
//
// Threads: the writers only read the file; any number may write at once,
// each to its own stream (the same file or different ones).

#include <Palimo/MXF/DecodedFile.h>

#include <ostream>
#include <string>

namespace Palimo {
namespace Output {

/// The partition, the primer, every set with its items, then the problems,
/// written as they are made, never held whole. With
/// `tree`, the sets in the tree of strong references from the sets that
/// nothing owns, each under the item that refers to it, indented by depth
/// up to 16 levels (deeper lines are indented as the 16th and start with
/// "[depth N] "). The path, names, values, notes and messages are written
/// with every character that could control a terminal escaped
/// (TerminalText.h); a path that needs an escape is quoted. Gathers the text
/// in 64 KiB pieces before it reaches `out`; the stream's failures are left
/// to the caller.
void printRead(std::ostream& out, const std::string& path, const MXF::DecodedFile& file, bool tree);

/// {"formatVersion", "file", "partition", "primer", "sets", ["tree",] "problems"}
/// written to `out` as it is made, never held whole: indented two spaces a
/// level, or with `compact` on one line (JSON Lines); a newline ends it
/// (JsonStreamWriter). What is no UTF-8 in a text is written as U+FFFD.
void writeReadJson(std::ostream& out, const std::string& path, const MXF::DecodedFile& file,
                   bool tree, bool compact);

} // namespace Output
} // namespace Palimo
