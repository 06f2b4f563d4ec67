// mxfdict show: the whole dictionary, readable or as JSON.
#include "LoadDictionary.h"
#include "Subcommand.h"

#include <Palimo/Output/DictionaryJson.h>
#include <Palimo/Output/DictionaryText.h>

#include <iomanip>
#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

struct ShowOptions {
    bool json = false;
    LoadOptions load;
    std::string schema;
    CLI::Option* schemaGiven = nullptr; // not given: the default schema
};

int runShow(const ShowOptions& options) {
    const std::string path = options.schemaGiven->count() ? options.schema : defaultSchema();
    const std::optional<LoadedDictionary> loaded = loadOrReport(path, options.load);
    if (!loaded)
        return ExitLoadFailed;
    // On standard error, so that two outputs compare with diff(1).
    std::cerr << "Load time: " << std::fixed << std::setprecision(1) << loaded->loadTime.count()
              << " ms\n";
    if (options.json) {
        Palimo::Output::writeDictionaryJson(std::cout, *loaded->dictionary, loaded->types.get());
    } else {
        Palimo::Output::printDictionarySummary(std::cout, loaded->path, *loaded->dictionary);
        Palimo::Output::printDictionary(std::cout, *loaded->dictionary, loaded->types.get());
    }
    return ExitSuccess;
}

} // namespace

Subcommand addShowCommand(CLI::App& app) {
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = app.add_subcommand(
        "show", "Print a summary and every set and element of a dictionary (default: "
                "$MXFDICT_SCHEMA, else the shipped example); the load time goes to standard "
                "error");
    show->footer("Exit status: 0 shown, 1 the schema failed to load or standard output could "
                 "not be written, 2 bad usage.\n" +
                 std::string(kDefaultSchemaNote));
    show->add_flag("--json", options->json, "Write the whole dictionary as JSON instead");
    addLoaderSwitches(*show, options->load);
    options->schemaGiven =
        show->add_option("SCHEMA", options->schema,
                         "Top schema file (default: $MXFDICT_SCHEMA, else the shipped example)")
            ->check(schemaFileArgument());
    return {show, [options] {
                return runShow(*options);
            }};
}

} // namespace Mxfdict
