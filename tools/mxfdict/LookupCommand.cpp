// mxfdict lookup: elements and sets by label, local tag or name.
#include "LoadDictionary.h"
#include "Subcommand.h"

#include <Palimo/Output/LookupOutput.h>

#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

struct LookupOptions {
    bool json = false;
    LoadOptions load;
    std::string first;  // SCHEMA, or KEY when it is the only argument
    std::string second; // KEY after a SCHEMA
    CLI::Option* firstGiven = nullptr;
    CLI::Option* secondGiven = nullptr;
};

// What CLI11 would say of the arguments, had it known which is which; empty
// when they can be used.
std::string refusedArguments(bool schemaGiven, bool keyGiven, const std::string& schema,
                             const std::string& key) {
    if (!keyGiven)
        return "KEY is required";
    if (schemaGiven && !refusedSchemaArgument(schema).empty())
        return "SCHEMA: " + refusedSchemaArgument(schema);
    return key.empty() ? "KEY: the argument is empty" : std::string();
}

int runLookup(const LookupOptions& options) {
    // CLI11 fills positionals from the left: one argument is the key alone.
    const bool schemaGiven = options.secondGiven->count() > 0;
    const std::string schema = schemaGiven ? options.first : defaultSchema();
    const std::string& key = schemaGiven ? options.second : options.first;
    const std::string refused =
        refusedArguments(schemaGiven, options.firstGiven->count() > 0, schema, key);
    if (!refused.empty()) {
        std::cerr << refused << "\nRun with --help for more information.\n";
        return ExitUsage;
    }
    const std::optional<LoadedDictionary> loaded = loadOrReport(schema, options.load);
    if (!loaded)
        return ExitLoadFailed;
    const Palimo::Query::LookupResult result = Palimo::Query::lookup(*loaded->dictionary, key);
    for (const std::string& note : Palimo::Output::lookupNotes(key, result))
        std::cerr << "note: " << note << '\n';
    if (options.json)
        Palimo::Output::writeLookupJson(std::cout, *loaded->dictionary, loaded->types.get(), key,
                                        result);
    else
        Palimo::Output::printLookup(std::cout, *loaded->dictionary, loaded->types.get(), result);
    if (result.matchedBy != Palimo::Query::MatchedBy::Nothing)
        return ExitSuccess;
    std::cerr << "mxfdict: nothing in " << schema << " matches " << key << '\n';
    return ExitNotFound;
}

} // namespace

Subcommand addLookupCommand(CLI::App& app) {
    auto options = std::make_shared<LookupOptions>();
    CLI::App* lookup = app.add_subcommand(
        "lookup", "Find an element or set by universal label, local tag or name; an element "
                  "is shown with the sets that hold it");
    setUsage(*lookup, "mxfdict lookup [OPTIONS] [SCHEMA] KEY");
    lookup->footer("Exit status: 0 found, 1 the schema failed to load or standard output could "
                   "not be written, 2 bad usage, 3 nothing matches.\n" +
                   std::string(kDefaultSchemaNote));
    lookup->add_flag("--json", options->json, "Write the matches as JSON");
    addLoaderSwitches(*lookup, options->load);
    options->firstGiven =
        lookup->add_option("SCHEMA", options->first,
                           "Top schema file (default: $MXFDICT_SCHEMA, else the shipped example)");
    options->secondGiven =
        lookup->add_option("KEY", options->second,
                           "A label: 06.0e.2b.34.01..., 060e2b3401... or "
                           "urn:smpte:ul:060e2b34.0101...; a different version byte (byte 8) still "
                           "matches, with a note on standard error. A local tag: 3c.0a, 3c0a, "
                           "0x3c0a. Or a name: XML tag name, or the name the MXF standard uses; "
                           "exactly, else ignoring case (with a note). Hex digits of either case. "
                           "Required.");
    return {lookup, [options] {
                return runLookup(*options);
            }};
}

} // namespace Mxfdict
