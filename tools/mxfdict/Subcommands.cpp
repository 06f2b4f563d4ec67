#include "Subcommand.h"

#include <memory>
#include <string>

namespace Mxfdict {

Subcommand addShowCommand(CLI::App& app);
Subcommand addLookupCommand(CLI::App& app);
Subcommand addDiffCommand(CLI::App& app);
Subcommand addCheckCommand(CLI::App& app);
Subcommand addReadCommand(CLI::App& app);
Subcommand addImportRegistersCommand(CLI::App& app);
Subcommand addExtractDictionaryCommand(CLI::App& app);

namespace {

class FixedUsage : public CLI::Formatter {
public:
    explicit FixedUsage(std::string usage) : usage_(std::move(usage)) {}
    std::string make_usage(const CLI::App*, std::string) const override {
        return "Usage: " + usage_ + "\n";
    }

private:
    std::string usage_;
};

} // namespace

void setUsage(CLI::App& command, std::string usage) {
    command.formatter(std::make_shared<FixedUsage>(std::move(usage)));
}

const std::vector<AddSubcommand>& subcommands() {
    static const std::vector<AddSubcommand> all = {
        addShowCommand,
        addLookupCommand,
        addDiffCommand,
        addCheckCommand,
        addReadCommand,
        addImportRegistersCommand,
        addExtractDictionaryCommand,
    };
    return all;
}

} // namespace Mxfdict
