// mxfdict extract-dictionary: what an MXF file's own dictionary adds to the
// dictionary it is read with, written as a schema set that takes that
// dictionary in; the written schema is loaded back to check that it gives
// what was written.
#include "LoadDictionary.h"
#include "Subcommand.h"

#include <Palimo/Registers/ExtensionSchema.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/FileReader.h>

#include <filesystem>
#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

namespace fs = std::filesystem;
using Palimo::MXF::FileDictionary;

constexpr int ExitUnreadable = 3; // the file cannot be read or has no dictionary of its own

struct ExtractOptions {
    std::string schema;
    CLI::Option* schemaGiven = nullptr;
    std::string file;
    std::string output;
};

// Whether `output` is the directory of the schema's top file, whose files of
// the same names the extraction would replace.
bool replacesTheDictionary(const std::string& schema, const std::string& output) {
    std::error_code error;
    const fs::path top = fs::weakly_canonical(schema, error);
    const fs::path directory = fs::weakly_canonical(output, error);
    return !error && top.parent_path() == directory;
}

int runExtract(const ExtractOptions& options) {
    const std::string schema = options.schemaGiven->count() ? options.schema : defaultSchema();
    if (replacesTheDictionary(schema, options.output)) {
        std::cerr << "mxfdict: " << options.output << " is the directory of " << schema
                  << ": the files written would replace the dictionary's; give another\n";
        return ExitUsage;
    }
    const std::optional<LoadedDictionary> loaded = loadOrReport(schema, LoadOptions());
    if (!loaded)
        return ExitLoadFailed;
    Palimo::MXF::DecodedFile file;
    try {
        file = Palimo::MXF::readMXFFile(options.file, *loaded->dictionary, loaded->types.get());
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "mxfdict: cannot read " << options.file << ": " << e.what() << '\n';
        return ExitUnreadable;
    }
    if (!file.fileDictionary) {
        std::cerr << "mxfdict: " << options.file
                  << " holds no class, property or type definitions of its own: nothing "
                     "written\n";
        return ExitUnreadable;
    }
    const FileDictionary& own = *file.fileDictionary;
    Palimo::Registers::ExtensionReport report;
    try {
        report = Palimo::Registers::writeExtensionSchema(
            own, *loaded->dictionary, loaded->types.get(), schema, options.output,
            fs::path(options.file).filename().string());
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "mxfdict: cannot write the dictionary of " << options.file << ": " << e.what()
                  << '\n';
        return ExitLoadFailed;
    }
    std::cout << "wrote: " << report.addedSets << " sets, members of " << report.extendedSets
              << " sets of the dictionary, " << report.elements << " elements, "
              << report.typeDefinitions << " type definitions\n";
    for (const Palimo::Registers::WrittenFile& written : report.files)
        std::cout << "  " << written.path.string() << " (" << written.bytes << " bytes)\n";
    std::cout << "  taking in " << report.dictionaryLocation << "\n";
    std::cout << "not used: " << own.problems().size() << " definitions of the file's dictionary"
              << (own.problems().empty() ? "\n" : ":\n");
    for (const Palimo::MXF::Problem& problem : own.problems())
        std::cout << "  byte " << problem.offset << ": " << problem.message << '\n';

    const std::string top = (fs::path(options.output) / Palimo::Registers::kTopFileName).string();
    const std::optional<LoadedDictionary> written = loadOrReport(top, LoadOptions());
    if (!written)
        return ExitLoadFailed;
    const std::vector<std::string> missing =
        Palimo::Registers::definitionsNotLoaded(own, *written->dictionary, *written->types);
    if (!missing.empty()) {
        std::cerr << "mxfdict: " << top << " loads without " << missing.size()
                  << " of what was written, first " << missing.front() << '\n';
        return ExitLoadFailed;
    }
    std::cerr << "note: " << top << " loads with every set, element and type definition written\n";
    return own.problems().empty() ? ExitSuccess : ExitFindings;
}

} // namespace

Subcommand addExtractDictionaryCommand(CLI::App& app) {
    auto options = std::make_shared<ExtractOptions>();
    CLI::App* command = app.add_subcommand(
        "extract-dictionary",
        "Write what an MXF file's own dictionary (the class, property and type definitions of "
        "its MetaDictionary) adds to a dictionary (default: $MXFDICT_SCHEMA, else the shipped "
        "example) as a schema set whose top file OUT_DIR/MXFDictionary.xsd takes that "
        "dictionary in, then load it back; print what was written and the definitions not "
        "used");
    setUsage(*command, "mxfdict extract-dictionary [OPTIONS] FILE.mxf OUT_DIR");
    command->footer("Exit status: 0 written, 1 the schema failed to load, the schema set could "
                    "not be written or does not load with what was written, or standard output "
                    "could not be written, 2 bad usage (also OUT_DIR the directory of the "
                    "schema), 3 the file cannot be read or holds no "
                    "definitions of its own, 4 written, with definitions of the file's dictionary "
                    "that were not used.\n" +
                    std::string(kDefaultSchemaNote));
    options->schemaGiven =
        command
            ->add_option("--schema", options->schema,
                         "Top schema file of the dictionary to read the file with (default: "
                         "$MXFDICT_SCHEMA, else the shipped example)")
            ->check(schemaFileArgument());
    command->add_option("FILE", options->file, "MXF file")->required()->check(nonEmptyArgument());
    addOutputDirectoryArgument(*command, options->output);
    return {command, [options] {
                return runExtract(*options);
            }};
}

} // namespace Mxfdict
