// mxfdict: shows, searches and compares MXF metadata dictionaries loaded from
// XML Schema files.
#include "CommandLine.h"
#include "Diff.h"
#include "JsonExport.h"
#include "LoadDictionary.h"
#include "Lookup.h"
#include "TextDump.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

namespace {

using namespace Mxfdict;

// Loads one schema; on failure reports it on standard error and gives nothing.
std::optional<LoadedDictionary> loadOrReport(const std::string& path, const LoadOptions& options) {
    try {
        return loadDictionary(path, options);
    } catch (...) {
        std::cerr << "mxfdict: cannot load " << path << ": "
                  << describeFailure(std::current_exception()) << '\n';
        return std::nullopt;
    }
}

// The shipped example: the copy installed with the tool when this tool is an
// installed one, else the one in the source tree it was built from.
std::string exampleSchema() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path installed =
            (executable.parent_path() / MXFDICT_INSTALLED_EXAMPLE).lexically_normal();
        if (fs::exists(installed, error))
            return installed.string();
    }
    return MXFDICT_EXAMPLE_SCHEMA;
}

int runShow(const Command& command) {
    const std::string path = command.schema.empty() ? exampleSchema() : command.schema;
    const std::optional<LoadedDictionary> loaded = loadOrReport(path, command.options);
    if (!loaded)
        return ExitLoadFailed;
    if (command.json) {
        std::cout << dictionaryToJson(*loaded->dictionary).dump(2) << '\n';
    } else {
        printSummary(std::cout, *loaded);
        printDictionary(std::cout, *loaded->dictionary);
    }
    return ExitSuccess;
}

int runLookup(const Command& command) {
    const std::optional<LoadedDictionary> loaded = loadOrReport(command.schema, command.options);
    if (!loaded)
        return ExitLoadFailed;
    if (lookup(std::cout, *loaded->dictionary, command.key))
        return ExitSuccess;
    std::cerr << "mxfdict: nothing in " << command.schema << " matches " << command.key << '\n';
    return ExitNotFound;
}

int runDiff(const Command& command) {
    const std::optional<LoadedDictionary> before = loadOrReport(command.schema, command.options);
    if (!before)
        return ExitUsage;
    const std::optional<LoadedDictionary> after = loadOrReport(command.newSchema, command.options);
    if (!after)
        return ExitUsage;
    return diffDictionaries(std::cout, *before->dictionary, *after->dictionary) ? ExitDiffer
                                                                                : ExitSuccess;
}

} // namespace

int main(int argc, char** argv) {
    Command command;
    if (const std::optional<int> status = parseCommandLine(argc, argv, command))
        return *status;
    try {
        switch (command.kind) {
        case Command::Show:
            return runShow(command);
        case Command::Lookup:
            return runLookup(command);
        case Command::Diff:
            return runDiff(command);
        }
    } catch (const std::exception& e) {
        // Output failures and the like, after a successful load.
        std::cerr << "mxfdict: " << e.what() << '\n';
    }
    return ExitLoadFailed;
}
