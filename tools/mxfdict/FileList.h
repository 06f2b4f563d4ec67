#pragma once
// The files one call of mxfdict read reads, and where their RegXML documents
// go.
#include <string>
#include <vector>

namespace Mxfdict {

struct FileList {
    std::vector<std::string> files;
    std::string error; // why the list cannot be had: bad usage; "" when it can
};

/// The FILE arguments, then the paths of `list` (one a line; empty lines left
/// out; "-" reads standard input), when one is given. "-" (standard input)
/// may be read once only: as a file or as the list.
FileList gatherFiles(const std::vector<std::string>& arguments, const std::string& list);

struct DocumentPaths {
    std::vector<std::string> paths;
    std::string error; // two files whose documents would have one name
};

/// The path in `dir` of each file's RegXML document: the file's name with
/// ".xml" in place of its extension ("standard-input.xml" for "-").
DocumentPaths documentPaths(const std::vector<std::string>& files, const std::string& dir);

} // namespace Mxfdict
