// mxfdict import-registers: the SMPTE metadata registers as an annotated
// schema set that the loader reads.
#include "LoadDictionary.h"
#include "Subcommand.h"

#include <Palimo/Registers/Importer.h>

#include <chrono>
#include <iomanip>
#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

struct ImportOptions {
    std::string registers;
    std::string output;
};

int runImport(const ImportOptions& options) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Palimo::Registers::ImportReport report;
    try {
        report = Palimo::Registers::importRegisters(options.registers, options.output);
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "mxfdict: cannot import the registers in " << options.registers << ": "
                  << e.what() << '\n';
        return ExitLoadFailed;
    }
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    Palimo::Registers::writeReport(report, std::cout);
    for (const std::string& note : report.notes)
        std::cerr << "note: " << note << '\n';
    std::cerr << "Import time: " << std::fixed << std::setprecision(1) << elapsed.count()
              << " ms\n";
    return ExitSuccess;
}

} // namespace

Subcommand addImportRegistersCommand(CLI::App& app) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand(
        "import-registers",
        "Write the SMPTE metadata registers (Elements.xml, Groups.xml, Types.xml and, when "
        "present, Labels.xml) as a schema set whose top file is OUT_DIR/MXFDictionary.xsd; "
        "print what was written and what was left out");
    command->footer("Exit status: 0 written, 1 the registers could not be read, the schema not "
                    "written or standard output not written, 2 bad usage.");
    command->add_option("REGISTERS_DIR", options->registers, "Directory of the register files")
        ->required()
        ->check(nonEmptyArgument());
    addOutputDirectoryArgument(*command, options->output);
    return {command, [options] {
                return runImport(*options);
            }};
}

} // namespace Mxfdict
