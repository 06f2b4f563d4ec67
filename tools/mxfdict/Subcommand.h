#pragma once
// One subcommand of mxfdict: it declares its options on the command line and
// gives the function that runs it once the command line is parsed.
#include <CLI/CLI.hpp>

#include <functional>
#include <vector>

namespace Mxfdict {

/// Exit statuses shared by the subcommands: success (for diff and check also
/// "nothing to report"), a failed load (for diff: "the schemas differ"; also
/// a failed write of standard output), bad usage (for diff also a failed
/// load), a lookup that found nothing, findings (check and read), and memory
/// running out after the schema loaded (in every subcommand).
enum ExitStatus {
    ExitSuccess = 0,
    ExitLoadFailed = 1,
    ExitUsage = 2,
    ExitNotFound = 3,
    ExitFindings = 4,
    ExitOutOfMemory = 5
};
constexpr int ExitDiffer = 1;
constexpr int ExitWriteFailed = 1;

struct Subcommand {
    CLI::App* command = nullptr; // owned by the parent application
    std::function<int()> run;    // reads the options the command line filled
};

/// Sets the usage line of `command`'s help ("mxfdict lookup [OPTIONS] [SCHEMA]
/// KEY"), where CLI11's own would not say which positionals are required.
void setUsage(CLI::App& command, std::string usage);

/// Adds one subcommand to `app`.
using AddSubcommand = Subcommand (*)(CLI::App& app);

/// Every subcommand, in the order of the help text.
const std::vector<AddSubcommand>& subcommands();

} // namespace Mxfdict
