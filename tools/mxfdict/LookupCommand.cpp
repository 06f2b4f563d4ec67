// mxfdict lookup: elements and sets by label, local tag or name.
#include "LoadDictionary.h"
#include "Lookup.h"
#include "Subcommand.h"

#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

struct LookupOptions {
    bool json = false;
    LoadOptions load;
    std::string schema;
    std::string key;
};

int runLookup(const LookupOptions& options) {
    const std::optional<LoadedDictionary> loaded = loadOrReport(options.schema, options.load);
    if (!loaded)
        return ExitLoadFailed;
    const LookupResult result = lookup(*loaded->dictionary, options.key);
    for (const std::string& note : result.notes)
        std::cerr << "note: " << note << '\n';
    if (options.json)
        writeJson(std::cout,
                  lookupToJson(*loaded->dictionary, loaded->types.get(), options.key, result));
    else
        printLookup(std::cout, *loaded->dictionary, loaded->types.get(), result);
    if (!result.matchedBy.empty())
        return ExitSuccess;
    std::cerr << "mxfdict: nothing in " << options.schema << " matches " << options.key << '\n';
    return ExitNotFound;
}

} // namespace

Subcommand addLookupCommand(CLI::App& app) {
    auto options = std::make_shared<LookupOptions>();
    CLI::App* lookup = app.add_subcommand(
        "lookup", "Find an element or set by universal label, local tag or name; an element "
                  "is shown with the sets that hold it");
    lookup->add_flag("--json", options->json, "Write the matches as JSON");
    addLoaderSwitches(*lookup, options->load);
    lookup->add_option("SCHEMA", options->schema, "Top schema file")->required();
    lookup
        ->add_option("KEY", options->key,
                     "A label: 06.0e.2b.34.01..., 060e2b3401... or "
                     "urn:smpte:ul:060e2b34.0101...; a different version byte (byte 8) still "
                     "matches, with a note on standard error. A local tag: 3c.0a, 3c0a, "
                     "0x3c0a. Or a name: XML tag name, or the name the MXF standard uses; "
                     "exactly, else ignoring case (with a note). Hex digits of either case.")
        ->required();
    return {lookup, [options] {
                return runLookup(*options);
            }};
}

} // namespace Mxfdict
