#pragma once
// Bash completion of mxfdict's subcommands and options, written from its
// command line, so that it knows every option the help lists.
#include <CLI/CLI.hpp>

#include <ostream>

namespace Mxfdict {

/// Writes a bash completion script for `app`: subcommands and the program's
/// options in the first word, each subcommand's options after it, file
/// names elsewhere.
void writeBashCompletion(std::ostream& out, const CLI::App& app);

} // namespace Mxfdict
