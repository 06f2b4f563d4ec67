#pragma once
// The options of mxfdict read, as its command line fills them.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace Mxfdict {

/// A file that cannot be opened or read, holds not even a header partition
/// pack that can be read, or lacks the partition asked for. A file that is
/// damaged beyond that is read as far as it can be: its problems exit with
/// ExitFindings.
constexpr int ExitUnreadable = 3;

struct ReadOptions {
    bool json = false;
    bool tree = false;
    bool regxml = false;
    bool summary = false;
    bool noFileDictionary = false; // decode by the loaded dictionary alone
    bool regxmlExtensions = false; // RegXML elements for the file's own definitions
    std::string partition = "best";
    std::string schema;
    CLI::Option* schemaGiven = nullptr; // not given: the default schema
    std::vector<std::string> files;
    std::string filesFrom; // "": none
    unsigned jobs = 0;     // 0: one a processor
    std::string outputDir; // "": RegXML to standard output
};

} // namespace Mxfdict
