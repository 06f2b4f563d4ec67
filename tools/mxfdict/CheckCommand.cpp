// mxfdict check: what the load of a schema skipped, and probable mistakes.
#include "JsonOutput.h"
#include "LoadDictionary.h"
#include "SchemaCheck.h"
#include "Subcommand.h"

#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

struct CheckOptions {
    bool json = false;
    LoadOptions load;
    std::string schema;
};

void printFindings(std::ostream& out, const std::vector<Finding>& findings) {
    for (const Finding& finding : findings)
        out << (finding.file.empty() ? std::string() : finding.file + ": ") << finding.declaration
            << ": " << finding.message << " [" << finding.kind << "]\n";
}

Json findingsToJson(const std::string& schema, const std::vector<Finding>& findings) {
    Json json = jsonDocument();
    json["schema"] = schema;
    json["findings"] = Json::array();
    for (const Finding& finding : findings)
        json["findings"].push_back(
            {{"kind", finding.kind},
             {"declaration", finding.declaration},
             {"file", finding.file.empty() ? Json(nullptr) : Json(finding.file)},
             {"message", finding.message}});
    return json;
}

int runCheck(const CheckOptions& options) {
    const std::optional<LoadedDictionary> loaded = loadOrReport(options.schema, options.load);
    if (!loaded)
        return ExitLoadFailed;
    std::vector<Finding> findings;
    try {
        findings = checkSchema(options.schema, *loaded->dictionary);
    } catch (...) {
        std::cerr << "mxfdict: cannot check " << options.schema << ": "
                  << describeFailure(std::current_exception()) << '\n';
        return ExitLoadFailed;
    }
    if (options.json)
        writeJson(std::cout, findingsToJson(options.schema, findings));
    else
        printFindings(std::cout, findings);
    if (findings.empty())
        return ExitSuccess;
    std::cerr << "mxfdict: " << findings.size() << " finding" << (findings.size() == 1 ? "" : "s")
              << " in " << options.schema << '\n';
    return ExitFindings;
}

} // namespace

Subcommand addCheckCommand(CLI::App& app) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check", "Load a schema and list, one line each, what the load skipped or what is "
                 "probably a mistake: members naming no element, sets without a designator, "
                 "references to no set, labels, keys or local tags used twice, elements no "
                 "set holds");
    check->add_flag("--json", options->json, "Write the findings as JSON");
    addLoaderSwitches(*check, options->load);
    check->add_option("SCHEMA", options->schema, "Top schema file")->required();
    return {check, [options] {
                return runCheck(*options);
            }};
}

} // namespace Mxfdict
