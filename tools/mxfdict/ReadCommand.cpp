// mxfdict read: the header metadata of MXF files, decoded with a dictionary.
#include "LoadDictionary.h"
#include "ReadFiles.h"
#include "ReadOptions.h"
#include "Subcommand.h"

#include <memory>

namespace Mxfdict {

namespace {

int runRead(const ReadOptions& options) {
    const FilePlan plan = planFiles(options);
    if (plan.status != ExitSuccess)
        return plan.status;
    const std::string schema = options.schemaGiven->count() ? options.schema : defaultSchema();
    // The output shows no properties: the loader's switches would change nothing.
    const std::optional<LoadedDictionary> loaded = loadOrReport(schema, LoadOptions());
    if (!loaded)
        return ExitLoadFailed;
    return readFiles(options, plan, *loaded);
}

} // namespace

Subcommand addReadCommand(CLI::App& app) {
    auto options = std::make_shared<ReadOptions>();
    CLI::App* read = app.add_subcommand(
        "read", "Decode the header metadata of MXF files with a dictionary (default: "
                "$MXFDICT_SCHEMA, else the shipped example) loaded once for all: the partition, "
                "the primer, every set and item, and the problems found (exit status 4), or a "
                "summary line a file; only the header metadata is read, never the essence. Files "
                "are read on several threads, their outputs written in the order of the files");
    read->footer("Exit status, of the worst file: 5 out of memory, else 1 the schema failed to "
                 "load or an output (standard "
                 "output, a RegXML document) could not be written, else 3 a file cannot be read or "
                 "is malformed, else 4 problems found, else 0 every file reads cleanly; 2 bad "
                 "usage.\n" +
                 std::string(kDefaultSchemaNote));
    CLI::Option* json = read->add_flag(
        "--json", options->json,
        "Write the decoded header metadata as JSON: indented for one FILE, else one document a "
        "line (JSON Lines), each with its \"file\"");
    CLI::Option* tree =
        read->add_flag("--tree", options->tree,
                       "Show the sets as the tree of their strong references, from the Preface");
    CLI::Option* regxml =
        read->add_flag("--regxml", options->regxml,
                       "Write the header metadata as a RegXML document (SMPTE ST 2001-1): the "
                       "Preface and the sets its strong references reach, named by the registers' "
                       "symbols (exit status 3 when the file has no Preface)")
            ->excludes(json)
            ->excludes(tree);
    read->add_flag("--summary", options->summary,
                   "Write one line a file of what it is: operational pattern, essence containers, "
                   "the header partition's status and the copy read, packages with their tracks "
                   "and descriptors, problems by kind (with --json, one JSON object a line); a "
                   "file that cannot be read has its line too")
        ->excludes(tree)
        ->excludes(regxml);
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
    read->add_option("--files-from", options->filesFrom,
                     "Read the files listed in LIST too, one path a line (- for standard input)")
        ->option_text("LIST")
        ->check(nonEmptyArgument());
    read->add_option("--jobs,-j", options->jobs,
                     "Read N files at once, on N threads (default: one a processor)")
        ->option_text("N")
        ->check(CLI::Range(1u, 1024u));
    read->add_option("--output-dir", options->outputDir,
                     "With --regxml: write each file's document into DIR, named after the file "
                     "(FILE.mxf gives DIR/FILE.xml); needed with several files")
        ->option_text("DIR")
        ->check(nonEmptyArgument())
        ->needs(regxml);
    read->add_option("FILE", options->files, "MXF files, or - for standard input")
        ->check(nonEmptyArgument());
    // FILE may be left out when a list gives the files.
    read->callback([read] {
        if (read->count("FILE") == 0 && read->count("--files-from") == 0)
            throw CLI::RequiredError("FILE");
    });
    return {read, [options] {
                return runRead(*options);
            }};
}

} // namespace Mxfdict
