// mxfdict diff: what changed from one dictionary to another.
#include "LoadDictionary.h"
#include "Subcommand.h"

#include <Palimo/Output/DiffOutput.h>

#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

struct DiffOptions {
    bool json = false;
    LoadOptions load;
    std::string before;
    std::string after;
};

int runDiff(const DiffOptions& options) {
    // Like diff(1): trouble is 2, a difference 1.
    const std::optional<LoadedDictionary> before = loadOrReport(options.before, options.load);
    if (!before)
        return ExitUsage;
    const std::optional<LoadedDictionary> after = loadOrReport(options.after, options.load);
    if (!after)
        return ExitUsage;
    const Palimo::Diff::DictionaryDiff diff =
        Palimo::Diff::diffDictionaries(*before->dictionary, *after->dictionary);
    if (options.json)
        Palimo::Output::writeDiffJson(std::cout, diff);
    else
        Palimo::Output::printDiff(std::cout, diff);
    return diff.empty() ? ExitSuccess : ExitDiffer;
}

} // namespace

Subcommand addDiffCommand(CLI::App& app) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* diff = app.add_subcommand(
        "diff", "List the elements and sets added, removed and changed from OLD to NEW");
    diff->footer("Exit status, as diff(1) gives it: 0 the dictionaries are the same, 1 they "
                 "differ or standard output could not be written, 2 a schema failed to load or "
                 "bad usage.");
    diff->add_flag("--json", options->json, "Write the differences as JSON");
    addLoaderSwitches(*diff, options->load);
    diff->add_option("OLD", options->before, "Top schema file of the old dictionary")
        ->required()
        ->check(schemaFileArgument());
    diff->add_option("NEW", options->after, "Top schema file of the new dictionary")
        ->required()
        ->check(schemaFileArgument());
    return {diff, [options] {
                return runDiff(*options);
            }};
}

} // namespace Mxfdict
