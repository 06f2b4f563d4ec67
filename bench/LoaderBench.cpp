// Loader benchmarks over generated dictionaries: the plain DOM parse of the
// files, the whole load, the load phase by phase, and the peak memory of a
// load measured in a fresh process.
//
//   loader_bench [--sizes=1000,4000,16000] [--shapes=appinfo-rich,...] [Google Benchmark flags]
//
// The DOM parse always runs at 1,000, 4,000 and 16,000 declarations. The
// load-based benchmarks run at 1,000 unless --sizes (or PALIMO_BENCH_SIZES)
// asks for more: large loads can take minutes. The benchmark and register
// shapes always run, the other shapes of the generator when --shapes names them.
#include "DictionaryGenerator.h"

#include "ErrorReporting.h"
#include "LoaderState.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "elements/ElementBuilder.h"
#include "sets/SetBuilder.h"
#include "sets/SetDiscovery.h"

#include <Palimo/Registers/Importer.h>

#include <Palimo/Initializer.h>
#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/Initializer.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <benchmark/benchmark.h>
#include <xercesc/dom/DOMConfiguration.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMImplementationLS.hpp>
#include <xercesc/dom/DOMLSParser.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>
#include <xqilla/exceptions/XQException.hpp>
#include <xqilla/exceptions/XQillaException.hpp>

#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Palimo::Bench::GeneratedDictionary;
using Palimo::MetaMetadata::Dictionary;
using namespace Palimo::MetaMetadata::Loading;

constexpr std::uint32_t kSeed = 1;
const std::vector<std::int64_t> kParseSizes = {1000, 4000, 16000};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The inputs, the second argument of every benchmark: generated
// dictionaries of the benchmark shape (five files) or of the register shape
// (one file), or the import of the register snapshot when it is present (the
// first argument is then 0), or from 3 on the other shapes of the generator,
// in the generator's order, each in its own layout.
enum Input : std::int64_t { kBenchmarkShape = 0, kRegisterShape = 1, kImportedRegisters = 2 };

using Shape = Palimo::Bench::GeneratorOptions::Shape;

Shape shapeOfInput(std::int64_t input) {
    return input < kImportedRegisters ? static_cast<Shape>(input) : static_cast<Shape>(input - 1);
}

std::int64_t inputOfShape(Shape shape) {
    const auto index = static_cast<std::int64_t>(shape);
    return index < kImportedRegisters ? index : index + 1;
}

std::string registersSnapshot() {
    const char* fromEnvironment = std::getenv("PALIMO_REGISTERS_SNAPSHOT");
    return fromEnvironment ? fromEnvironment : PALIMO_REGISTERS_SNAPSHOT;
}

// Each input is made once per run, into a directory removed at exit.
class GeneratedFiles {
public:
    static GeneratedFiles& instance() {
        static GeneratedFiles files;
        return files;
    }
    const GeneratedDictionary& of(const benchmark::State& state) {
        return of(state.range(0), state.range(1));
    }
    const GeneratedDictionary& of(std::int64_t elements, std::int64_t input) {
        const auto key = std::make_pair(elements, input);
        auto found = inputs_.find(key);
        if (found != inputs_.end())
            return found->second;
        if (input == kImportedRegisters)
            return inputs_.emplace(key, importSnapshot()).first->second;
        Palimo::Bench::GeneratorOptions options;
        options.elementCount = static_cast<std::size_t>(elements);
        options.seed = kSeed;
        options.shape = shapeOfInput(input);
        const fs::path directory =
            root_ / ("elements-" + std::to_string(elements) + "-shape-" + std::to_string(input));
        return inputs_.emplace(key, Palimo::Bench::generateDictionary(directory, options))
            .first->second;
    }
    ~GeneratedFiles() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

private:
    GeneratedFiles()
        : root_(fs::temp_directory_path() / ("palimo-bench-" + std::to_string(getpid()))) {}

    // The counts a complete load must give are the import's own.
    GeneratedDictionary importSnapshot() const {
        const fs::path directory = root_ / "imported-registers";
        const Palimo::Registers::ImportReport report =
            Palimo::Registers::importRegisters(registersSnapshot(), directory);
        GeneratedDictionary imported;
        imported.topFile = directory / "MXFDictionary.xsd";
        imported.files.push_back(imported.topFile);
        for (const auto& file : report.files)
            if (fs::path(file.path).filename() != "MXFDictionary.xsd")
                imported.files.push_back(file.path);
        imported.elementCount = report.elements;
        imported.setCount = report.sets;
        return imported;
    }

    fs::path root_;
    std::map<std::pair<std::int64_t, std::int64_t>, GeneratedDictionary> inputs_;
};

std::string narrow(const Palimo::WString& text) {
    return Palimo::Utils::wstringToString(text);
}

// The message of the exception in flight, whatever layer threw it.
std::string describeFailure() {
    try {
        throw;
    } catch (const Palimo::Exceptions::BaseException& e) {
        return e.what();
    } catch (const XQillaException& e) {
        return narrow(describeXmlFailure(e));
    } catch (const XQException& e) {
        return narrow(describeXmlFailure(e));
    } catch (const xercesc::DOMException& e) {
        return narrow(describeXmlFailure(e));
    } catch (const xercesc::SAXException& e) {
        return narrow(describeXmlFailure(e));
    } catch (const xercesc::XMLException& e) {
        return narrow(describeXmlFailure(e));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown failure";
    }
}

// A run over an incomplete dictionary measures nothing worth keeping.
std::string checkDictionary(const Dictionary& dictionary, const GeneratedDictionary& expected) {
    if (dictionary.metaElementCount() == expected.elementCount &&
        dictionary.metaMetadataSetCount() == expected.setCount)
        return {};
    return "dictionary holds " + std::to_string(dictionary.metaElementCount()) + " elements and " +
           std::to_string(dictionary.metaMetadataSetCount()) + " sets, expected " +
           std::to_string(expected.elementCount) + " and " + std::to_string(expected.setCount);
}

void skip(benchmark::State& state, const std::string& message) {
    static std::string kept; // outlives the call whatever the library keeps
    kept = message;
    state.SkipWithError(kept.c_str());
}

std::uint64_t totalBytes(const GeneratedDictionary& dictionary) {
    std::uint64_t bytes = 0;
    for (const fs::path& file : dictionary.files)
        bytes += fs::file_size(file);
    return bytes;
}

void BM_DomParse(benchmark::State& state) {
    const GeneratedDictionary& files = GeneratedFiles::instance().of(state);
    Palimo::XMLUtils::Initializer::instance();
    for (auto _ : state) {
        try {
            xercesc::XercesDOMParser parser;
            parser.setDoNamespaces(true);
            for (const fs::path& file : files.files) {
                parser.parse(file.c_str());
                benchmark::DoNotOptimize(parser.getDocument());
            }
            if (parser.getErrorCount() != 0) {
                skip(state, "the generated files do not parse");
                break;
            }
        } catch (...) {
            skip(state, describeFailure());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * totalBytes(files)));
}

// The same parse through the XPath-capable DOM implementation the loader uses.
void BM_DomParseXPathDom(benchmark::State& state) {
    const GeneratedDictionary& files = GeneratedFiles::instance().of(state);
    auto* implementation = static_cast<xercesc::DOMImplementationLS*>(
        Palimo::XMLUtils::Initializer::instance().domImplementation());
    for (auto _ : state) {
        try {
            std::unique_ptr<xercesc::DOMLSParser, void (*)(xercesc::DOMLSParser*)> parser(
                implementation->createLSParser(xercesc::DOMImplementationLS::MODE_SYNCHRONOUS,
                                               nullptr),
                [](xercesc::DOMLSParser* p) { p->release(); });
            parser->getDomConfig()->setParameter(xercesc::XMLUni::fgDOMNamespaces, true);
            for (const fs::path& file : files.files)
                benchmark::DoNotOptimize(parser->parseURI(file.c_str()));
        } catch (...) {
            skip(state, describeFailure());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * totalBytes(files)));
}

void BM_Load(benchmark::State& state) {
    const GeneratedDictionary& files = GeneratedFiles::instance().of(state);
    const Palimo::WString path = Palimo::Utils::stringToWstring(files.topFile.string());
    for (auto _ : state) {
        Dictionary dictionary;
        const Clock::time_point start = Clock::now();
        try {
            XSDDictionaryLoader loader;
            loader.load(path.c_str(), dictionary);
        } catch (...) {
            skip(state, describeFailure());
            break;
        }
        state.SetIterationTime(secondsSince(start));
        const std::string problem = checkDictionary(dictionary, files);
        if (!problem.empty()) {
            skip(state, problem);
            break;
        }
    }
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The phases of one load in the pipeline's order, each timed on its own.
const std::array<const char*, 9> kPhases = {"create_ms",       "document_ms", "schema_ms",
                                            "findElements_ms", "findSets_ms", "setKeys_ms",
                                            "elements_ms",     "sets_ms",     "release_ms"};

void runPhases(const GeneratedDictionary& files, Dictionary& dictionary,
               std::array<double, kPhases.size()>& seconds) {
    const Palimo::WString directory =
        Palimo::Utils::stringToWstring(files.topFile.parent_path().string());
    const Palimo::WString fileName =
        Palimo::Utils::stringToWstring(files.topFile.filename().string());
    // Process CPU time: the load runs on this thread alone, and other jobs on
    // a shared machine do not inflate it as they do wall time.
    std::size_t phase = 0;
    double start = processCpuSeconds();
    auto lap = [&] {
        const double now = processCpuSeconds();
        seconds[phase++] += now - start;
        start = now;
    };
    std::unique_ptr<LoaderState> state(new LoaderState);
    lap();
    xercesc::DOMDocument* document = nullptr;
    {
        Palimo::XMLUtils::XSDAggregator aggregator(directory.c_str(), fileName.c_str());
        document = aggregator.createStandAloneSchemaDocument(state->parser);
    }
    lap();
    state->schema = std::make_unique<Schema>(*document);
    const Schema& schema = *state->schema;
    lap();
    DeclarationList elementDeclarations;
    DeclarationList setDeclarations;
    findElementDeclarations(schema, elementDeclarations);
    lap();
    findSetDeclarations(schema, setDeclarations);
    lap();
    registerSetKeys(schema, setDeclarations, state->setKeys);
    lap();
    buildMetaElements(schema, state->options, state->setKeys, elementDeclarations, dictionary,
                      state->elements);
    lap();
    buildSets(schema, state->options, state->elements, setDeclarations, dictionary);
    lap();
    state.reset();
    lap();
}

void BM_LoadPhases(benchmark::State& state) {
    const GeneratedDictionary& files = GeneratedFiles::instance().of(state);
    std::array<double, kPhases.size()> seconds{};
    for (auto _ : state) {
        Dictionary dictionary;
        std::array<double, kPhases.size()> run{};
        const Clock::time_point start = Clock::now();
        try {
            runPhases(files, dictionary, run);
        } catch (...) {
            skip(state, describeFailure());
            break;
        }
        for (std::size_t i = 0; i < run.size(); ++i)
            seconds[i] += run[i];
        state.SetIterationTime(secondsSince(start));
        const std::string problem = checkDictionary(dictionary, files);
        if (!problem.empty()) {
            skip(state, problem);
            break;
        }
    }
    for (std::size_t i = 0; i < kPhases.size(); ++i)
        state.counters[kPhases[i]] =
            benchmark::Counter(seconds[i] * 1000.0, benchmark::Counter::kAvgIterations);
}

// Memory is measured in a fresh process started from this executable, so that
// the high-water mark holds nothing of earlier benchmarks.
const char kProbeFlag[] = "--memory-probe";

struct ProbeResult {
    double peakMiB = 0; // VmHWM of the probe process
    double heapMiB = 0; // heap in use when the probe ends, documents still alive
};

long highWaterMarkKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Modes: "idle" (libraries initialised), "dom" (every file parsed, documents
// kept), "load" (a whole load, loader and dictionary kept).
int runMemoryProbe(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const std::string mode = argv[2];
    try {
        Palimo::Initializer::instance();
        Palimo::XMLUtils::Initializer::instance();
        std::vector<std::unique_ptr<xercesc::XercesDOMParser>> parsers;
        Dictionary dictionary;
        std::unique_ptr<XSDDictionaryLoader> loader;
        if (mode == "dom") {
            for (int i = 3; i < argc; ++i) {
                parsers.emplace_back(new xercesc::XercesDOMParser);
                parsers.back()->setDoNamespaces(true);
                parsers.back()->parse(argv[i]);
            }
        } else if (mode == "load") {
            loader.reset(new XSDDictionaryLoader);
            loader->load(Palimo::Utils::stringToWstring(argv[3]).c_str(), dictionary);
        } else if (mode != "idle") {
            return 2;
        }
        const struct mallinfo2 heap = mallinfo2();
        std::printf("%ld %zu\n", highWaterMarkKiB(), heap.uordblks + heap.hblkhd);
        std::fflush(stdout);
    } catch (...) {
        std::fprintf(stderr, "memory probe: %s\n", describeFailure().c_str());
        return 1;
    }
    return 0;
}

bool runProbe(const std::string& mode, const GeneratedDictionary& files, ProbeResult& result,
              std::string& error) {
    const std::string executable = fs::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args = {executable, kProbeFlag, mode};
    if (mode == "dom")
        for (const fs::path& file : files.files)
            args.push_back(file.string());
    else
        args.push_back(files.topFile.string());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        error = "pipe failed";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    ssize_t got;
    while (spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    if (spawned != 0) {
        error = std::string("cannot start the memory probe: ") + std::strerror(spawned);
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    long peakKiB = -1;
    unsigned long long heapBytes = 0;
    std::istringstream in(output);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !(in >> peakKiB >> heapBytes) ||
        peakKiB < 0) {
        error = "memory probe \"" + mode + "\" failed";
        return false;
    }
    result.peakMiB = static_cast<double>(peakKiB) / 1024.0;
    result.heapMiB = static_cast<double>(heapBytes) / (1024.0 * 1024.0);
    return true;
}

void BM_PeakMemory(benchmark::State& state) {
    const GeneratedDictionary& files = GeneratedFiles::instance().of(state);
    std::map<std::string, ProbeResult> results;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        for (const char* mode : {"idle", "dom", "load"}) {
            std::string error;
            if (!runProbe(mode, files, results[mode], error)) {
                skip(state, error);
                return;
            }
        }
        state.SetIterationTime(secondsSince(start));
    }
    state.counters["idle_peak_MiB"] = results["idle"].peakMiB;
    state.counters["dom_peak_MiB"] = results["dom"].peakMiB;
    state.counters["load_peak_MiB"] = results["load"].peakMiB;
    state.counters["idle_heap_MiB"] = results["idle"].heapMiB;
    state.counters["dom_heap_MiB"] = results["dom"].heapMiB;
    state.counters["load_heap_MiB"] = results["load"].heapMiB;
}

std::vector<std::int64_t> parseSizes(const std::string& text) {
    std::vector<std::int64_t> sizes;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        const long long value = std::strtoll(item.c_str(), &end, 10);
        if (end == item.c_str() || *end != '\0' || value < 16)
            throw std::invalid_argument("bad size \"" + item + "\" (a count of at least 16)");
        sizes.push_back(value);
    }
    return sizes;
}

// The inputs of the shapes in a comma-separated list of their names.
std::vector<std::int64_t> parseShapes(const std::string& text) {
    std::vector<std::int64_t> inputs;
    std::stringstream list(text);
    std::string name;
    while (std::getline(list, name, ',')) {
        const auto shape = Palimo::Bench::shapeNamed(name);
        if (!shape)
            throw std::invalid_argument("no shape named " + name);
        inputs.push_back(inputOfShape(*shape));
    }
    return inputs;
}

struct Selection {
    std::vector<std::int64_t> sizes = {1000};
    std::vector<std::int64_t> inputs = {kBenchmarkShape, kRegisterShape};
};

// Takes --sizes=LIST and --shapes=LIST out of the arguments (Google Benchmark
// refuses flags it does not know); PALIMO_BENCH_SIZES gives the same sizes.
Selection takeSelection(int& argc, char** argv) {
    Selection selection;
    if (const char* fromEnvironment = std::getenv("PALIMO_BENCH_SIZES"))
        selection.sizes = parseSizes(fromEnvironment);
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--sizes=", 8) == 0) {
            selection.sizes = parseSizes(argv[i] + 8);
        } else if (std::strncmp(argv[i], "--shapes=", 9) == 0) {
            for (const std::int64_t input : parseShapes(argv[i] + 9))
                if (std::find(selection.inputs.begin(), selection.inputs.end(), input) ==
                    selection.inputs.end())
                    selection.inputs.push_back(input);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return selection;
}

// Every benchmark at each of the inputs: (elements, input shape).
std::vector<std::pair<std::int64_t, std::int64_t>> inputsOf(const std::set<std::int64_t>& sizes,
                                                            const std::vector<std::int64_t>& shapes,
                                                            bool withRegisters) {
    std::vector<std::pair<std::int64_t, std::int64_t>> inputs;
    for (const std::int64_t input : shapes)
        for (const std::int64_t size : sizes)
            inputs.emplace_back(size, input);
    if (withRegisters)
        inputs.emplace_back(0, kImportedRegisters);
    return inputs;
}

void registerBenchmarks(const Selection& selection) {
    const bool withRegisters = fs::is_directory(registersSnapshot());
    std::set<std::int64_t> parseSizes(kParseSizes.begin(), kParseSizes.end());
    parseSizes.insert(selection.sizes.begin(), selection.sizes.end());
    for (const auto& [size, input] : inputsOf(parseSizes, selection.inputs, withRegisters)) {
        benchmark::RegisterBenchmark("DomParse/XercesDOMParser", BM_DomParse)
            ->ArgNames({"elements", "input"})
            ->Args({size, input})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("DomParse/XPathDOM", BM_DomParseXPathDom)
            ->ArgNames({"elements", "input"})
            ->Args({size, input})
            ->Unit(benchmark::kMillisecond);
    }
    const std::set<std::int64_t> sizes(selection.sizes.begin(), selection.sizes.end());
    for (const auto& [size, input] : inputsOf(sizes, selection.inputs, withRegisters)) {
        benchmark::RegisterBenchmark("Load", BM_Load)
            ->ArgNames({"elements", "input"})
            ->Args({size, input})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("LoadPhases", BM_LoadPhases)
            ->ArgNames({"elements", "input"})
            ->Args({size, input})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("PeakMemory", BM_PeakMemory)
            ->ArgNames({"elements", "input"})
            ->Args({size, input})
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], kProbeFlag) == 0)
        return runMemoryProbe(argc, argv);
    Selection selection;
    try {
        selection = takeSelection(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "loader_bench: %s\n", e.what());
        return 2;
    }
    registerBenchmarks(selection);
    benchmark::AddCustomContext("dictionary",
                                "generated, seed " + std::to_string(kSeed) +
                                    "; input 0: five files, 1: one file of the register shape, "
                                    "2: the imported registers, 3 to 7: the appinfo-rich, "
                                    "defaults, namespaces, set-heavy and combined shapes");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
