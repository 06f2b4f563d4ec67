// mxfdict read: the header metadata of an MXF file, decoded with a dictionary.
#include "JsonOutput.h"
#include "LoadDictionary.h"
#include "ReadOutput.h"
#include "Subcommand.h"

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/Utils/StringConversion.h>

#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>

namespace Mxfdict {

namespace {

constexpr int ExitUnreadable = 3; // the file cannot be read or is malformed

struct ReadOptions {
    bool json = false;
    bool tree = false;
    bool regxml = false;
    bool noFileDictionary = false;
    bool regxmlExtensions = false;
    std::string partition = "best";
    std::string schema;
    CLI::Option* schemaGiven = nullptr; // not given: the default schema
    std::string file;
};

Palimo::MXF::PartitionChoice partitionChoice(const std::string& name) {
    if (name == "header")
        return Palimo::MXF::PartitionChoice::Header;
    if (name == "footer")
        return Palimo::MXF::PartitionChoice::Footer;
    return Palimo::MXF::PartitionChoice::Best;
}

// The RegXML document of the file; the comments before its root say what it
// was made from.
int writeRegXML(const ReadOptions& options, const LoadedDictionary& loaded,
                const Palimo::MXF::DecodedFile& file) {
    if (loaded.types->typeCount() == 0)
        std::cerr << "note: " << loaded.path
                  << " carries no type definitions: every value is written as a comment\n";
    Palimo::Output::RegXMLOptions regxml;
    regxml.leadingComments = {
        "From: " + std::filesystem::path(options.file).filename().string(),
        std::string("Partition: ") + Palimo::MXF::kindName(file.partition.kind) +
            " partition at byte " + std::to_string(file.partition.klv.offset)};
    regxml.fileDefinitions = options.regxmlExtensions;
    try {
        Palimo::Output::writeRegXML(std::cout, file, *loaded.types, regxml);
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "mxfdict: cannot write RegXML of " << options.file << ": " << e.what() << '\n';
        return ExitUnreadable;
    }
    return ExitSuccess;
}

int runRead(const ReadOptions& options) {
    const std::string schema = options.schemaGiven->count() ? options.schema : defaultSchema();
    // The output shows no properties: the loader's switches would change nothing.
    const std::optional<LoadedDictionary> loaded = loadOrReport(schema, LoadOptions());
    if (!loaded)
        return ExitLoadFailed;
    const auto start = std::chrono::steady_clock::now();
    Palimo::MXF::DecodedFile file;
    try {
        file =
            Palimo::MXF::readMXFFile(options.file, *loaded->dictionary, loaded->types.get(),
                                     partitionChoice(options.partition),
                                     options.noFileDictionary ? Palimo::MXF::FileDefinitions::Ignore
                                                              : Palimo::MXF::FileDefinitions::Use);
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "mxfdict: cannot read " << options.file << ": " << e.what() << '\n';
        return ExitUnreadable;
    }
    const std::chrono::duration<double, std::milli> readTime =
        std::chrono::steady_clock::now() - start;
    // Notes and timings on standard error: the output of a file stays the same.
    for (const std::string& note : file.notes)
        std::cerr << "note: " << note << '\n';
    std::cerr << std::fixed << std::setprecision(1) << "Load time: " << loaded->loadTime.count()
              << " ms\nRead time: " << readTime.count() << " ms\n";

    // A file name that is no UTF-8 is shown with replacement characters.
    const std::string shownPath =
        Palimo::Utils::wstringToString(Palimo::Utils::stringToWstring(options.file));
    if (options.regxml) {
        if (const int status = writeRegXML(options, *loaded, file); status != ExitSuccess)
            return status;
    } else if (options.json) {
        writeJson(std::cout, readToJson(shownPath, file, options.tree));
    } else {
        printRead(std::cout, shownPath, file, options.tree);
    }
    if (file.problems.empty())
        return ExitSuccess;
    std::cerr << "mxfdict: " << file.problems.size() << " problem"
              << (file.problems.size() == 1 ? "" : "s") << " in " << options.file << '\n';
    return ExitFindings;
}

} // namespace

Subcommand addReadCommand(CLI::App& app) {
    auto options = std::make_shared<ReadOptions>();
    CLI::App* read = app.add_subcommand(
        "read", "Decode the header metadata of an MXF file with a dictionary (default: "
                "$MXFDICT_SCHEMA, else the shipped example): the partition, the primer, every "
                "set and item, and the problems found (exit status 4); only the header metadata "
                "is read, never the essence");
    read->footer("Exit status: 0 the file reads cleanly, 1 the schema failed to load or standard "
                 "output could not be written, 2 bad usage, 3 the file cannot be read or is "
                 "malformed, 4 problems found.\n" +
                 std::string(kDefaultSchemaNote));
    read->add_flag("--json", options->json, "Write the decoded header metadata as JSON");
    CLI::Option* tree =
        read->add_flag("--tree", options->tree,
                       "Show the sets as the tree of their strong references, from the Preface");
    CLI::Option* regxml =
        read->add_flag("--regxml", options->regxml,
                       "Write the header metadata as a RegXML document (SMPTE ST 2001-1): the "
                       "Preface and the sets its strong references reach, named by the registers' "
                       "symbols (exit status 3 when the file has no Preface)")
            ->excludes("--json")
            ->excludes(tree);
    read->add_flag("--no-file-dictionary", options->noFileDictionary,
                   "Decode by the dictionary alone: leave out what the file's own dictionary (the "
                   "class, property and type definitions of its MetaDictionary) adds to it");
    read->add_flag("--regxml-extensions", options->regxmlExtensions,
                   "With --regxml: write the items and sets that only the file's own dictionary "
                   "defines as elements, named as it names them, in the namespace its definitions "
                   "give (their extension scheme's, else urn:palimo:mxf:file-dictionary), rather "
                   "than as comments")
        ->needs(regxml);
    read->add_option("--partition", options->partition,
                     "Whose header metadata to read: best (the header partition's when it is "
                     "closed and complete, else the best copy that the footer partition offset "
                     "or the random index pack leads to), header, or footer (exit status 3 when "
                     "the file has no footer partition with header metadata)")
        ->check(CLI::IsMember({"best", "header", "footer"}))
        ->capture_default_str();
    options->schemaGiven =
        read->add_option("--schema", options->schema,
                         "Top schema file (default: $MXFDICT_SCHEMA, else the shipped example)")
            ->check(schemaFileArgument());
    read->add_option("FILE", options->file, "MXF file")->required()->check(nonEmptyArgument());
    return {read, [options] {
                return runRead(*options);
            }};
}

} // namespace Mxfdict
