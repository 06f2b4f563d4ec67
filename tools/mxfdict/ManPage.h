#pragma once
// The manual page of mxfdict, written from the help texts of its command line
// (descriptions, options, usage lines and footers), so that the two never
// say different things.
#include <CLI/CLI.hpp>

#include <ostream>

namespace Mxfdict {

/// Writes the roff source of mxfdict(1) for `app` and its subcommands.
void writeManPage(std::ostream& out, const CLI::App& app, const std::string& version);

} // namespace Mxfdict
