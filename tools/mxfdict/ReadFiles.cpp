#include "ReadFiles.h"

#include "FileList.h"
#include "Progress.h"
#include "ReadOneFile.h"
#include "Subcommand.h"

#include <Palimo/Output/OrderedOutput.h>
#include <Palimo/Output/RunInOrder.h>
#include <Palimo/Output/TerminalText.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <new>
#include <optional>
#include <thread>

namespace Mxfdict {

using Palimo::Output::runInOrder;
using Palimo::Output::shown;

namespace {

// From this many files on, a terminal shows a progress line.
constexpr std::size_t kManyFiles = 10;
// Sections opened ahead of the one written: at least kWindowFiles, so that
// one slow file (a large one among small ones) does not leave the other
// threads waiting, else kWindowPerThread a thread; and the bytes a section
// keeps before it waits for its turn to write through.
constexpr std::size_t kWindowFiles = 64;
constexpr std::size_t kWindowPerThread = 4;
constexpr std::size_t kSectionBufferLimit = 1 << 20;

int rank(int status) {
    switch (status) {
    case ExitSuccess:
        return 0;
    case ExitFindings:
        return 1;
    case ExitUnreadable:
        return 2;
    case ExitOutOfMemory:
        return 4;
    default: // ExitWriteFailed, and anything unforeseen
        return 3;
    }
}

ReadSettings::Form formOf(const ReadOptions& options) {
    if (options.summary)
        return options.json ? ReadSettings::Form::SummaryJson : ReadSettings::Form::SummaryText;
    if (options.regxml)
        return ReadSettings::Form::RegXML;
    return options.json ? ReadSettings::Form::Json : ReadSettings::Form::Text;
}

Palimo::MXF::PartitionChoice partitionChoice(const std::string& name) {
    if (name == "header")
        return Palimo::MXF::PartitionChoice::Header;
    if (name == "footer")
        return Palimo::MXF::PartitionChoice::Footer;
    return Palimo::MXF::PartitionChoice::Best;
}

unsigned threadCount(unsigned asked) {
    if (asked > 0)
        return asked;
    const unsigned processors = std::thread::hardware_concurrency();
    return processors > 0 ? processors : 1;
}

// What the written files add up to.
struct Totals {
    int worst = ExitSuccess;
    std::size_t problems = 0;
    std::size_t withProblems = 0;
    std::size_t unreadable = 0;
};

void reportTotals(const Totals& totals, std::size_t files) {
    if (totals.withProblems > 0)
        std::cerr << "mxfdict: " << totals.problems << " problem"
                  << (totals.problems == 1 ? "" : "s") << " in " << totals.withProblems << " of "
                  << files << " files\n";
    if (totals.unreadable > 0)
        std::cerr << "mxfdict: " << totals.unreadable << " of " << files << " files could not "
                  << "be read\n";
}

} // namespace

int worseStatus(int a, int b) {
    return rank(a) >= rank(b) ? a : b;
}

FilePlan planFiles(const ReadOptions& options) {
    FilePlan plan;
    FileList list = gatherFiles(options.files, options.filesFrom);
    if (!list.error.empty()) {
        std::cerr << "mxfdict: " << list.error << '\n';
        plan.status = ExitUsage;
        return plan;
    }
    plan.files = std::move(list.files);
    plan.several = plan.files.size() > 1 || !options.filesFrom.empty();
    plan.documents.resize(plan.files.size());
    if (options.regxml && !options.outputDir.empty()) {
        DocumentPaths paths = documentPaths(plan.files, options.outputDir);
        if (!paths.error.empty()) {
            std::cerr << "mxfdict: " << paths.error << '\n';
            plan.status = ExitUsage;
            return plan;
        }
        std::error_code error;
        std::filesystem::create_directories(options.outputDir, error);
        if (error) {
            std::cerr << "mxfdict: cannot create " << shown(options.outputDir) << ": "
                      << error.message() << '\n';
            plan.status = ExitWriteFailed;
            return plan;
        }
        plan.documents = std::move(paths.paths);
    } else if (options.regxml && plan.several) {
        std::cerr << "mxfdict: --regxml writes one document a file: with several files, "
                     "--output-dir DIR says where\n";
        plan.status = ExitUsage;
    }
    return plan;
}

int readFiles(const ReadOptions& options, const FilePlan& plan, const LoadedDictionary& loaded) {
    const std::vector<std::string>& files = plan.files;
    const std::vector<std::string>& documents = plan.documents;
    const bool several = plan.several;
    if (options.regxml && loaded.types->typeCount() == 0)
        std::cerr << "note: " << shown(loaded.path)
                  << " carries no type definitions: every value is written as a comment\n";

    ReadSettings settings;
    settings.loaded = &loaded;
    settings.choice = partitionChoice(options.partition);
    settings.form = formOf(options);
    settings.tree = options.tree;
    settings.definitions = options.noFileDictionary ? Palimo::MXF::FileDefinitions::Ignore
                                                    : Palimo::MXF::FileDefinitions::Use;
    settings.regxmlExtensions = options.regxmlExtensions;
    // Files that carry dictionaries of their own are checked against the
    // loaded one: indexed once for all of them rather than for each.
    std::optional<Palimo::MXF::DictionaryIndex> index;
    if (several && settings.definitions == Palimo::MXF::FileDefinitions::Use) {
        index.emplace(*loaded.dictionary, loaded.types.get());
        settings.index = &*index;
    }
    settings.several = several;
    settings.timings = !several;
    const unsigned threads = threadCount(options.jobs);
    if (several)
        std::cerr << std::fixed << std::setprecision(1) << "Load time: " << loaded.loadTime.count()
                  << " ms\n";

    const auto start = std::chrono::steady_clock::now();
    Totals totals;
    Progress progress(std::cerr, files.size(),
                      files.size() >= kManyFiles && standardErrorIsTerminal());
    OrderedOutput::Hooks hooks;
    hooks.beforeWrite = [&] {
        progress.clear();
    };
    hooks.written = [&](const OrderedOutput::Section& section) {
        totals.worst = worseStatus(totals.worst, section.status);
        totals.problems += section.problems;
        totals.withProblems += section.problems > 0 ? 1 : 0;
        totals.unreadable += section.status == ExitUnreadable ? 1 : 0;
        progress.fileDone(section.problems, section.status == ExitUnreadable);
    };
    OrderedOutput output(std::cout, std::cerr,
                         std::max(kWindowFiles, kWindowPerThread * std::size_t{threads}),
                         kSectionBufferLimit, hooks);
    const std::string failure = runInOrder(
        files.size(), threads, output, ExitWriteFailed, "mxfdict",
        [&](OrderedOutput::Section& section) {
            const std::string& file = files[section.index()];
            try {
                readOneFile(settings, file, documents[section.index()], section);
            } catch (const std::bad_alloc&) {
                // What was written stays written; the status says it is not all.
                section.err() << "mxfdict: out of memory reading " << shown(file) << '\n';
                section.status = ExitOutOfMemory;
            } catch (const std::exception& e) {
                // Not a fault of the file (memory): the output may lack it.
                section.err() << "mxfdict: " << shown(file) << ": " << shown(e.what()) << '\n';
                section.status = ExitWriteFailed;
            }
        });
    progress.clear();
    if (!failure.empty()) {
        std::cerr << "mxfdict: " << failure << '\n';
        return ExitWriteFailed;
    }
    if (several) {
        const std::chrono::duration<double, std::milli> readTime =
            std::chrono::steady_clock::now() - start;
        const std::size_t used = std::min<std::size_t>(threads, files.size());
        std::cerr << std::fixed << std::setprecision(1) << "Read time: " << readTime.count()
                  << " ms for " << files.size() << " files on " << used << " thread"
                  << (used == 1 ? "" : "s") << '\n';
        reportTotals(totals, files.size());
    }
    return totals.worst;
}

} // namespace Mxfdict
