// mxfdict check: what the load of a schema skipped, and probable mistakes.
#include "LoadDictionary.h"
#include "Subcommand.h"

#include <Palimo/Check/Findings.h>
#include <Palimo/Output/CheckOutput.h>

#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

using Palimo::Check::Finding;

struct CheckOptions {
    bool json = false;
    std::string schema;
    CLI::Option* schemaGiven = nullptr; // not given: the default schema
};

// A load that fails on a label or a data type gives findings instead: each
// such declaration, with its file and line. None for other failures.
std::optional<std::vector<Finding>> findingsOfFailedLoad(const std::string& schema,
                                                         const std::exception_ptr& failure) {
    std::optional<std::vector<Finding>> findings;
    try {
        std::rethrow_exception(failure);
    } catch (const Palimo::Exceptions::BaseException& e) {
        findings = Palimo::Check::findingsOfFailedLoad(schema, e);
    } catch (...) {
    }
    if (findings && !findings->empty())
        std::cerr << "mxfdict: the load of " << schema
                  << " stops at the first of these findings; the other checks need a load\n";
    return findings;
}

int runCheck(const CheckOptions& options) {
    const std::string schema = options.schemaGiven->count() ? options.schema : defaultSchema();
    std::vector<Finding> findings;
    std::optional<LoadedDictionary> loaded;
    try {
        loaded = loadDictionary(schema, LoadOptions());
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        std::optional<std::vector<Finding>> ofLoad = findingsOfFailedLoad(schema, failure);
        if (!ofLoad || ofLoad->empty()) {
            reportLoadFailure(schema, failure);
            return ExitLoadFailed;
        }
        findings = std::move(*ofLoad);
    }
    if (loaded) {
        try {
            findings = Palimo::Check::checkSchema(schema, *loaded->dictionary);
        } catch (...) {
            std::cerr << "mxfdict: cannot check " << schema << ": "
                      << describeFailure(std::current_exception()) << '\n';
            return ExitLoadFailed;
        }
    }
    if (options.json)
        Palimo::Output::writeFindingsJson(std::cout, schema, findings);
    else
        Palimo::Output::printFindings(std::cout, findings);
    if (findings.empty())
        return ExitSuccess;
    std::cerr << "mxfdict: " << findings.size() << " finding" << (findings.size() == 1 ? "" : "s")
              << " in " << schema << '\n';
    return ExitFindings;
}

} // namespace

Subcommand addCheckCommand(CLI::App& app) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check", "Load a schema and list, one line each, what the load skipped or what is "
                 "probably a mistake: members naming no element, sets without a designator, "
                 "references to no set, labels, keys or local tags used twice, elements no "
                 "set holds; when the load fails on labels, local tags or data types, every "
                 "such declaration");
    check->footer("Exit status: 0 nothing found, 1 the schema failed to load or standard output "
                  "could not be written, 2 bad usage, 4 findings.\n" +
                  std::string(kDefaultSchemaNote));
    check->add_flag("--json", options->json, "Write the findings as JSON");
    options->schemaGiven =
        check
            ->add_option("SCHEMA", options->schema,
                         "Top schema file (default: $MXFDICT_SCHEMA, else the shipped example)")
            ->check(schemaFileArgument());
    return {check, [options] {
                return runCheck(*options);
            }};
}

} // namespace Mxfdict
