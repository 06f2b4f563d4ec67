#pragma once
// The command line of mxfdict.
#include "LoadDictionary.h"

#include <optional>
#include <string>

namespace Mxfdict {

/// Exit statuses: success (and, for diff, "no difference"), a failed load
/// (for diff: "the schemas differ"), bad usage (for diff also a failed load),
/// and a lookup that found nothing.
enum ExitStatus { ExitSuccess = 0, ExitLoadFailed = 1, ExitUsage = 2, ExitNotFound = 3 };
constexpr int ExitDiffer = 1;

struct Command {
    enum Kind { Show, Lookup, Diff };
    Kind kind = Show;
    bool json = false;     // show: JSON instead of the readable form
    LoadOptions options;   // the loader's switches
    std::string schema;    // show (empty: the shipped example), lookup; diff: OLD
    std::string newSchema; // diff: NEW
    std::string key;       // lookup: label, local tag or name
};

/// Fills `command` from the arguments. Returns the exit status when the
/// program should stop now (help was printed: 0; bad usage, reported on
/// standard error: 2), nothing when the command is to run.
std::optional<int> parseCommandLine(int argc, char** argv, Command& command);

} // namespace Mxfdict
