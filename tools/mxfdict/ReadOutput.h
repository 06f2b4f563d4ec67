#pragma once
// The forms of a read MXF file's header metadata that mxfdict read writes:
// readable text, the tree of strong references, and JSON.
#include "JsonOutput.h"

#include <Palimo/MXF/DecodedFile.h>

#include <ostream>
#include <string>

namespace Mxfdict {

/// The partition, the primer, every set with its items, then the problems.
/// With `tree`, the sets in the tree of strong references from the sets that
/// nothing owns, each under the item that refers to it.
void printRead(std::ostream& out, const std::string& path, const Palimo::MXF::DecodedFile& file,
               bool tree);

/// {"formatVersion", "file", "partition", "primer", "sets", ["tree",] "problems"}
Json readToJson(const std::string& path, const Palimo::MXF::DecodedFile& file, bool tree);

/// The document of readToJson written to `out`: indented as writeJson writes
/// it, or with `compact` on one line (JSON Lines), ending in a newline.
void writeReadJson(std::ostream& out, const std::string& path,
                   const Palimo::MXF::DecodedFile& file, bool tree, bool compact);

} // namespace Mxfdict
