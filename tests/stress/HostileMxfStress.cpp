// Hostile MXF files against bounds of time, peak memory and output: each case
// is written to a temporary directory and read by `mxfdict read` in child
// processes of their own, once per form of output (text, --json, --tree...).
// The parent reads each child's CPU time and peak resident set from the
// kernel (wait4) and counts what it writes to standard output. Not a unit
// test: it measures, and fails when a read leaves its bounds, ends with
// another exit status than expected, or ends by a signal. Prints one line per
// read and "N passed, M failed" at the end; exits non-zero when one failed.
//
// hostile_mxf_stress [--list] [NAME...]   (no names: every case)
// hostile_mxf_stress --write DIR [NAME...] writes the files as DIR/NAME.mxf
// (seeds of the reader's large-input fuzzing; the FIFO is left out).
#include "ChildRun.h"

#include "mxf/MxfBytes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using MxfTest::be;
using MxfTest::Bytes;
using MxfTest::hex;
using MxfTest::operator+;

// Keys and labels of the shipped example that the files use.
const char kSequence[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.0f.00";
const char kAES3Descriptor[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.47.00";
const char kIdentification[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.30.00";
const char kPrimerKey[] = "06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00";
const char kInstanceID[] = "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00";
const char kComponentObjects[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.06.09.00.00";
const char kChannelStatusMode[] = "06.0e.2b.34.01.01.01.05.04.02.05.01.02.00.00.00";
const char kEssenceContainers[] = "06.0e.2b.34.01.01.01.05.01.02.02.10.02.01.00.00";
const char kPreface[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
const char kApplicationName[] = "06.0e.2b.34.01.01.01.02.05.20.07.01.03.01.00.00";
const char kContentStorageObject[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.02.01.00.00";

constexpr std::uint64_t kMiB = 1024 * 1024;

// Writes a file in pieces, so that files of hundreds of megabytes never sit
// in the parent's memory (a child's peak counts what it inherits).
class Writer {
public:
    explicit Writer(const fs::path& file) : out_(file, std::ios::binary | std::ios::trunc) {}
    ~Writer() { flush(); }
    void add(const Bytes& bytes) {
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        if (buffer_.size() >= kMiB)
            flush();
    }
    void add(std::size_t count, std::uint8_t byte) {
        for (; count > 0; --count) {
            buffer_.push_back(byte);
            if (buffer_.size() >= kMiB)
                flush();
        }
    }

private:
    void flush() {
        out_.write(reinterpret_cast<const char*>(buffer_.data()),
                   static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
    std::ofstream out_;
    Bytes buffer_;
};

// A key and a BER length of 4 bytes, or of 8 for lengths a file only claims.
Bytes klvHeader(const std::string& key, std::uint64_t length) {
    if (length >= (1ull << 32))
        return hex(key) + Bytes{0x88} + be(length, 8);
    return hex(key) + Bytes{0x84} + be(length, 4);
}

Bytes item(std::uint16_t tag, const Bytes& value) {
    return be(tag, 2) + be(value.size(), 2) + value;
}

Bytes uid(std::uint64_t n) {
    return hex("adab4424-2f25-4dc7") + be(n, 8);
}

// The primer of the tags the files use; `extra` bytes of its value claimed
// beyond it (a primer that lies about its length).
Bytes primer(std::uint64_t claimedExtra = 0) {
    const std::vector<std::pair<std::uint16_t, const char*>> entries = {
        {0x3c0a, kInstanceID},      {0x1001, kComponentObjects},  {0x3d10, kChannelStatusMode},
        {0x3c02, kApplicationName}, {0x3b0a, kEssenceContainers},
    };
    Bytes value = be(entries.size(), 4) + be(18, 4);
    for (const auto& [tag, label] : entries)
        value = value + be(tag, 2) + hex(label);
    return klvHeader(kPrimerKey, value.size() + claimedExtra) + value;
}

// A closed complete header partition pack whose header metadata (the primer
// first) takes `headerByteCount` bytes; its own length is `packLength`
// (88 + 16 for its one essence container, unless a file claims more).
Bytes headerPartitionPack(std::uint64_t headerByteCount, std::uint64_t packLength = 104) {
    return klvHeader("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.02.04.00", packLength) + be(1, 2) +
           be(3, 2) + be(1, 4) + be(0, 8) + be(0, 8) + be(0, 8) + be(headerByteCount, 8) +
           be(0, 8) + be(0, 4) + be(0, 8) + be(1, 4) +
           hex("06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00") + be(1, 4) + be(16, 4) +
           hex("06.0e.2b.34.04.01.01.01.0d.01.03.01.02.06.01.00");
}

// A file of one header partition whose header metadata, after the primer,
// is `sets` (`metadataBytes` in all), written by `writeSets`.
void headerFile(const fs::path& file, std::uint64_t metadataBytes,
                const std::function<void(Writer&)>& writeSets) {
    Writer out(file);
    const Bytes thePrimer = primer();
    out.add(headerPartitionPack(thePrimer.size() + metadataBytes));
    out.add(thePrimer);
    writeSets(out);
}

// A Sequence whose ComponentObjects refer to the Sequence `next`.
Bytes sequence(std::uint64_t n, std::uint64_t next) {
    const Bytes items = item(0x3c0a, uid(n)) + item(0x1001, be(1, 4) + be(16, 4) + uid(next));
    return klvHeader(kSequence, items.size()) + items;
}
constexpr std::uint64_t kKeyAndLength = 21;
constexpr std::uint64_t kSequenceBytes = kKeyAndLength + 20 + 28;

// `count` Sequences, each owning the next; the last owns the first when
// `cycle`, else nothing.
std::function<void(const fs::path&)> chain(std::uint64_t count, bool cycle) {
    return [count, cycle](const fs::path& file) {
        headerFile(file, count * kSequenceBytes, [&](Writer& out) {
            for (std::uint64_t n = 0; n < count; ++n)
                out.add(sequence(n, n + 1 < count ? n + 1 : (cycle ? 0 : count + 1)));
        });
    };
}

// A Preface that owns the first of `count` Sequences, each owning the next:
// a RegXML document as deep as the chain, unless the writer stops it.
void prefaceAndChain(const fs::path& file, std::uint64_t count) {
    const Bytes prefaceItems = item(0x3c0a, uid(count + 1)) + item(0x3b03, uid(0));
    const Bytes preface = klvHeader(kPreface, prefaceItems.size()) + prefaceItems;
    headerFile(file, preface.size() + count * kSequenceBytes, [&](Writer& out) {
        out.add(preface);
        for (std::uint64_t n = 0; n < count; ++n)
            out.add(sequence(n, n + 1));
    });
}

// Sets of `itemsPerSet` items of `itemBytes` bytes each, `itemValue` every one.
std::function<void(const fs::path&)> setsOfItems(const char* key, std::uint64_t sets,
                                                 std::uint64_t itemsPerSet,
                                                 std::function<Bytes()> itemValue) {
    return [=](const fs::path& file) {
        const Bytes one = itemValue();
        const std::uint64_t setBytes = itemsPerSet * one.size();
        headerFile(file, sets * (kKeyAndLength + setBytes), [&](Writer& out) {
            for (std::uint64_t s = 0; s < sets; ++s) {
                out.add(klvHeader(key, setBytes));
                for (std::uint64_t i = 0; i < itemsPerSet; ++i)
                    out.add(one);
            }
        });
    };
}

// A variable array of `count` items of `size` bytes, its item a 64 KiB
// value at most.
Bytes arrayItem(std::uint16_t tag, std::uint64_t count, std::uint64_t size) {
    return item(tag, be(count, 4) + be(size, 4) + Bytes(count * size, 1));
}

// A schema of one set with a UTF-8 text item, for the file of invalid UTF-8:
// the shipped example has none.
const char kUtf8Schema[] = R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema"
    xmlns:ff="urn:SMPTE:MXF:file_format" targetNamespace="urn:SMPTE:MXF:file_format"
    elementFormDefault="qualified">
  <xs:element name="Note" type="ff:UTF8String">
    <xs:annotation><xs:appinfo source="RP210"/>
      <xs:appinfo source="UL Designator">06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01</xs:appinfo>
      <xs:appinfo source="Local Tag">7f.01</xs:appinfo>
      <xs:appinfo source="XMLNamespaceURI">urn:SMPTE:MXF:file_format</xs:appinfo>
    </xs:annotation>
  </xs:element>
  <xs:element name="NotesReference" type="ff:Ref" substitutionGroup="ff:Notes"/>
  <xs:element name="Notes">
    <xs:annotation>
      <xs:appinfo source="UL Designator">06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.30.00</xs:appinfo>
      <xs:appinfo source="XMLNamespaceURI">urn:SMPTE:MXF:file_format</xs:appinfo>
    </xs:annotation>
    <xs:complexType><xs:sequence>
      <xs:element ref="ff:Note"><xs:annotation><xs:appinfo source="use">optional</xs:appinfo></xs:annotation></xs:element>
    </xs:sequence></xs:complexType>
  </xs:element>
</xs:schema>
)";

struct Case {
    const char* name;
    // Writes the file `file` (and what else it needs beside it).
    std::function<void(const fs::path& file)> write;
    // The options of each read, the file after them.
    std::vector<std::vector<std::string>> reads;
    int status;              // the exit status every read must end with
    const char* errFragment; // a part of standard error
    double cpuSeconds = 10;
    long peakMiB = 1024;
    std::uint64_t outputMiB = 1024; // bound on standard output: 4 times the largest file
    rlim_t addressSpace = 0;        // RLIMIT_AS of the child (0: 4 GiB)
};

const std::vector<std::vector<std::string>> kEveryForm = {{}, {"--json"}, {"--tree"}};
const std::vector<std::vector<std::string>> kTreeForms = {{"--tree"}, {"--json", "--tree"}};
// For the largest files, the two forms that write the most.
const std::vector<std::vector<std::string>> kTextAndJson = {{}, {"--json"}};

std::vector<Case> cases() {
    std::vector<Case> all;
    all.push_back({"primer-claims-4-GiB",
                   [](const fs::path& file) {
                       Writer out(file);
                       out.add(headerPartitionPack(1000));
                       out.add(primer(4ull << 30));
                       out.add(sequence(1, 2));
                   },
                   kEveryForm, 4, "problems in"});
    all.push_back({"local-set-claims-4-GiB",
                   [](const fs::path& file) {
                       headerFile(file, 1000, [](Writer& out) {
                           out.add(sequence(1, 2));
                           out.add(klvHeader(kSequence, 4ull << 30));
                           out.add(Bytes(100, 0));
                       });
                   },
                   kEveryForm, 4, "problems in"});
    all.push_back({"partition-pack-claims-4-GiB",
                   [](const fs::path& file) {
                       Writer out(file);
                       out.add(headerPartitionPack(1000, 4ull << 30));
                       out.add(primer());
                       out.add(sequence(1, 2));
                   },
                   kEveryForm, 3, "mxfdict: cannot read"});
    all.push_back({"run-in-of-65536-bytes",
                   [](const fs::path& file) {
                       Writer out(file);
                       out.add(65536, 0);
                       out.add(headerPartitionPack(0));
                   },
                   {{}},
                   3,
                   "mxfdict: cannot read"});
    // 4 MB of items of no bytes, 1,000,000 of them, in sets of 1 MB.
    all.push_back({"empty-items-4-MB",
                   setsOfItems(kSequence, 4, 250000, [] { return item(0x3c0a, {}); }), kEveryForm,
                   4, "problems in"});
    all.push_back({"chain-of-1000000-sets", chain(1000000, false), kEveryForm, 4, "problems in"});
    all.push_back({"cycle-of-1000000-sets", chain(1000000, true), kEveryForm, 4, "problems in"});
    all.push_back(
        {"chain-10000-deep", chain(10000, false), kTreeForms, 4, "problems in", 10, 1024, 64});
    all.push_back(
        {"cycle-10000-deep", chain(10000, true), kTreeForms, 4, "problems in", 10, 1024, 64});
    all.push_back({"preface-and-chain-100000-deep",
                   [](const fs::path& file) { prefaceAndChain(file, 99999); },
                   {{"--regxml"}, {"--tree"}},
                   4,
                   "problems in",
                   10,
                   1024,
                   64});
    // 256 MiB (16 sets of 16 MiB, each 255 items of 64 KiB) of items that
    // decode to many small values: arrays of one-byte enumerations, of AUIDs
    // and of strong references; and of UTF-16 text, whose UTF-8 is longer.
    const auto fullHeaderMetadata = [](const char* key, std::function<Bytes()> itemValue) {
        return setsOfItems(key, 16, 255, std::move(itemValue));
    };
    all.push_back({"256-MiB-of-byte-arrays",
                   fullHeaderMetadata(kAES3Descriptor, [] { return arrayItem(0x3d10, 65527, 1); }),
                   kTextAndJson, 4, "problems in"});
    all.push_back({"256-MiB-of-label-arrays",
                   fullHeaderMetadata(kPreface, [] { return arrayItem(0x3b0a, 4095, 16); }),
                   kTextAndJson, 4, "problems in"});
    all.push_back({"256-MiB-of-strong-reference-arrays",
                   fullHeaderMetadata(kSequence, [] { return arrayItem(0x1001, 4095, 16); }),
                   {{"--json"}, {"--tree"}},
                   4,
                   "problems in"});
    all.push_back(
        {"256-MiB-of-texts",
         fullHeaderMetadata(kIdentification, [] { return item(0x3c02, Bytes(65534, 0x41)); }),
         kTextAndJson, 4, "problems in"});
    all.push_back({"invalid-utf-8",
                   [](const fs::path& file) {
                       std::ofstream(file.parent_path() / "utf8.xsd") << kUtf8Schema;
                       Bytes text;
                       for (int i = 0; i < 1000; ++i)
                           text = text + Bytes{'a', 0xff, 0xc3, '(', 0xed, 0xa0, 0x80, 0xc2, 0x9b};
                       const Bytes items = item(0x7f01, text);
                       Writer out(file);
                       out.add(headerPartitionPack(kKeyAndLength + items.size()));
                       out.add(klvHeader(kIdentification, items.size()));
                       out.add(items);
                   },
                   {{"--schema", "utf8.xsd"}, {"--json", "--schema", "utf8.xsd"}},
                   4,
                   "problems in"});
    all.push_back({"fifo-without-writer",
                   [](const fs::path& file) {
                       if (::mkfifo(file.c_str(), 0600) != 0)
                           throw std::runtime_error("mkfifo failed");
                   },
                   {{}},
                   3,
                   "it is a FIFO"});
    // Memory runs out while the header metadata is read: a status of its
    // own, never an abort.
    all.push_back(
        {"out-of-memory",
         setsOfItems(kAES3Descriptor, 16, 255, [] { return arrayItem(0x3d10, 65527, 1); }),
         {{"--json"}},
         5,
         "mxfdict: out of memory",
         10,
         1024,
         256,
         400 * kMiB});
    return all;
}

struct Outcome {
    int status = -1;
    int signal = 0;
    double cpu = 0;
    double wall = 0;
    long peakMiB = 0;
    std::uint64_t outputBytes = 0;
    std::string err; // the first 64 KiB
};

// Runs mxfdict read in a child, in `dir`, reading both of its outputs.
Outcome readInChild(const fs::path& dir, std::vector<std::string> args, const Case& c) {
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    args.insert(args.begin(), {MXFDICT_PATH, "read"});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {out[0], out[1], err[0], err[1]})
            ::close(fd);
        if (::chdir(dir.c_str()) != 0)
            std::_Exit(126);
        // Bounds well above those checked, so that a runaway read stops.
        const rlimit cpu{60, 60};
        const rlim_t space = c.addressSpace ? c.addressSpace : 4096 * kMiB;
        const rlimit memory{space, space};
        ::setrlimit(RLIMIT_CPU, &cpu);
        ::setrlimit(RLIMIT_AS, &memory);
        ::unsetenv("MXFDICT_SCHEMA");
        ::execv(argv[0], argv.data());
        std::_Exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    Outcome outcome;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    char buffer[65536];
    for (int open = 2; open > 0;) {
        if (::poll(fds, 2, -1) < 0)
            break;
        for (pollfd& fd : fds) {
            if (fd.fd < 0 || fd.revents == 0)
                continue;
            const ssize_t got = ::read(fd.fd, buffer, sizeof buffer);
            if (got <= 0) {
                ::close(fd.fd);
                fd.fd = -1;
                --open;
            } else if (&fd == &fds[0]) {
                outcome.outputBytes += static_cast<std::uint64_t>(got);
            } else if (outcome.err.size() < 65536) {
                outcome.err.append(buffer, static_cast<std::size_t>(got));
            }
        }
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    outcome.wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    outcome.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    outcome.peakMiB = usage.ru_maxrss / 1024;
    if (WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    return outcome;
}

// Every read of one case; false when one of them failed.
bool run(const Case& c) {
    const fs::path dir = fs::temp_directory_path() /
                         ("palimo-mxf-stress-" + std::to_string(::getpid()) + "-" + c.name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "file.mxf";
    c.write(file);
    bool passed = true;
    for (const std::vector<std::string>& options : c.reads) {
        std::vector<std::string> args = options;
        args.push_back(file.filename().string());
        const Outcome outcome = readInChild(dir, args, c);
        std::string problem;
        if (outcome.signal != 0)
            problem = "ended by signal " + std::to_string(outcome.signal);
        else if (outcome.status != c.status)
            problem = "exit status " + std::to_string(outcome.status) + ", expected " +
                      std::to_string(c.status);
        else if (outcome.err.find(c.errFragment) == std::string::npos)
            problem = "standard error lacks \"" + std::string(c.errFragment) + "\"";
        else if (outcome.cpu > c.cpuSeconds)
            problem = "CPU time above " + std::to_string(c.cpuSeconds) + " s";
        else if (outcome.peakMiB > c.peakMiB)
            problem = "peak memory above " + std::to_string(c.peakMiB) + " MiB";
        else if (outcome.outputBytes > c.outputMiB * kMiB)
            problem = "output above " + std::to_string(c.outputMiB) + " MiB";
        std::string shownOptions;
        for (const std::string& option : options)
            shownOptions += (shownOptions.empty() ? "" : " ") + option;
        std::string lastLine = outcome.err;
        while (!lastLine.empty() && lastLine.back() == '\n')
            lastLine.pop_back();
        lastLine = lastLine.substr(lastLine.rfind('\n') + 1);
        std::printf("%-36s %-22s %-6s exit %d  cpu %6.2f s  wall %6.2f s  peak %5ld MiB  "
                    "output %8.2f MiB  %.100s%s\n",
                    c.name, shownOptions.c_str(), problem.empty() ? "ok" : "FAILED", outcome.status,
                    outcome.cpu, outcome.wall, outcome.peakMiB,
                    static_cast<double>(outcome.outputBytes) / kMiB, lastLine.c_str(),
                    problem.empty() ? "" : ("\n    " + problem).c_str());
        std::fflush(stdout);
        passed = passed && problem.empty();
    }
    fs::remove_all(dir);
    return passed;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names(argv + 1, argv + argc);
    const std::vector<Case> all = cases();
    if (names.size() >= 2 && names[0] == "--write") {
        const fs::path dir = names[1];
        fs::create_directories(dir);
        names.erase(names.begin(), names.begin() + 2);
        for (const Case& c : all) {
            const bool chosen =
                names.empty() || std::find(names.begin(), names.end(), c.name) != names.end();
            if (!chosen || c.addressSpace != 0 ||
                std::string(c.name).find("fifo") != std::string::npos)
                continue;
            c.write(dir / (std::string(c.name) + ".mxf"));
            std::printf("%s\n", (dir / (std::string(c.name) + ".mxf")).c_str());
        }
        return 0;
    }
    return Stress::runSelected(names, all, run);
}
