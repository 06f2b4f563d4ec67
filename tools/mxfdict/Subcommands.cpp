#include "Subcommand.h"

namespace Mxfdict {

Subcommand addShowCommand(CLI::App& app);
Subcommand addLookupCommand(CLI::App& app);
Subcommand addDiffCommand(CLI::App& app);
Subcommand addCheckCommand(CLI::App& app);
Subcommand addReadCommand(CLI::App& app);
Subcommand addImportRegistersCommand(CLI::App& app);

const std::vector<AddSubcommand>& subcommands() {
    static const std::vector<AddSubcommand> all = {
        addShowCommand,  addLookupCommand, addDiffCommand,
        addCheckCommand, addReadCommand,   addImportRegistersCommand,
    };
    return all;
}

} // namespace Mxfdict
