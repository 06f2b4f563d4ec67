#pragma once
// mxfdict read on any number of files: the dictionary loaded once, the files
// read on several threads, each file's output written in the order of the
// files, and the exit status of the worst file.
#include "LoadDictionary.h"
#include "ReadOptions.h"

#include <string>
#include <vector>

namespace Mxfdict {

/// The files of one call and where their outputs go.
struct FilePlan {
    std::vector<std::string> files;
    std::vector<std::string> documents; // of --output-dir, a file; "" for standard output
    bool several = false;               // more than one FILE, or --files-from
    /// Not ExitSuccess: the plan cannot be carried out (reported on standard
    /// error): bad usage, or an output directory that cannot be made.
    int status = 0;
};

/// The plan of the files that `options` name, checked before anything is
/// loaded or read.
FilePlan planFiles(const ReadOptions& options);

/// Reads the files of `plan` with `loaded`, as mxfdict read does. The exit
/// status is the worst of the files': 1 when an output could not be written
/// (standard output, or a RegXML document), else 3 when a file could not be
/// read, else 4 when a file has problems, else 0.
int readFiles(const ReadOptions& options, const FilePlan& plan, const LoadedDictionary& loaded);

/// Of two exit statuses of files, the worse (1, then 3, then 4, then 0).
int worseStatus(int a, int b);

} // namespace Mxfdict
