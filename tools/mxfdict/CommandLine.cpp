#include "CommandLine.h"

#include <CLI/CLI.hpp>

namespace Mxfdict {

namespace {

void addLoaderSwitches(CLI::App& app, LoadOptions& options) {
    app.add_flag("--documentation", options.documentation,
                 "Load each declaration's xs:documentation as its \"Documentation\" property");
    app.add_flag("--length-description", options.lengthDescription,
                 "Load each declaration's \"Length\" annotation as its \"LengthDescription\" "
                 "property");
}

} // namespace

std::optional<int> parseCommandLine(int argc, char** argv, Command& command) {
    CLI::App app{"Loads MXF metadata dictionaries written as XML Schema and shows, searches "
                 "and compares them.",
                 "mxfdict"};
    app.footer("Exit status: 0 success, 1 a schema failed to load, 2 bad usage, 3 lookup found "
               "nothing.\ndiff: 0 the dictionaries are the same, 1 they differ, 2 a schema "
               "failed to load or bad usage.");
    app.require_subcommand(1);

    CLI::App* show = app.add_subcommand(
        "show", "Print a summary and every set and element (default: the shipped example)");
    show->add_flag("--json", command.json, "Write the whole dictionary as JSON instead");
    addLoaderSwitches(*show, command.options);
    show->add_option("SCHEMA", command.schema, "Top schema file");

    CLI::App* lookup = app.add_subcommand(
        "lookup", "Find an element or set by universal label, local tag or name");
    addLoaderSwitches(*lookup, command.options);
    lookup->add_option("SCHEMA", command.schema, "Top schema file")->required();
    lookup
        ->add_option(
            "KEY", command.key,
            "A label (06.0e.2b.34...; a different version byte still matches), a "
            "local tag (3c.0a) or a name (XML tag name, or the name the MXF standard uses)")
        ->required();

    CLI::App* diff = app.add_subcommand(
        "diff", "List the elements and sets added, removed and changed from OLD to NEW");
    addLoaderSwitches(*diff, command.options);
    diff->add_option("OLD", command.schema, "Top schema file of the old dictionary")->required();
    diff->add_option("NEW", command.newSchema, "Top schema file of the new dictionary")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? ExitSuccess : ExitUsage;
    }
    if (show->parsed())
        command.kind = Command::Show;
    else if (lookup->parsed())
        command.kind = Command::Lookup;
    else
        command.kind = Command::Diff;
    return std::nullopt;
}

} // namespace Mxfdict
