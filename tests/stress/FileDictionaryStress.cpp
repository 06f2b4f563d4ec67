// Hostile dictionaries of MXF files' own (MetaDictionary definitions)
// against bounds of time and peak memory: each file is written to a
// temporary directory and read with the shipped example in a child process
// of its own, whose CPU time and peak resident set the parent reads from the
// kernel (wait4). Not a unit test: it measures, and fails when a read leaves
// its bounds or ends otherwise than expected. Prints one line per case and
// "N passed, M failed" at the end; exits non-zero when a case failed.
//
// file_dictionary_stress [--list] [NAME...]      (no names: every case)
// file_dictionary_stress --write-seeds DIR       (small versions of each, the
//                                             fuzz seeds of fuzz/mxf-corpus)
#include "../mxf/FileDictionaryFiles.h"
#include "ChildRun.h"

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace MxfTest;

// 06.0e.2b.34.<four bytes of prefix>.0e.7e.<n, four bytes>.00.00
std::string numbered(const char* prefix, std::uint32_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string text = std::string("06.0e.2b.34.") + prefix + ".0e.7e";
    for (int shift = 24; shift >= 0; shift -= 8)
        text += std::string(".") + digits[(n >> (shift + 4)) & 15] + digits[(n >> shift) & 15];
    return text + ".00.00";
}
std::string classId(std::uint32_t n) {
    return numbered("02.53.01.01", n);
}
std::string propertyId(std::uint32_t n) {
    return numbered("01.01.01.01", n);
}
std::string typeId(std::uint32_t n) {
    return numbered("01.04.01.01", n);
}

// The InstanceUIDs of definition sets are numbered from 1; those of other
// sets from 0x40000000.
Bytes instanceOf(const std::string& classKey, std::uint32_t n) {
    return localSet(classKey, {{0x3c0a, instance(0x40000000 + n)}});
}

// Classes each the parent of the one before, the first's parent the last.
Bytes classCycle(std::uint32_t n) {
    Bytes sets;
    for (std::uint32_t i = 0; i < n; ++i)
        append(sets, classDefinition(i + 1, classId(i), "C" + std::to_string(i),
                                     classId((i + 1) % n), {}));
    append(sets, instanceOf(classId(0), 0));
    return dictionaryFile(sets);
}

// Each class below the one before, the first below the example's SubDescriptor.
Bytes classChain(std::uint32_t n) {
    Bytes sets;
    for (std::uint32_t i = 0; i < n; ++i)
        append(sets, classDefinition(i + 1, classId(i), "C" + std::to_string(i),
                                     i == 0 ? Own::kSubDescriptorClass : classId(i - 1), {}));
    append(sets, instanceOf(classId(n - 1), 0));
    return dictionaryFile(sets);
}

// Half the types rename themselves; the other half are records each holding
// the next, the last the first; a class holds a property of each kind.
Bytes typeCycles(std::uint32_t n) {
    Bytes sets;
    const std::uint32_t half = std::max<std::uint32_t>(n / 2, 1);
    for (std::uint32_t i = 0; i < half; ++i)
        append(sets, typeDefinition(TypeSet::Rename, i + 1, typeId(i), "Self" + std::to_string(i),
                                    {{0x001e, hex(typeId(i))}}));
    for (std::uint32_t i = 0; i < half; ++i)
        append(sets, typeDefinition(TypeSet::Record, half + i + 1, typeId(half + i),
                                    "R" + std::to_string(i),
                                    {{0x001c, labels({hex(typeId(half + (i + 1) % half))})},
                                     {0x001d, strings({"Next"})}}));
    append(sets, propertyDefinition(2 * half + 1, propertyId(0), "P0", typeId(0), true, 0));
    append(sets, propertyDefinition(2 * half + 2, propertyId(1), "P1", typeId(half), true, 0));
    append(sets, classDefinition(2 * half + 3, classId(0), "K", Own::kSubDescriptorClass,
                                 {2 * half + 1, 2 * half + 2}));
    append(sets, instanceOf(classId(0), 0));
    return dictionaryFile(sets);
}

// Each type a rename of the one before, the first of UInt8; a property of the last.
Bytes typeChain(std::uint32_t n) {
    Bytes sets;
    for (std::uint32_t i = 0; i < n; ++i)
        append(sets, typeDefinition(TypeSet::Rename, i + 1, typeId(i), "T" + std::to_string(i),
                                    {{0x001e, hex(i == 0 ? Own::kUInt8 : typeId(i - 1))}}));
    append(sets, propertyDefinition(n + 1, propertyId(0), "Deep", typeId(n - 1), true, 0xff01));
    append(sets, classDefinition(n + 2, classId(0), "K", Own::kSubDescriptorClass, {n + 1}));
    append(sets, localSet(classId(0), {{0x3c0a, instance(0x40000000)}, {0xff01, Bytes{7}}}));
    return dictionaryFile(sets, {{0xff01, propertyId(0)}});
}

// One class with `n` properties, each naming the class (one list could
// name no more than 4095); `instances` sets of it.
Bytes manyProperties(std::uint32_t n, std::uint32_t instances, bool required) {
    Bytes sets;
    for (std::uint32_t i = 0; i < n; ++i)
        append(sets, propertyDefinition(i + 1, propertyId(i), "P" + std::to_string(i), Own::kInt32,
                                        !required, 0, false, classId(0)));
    append(sets, classDefinition(n + 1, classId(0), "K", Own::kSubDescriptorClass, {}));
    for (std::uint32_t i = 0; i < instances; ++i)
        append(sets, instanceOf(classId(0), i));
    return dictionaryFile(sets);
}

// A class with `members` properties and `n` classes below it, each with a set.
Bytes wideTree(std::uint32_t n, std::uint32_t members) {
    Bytes sets;
    std::vector<std::uint32_t> listed;
    for (std::uint32_t i = 0; i < members; ++i) {
        append(sets, propertyDefinition(i + 1, propertyId(i), "P" + std::to_string(i), Own::kInt32,
                                        true, 0));
        listed.push_back(i + 1);
    }
    append(sets,
           classDefinition(members + 1, classId(0), "Root", Own::kSubDescriptorClass, listed));
    for (std::uint32_t i = 1; i <= n; ++i) {
        append(sets, classDefinition(members + 1 + i, classId(i), "C" + std::to_string(i),
                                     classId(0), {}));
        append(sets, instanceOf(classId(i), i));
    }
    // A reference to the root may point to any class below it.
    append(sets, typeDefinition(TypeSet::StrongReference, members + n + 2, typeId(0), "RootRef",
                                {{0x0011, hex(classId(0))}}));
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(n, 1000); ++i)
        append(sets, propertyDefinition(members + n + 3 + i, propertyId(members + i),
                                        "Ref" + std::to_string(i), typeId(0), true, 0));
    return dictionaryFile(sets);
}

// `n` properties that all claim the local tag ff.01.
Bytes sameTag(std::uint32_t n) {
    Bytes sets;
    for (std::uint32_t i = 0; i < n; ++i)
        append(sets, propertyDefinition(i + 1, propertyId(i), "P" + std::to_string(i), Own::kInt32,
                                        true, 0xff01, false, classId(0)));
    append(sets, classDefinition(n + 1, classId(0), "K", Own::kSubDescriptorClass, {}));
    append(sets, localSet(classId(0), {{0x3c0a, instance(0x40000000)}, {0xff01, be(5, 4)}}));
    return dictionaryFile(sets, {{0xff01, propertyId(0)}});
}

struct Case {
    const char* name;
    const char* seedName; // fuzz/mxf-corpus/own-dictionary-<seedName>.mxf
    std::function<Bytes()> bytes;
    std::function<Bytes()> seed; // a small version for the fuzz corpus
    const char* outcome;         // the start of what the child reports
    double cpuSeconds;           // bound on the child's CPU time
    long peakMiB;                // bound on the child's peak resident set
};

// The reader's limits (100,000 sets, 500,000 items, 10,000 problems kept) cut
// each file short of its whole dictionary; what is read of it is still the
// worst a file can hand over. The bounds leave room for a busy machine: on an
// idle one each read takes 0.5 to 0.9 s of CPU time and 39 to 338 MiB at the
// peak (measured 2026-12-08; every definition set is also a set the example
// does not know).
std::vector<Case> cases() {
    return {
        {"class-cycle-100000", "class-cycle", [] { return classCycle(100000); },
         [] { return classCycle(40); },
         "read: 100000 sets, 200001 problems, 9999 of the file's dictionary", 6, 600},
        {"class-chain-100000", "class-chain", [] { return classChain(100000); },
         [] { return classChain(40); },
         "read: 100000 sets, 199969 problems, 9999 of the file's dictionary", 6, 600},
        {"type-cycles-100000", "type-cycles", [] { return typeCycles(100000); },
         [] { return typeCycles(40); },
         "read: 100000 sets, 200001 problems, 9999 of the file's dictionary", 6, 600},
        {"type-chain-100000", "type-chain", [] { return typeChain(100000); },
         [] { return typeChain(40); },
         "read: 100000 sets, 199969 problems, 9999 of the file's dictionary", 6, 600},
        {"properties-100000-on-one-class", "properties-of-one-class",
         [] { return manyProperties(100000, 1000, false); },
         [] { return manyProperties(100, 2, false); },
         "read: 83334 sets, 83336 problems, 1 of the file's dictionary", 6, 700},
        {"classes-100000-below-one-of-4000-members", "classes-below-one",
         [] { return wideTree(100000, 4000); }, [] { return wideTree(20, 20); },
         "read: 100000 sets, 147864 problems, 9999 of the file's dictionary", 10, 900},
        {"required-4000-on-10000-sets", "required-members",
         [] { return manyProperties(4000, 10000, true); },
         [] { return manyProperties(40, 2, true); },
         "read: 14001 sets, 174001 problems, 0 of the file's dictionary", 4, 200},
        {"tag-of-100000-properties", "one-tag-for-many", [] { return sameTag(100000); },
         [] { return sameTag(40); },
         "read: 71429 sets, 142857 problems, 9999 of the file's dictionary", 6, 600},
    };
}

// What the child reports: "read: S sets, P problems, F of the file's dictionary"
// (P counts those beyond the limit of the problems kept, F only those kept).
std::string readInChild(const fs::path& file) {
    try {
        Palimo::MetaMetadata::Dictionary dictionary;
        Palimo::TypeDefinitions::TypeDictionary types;
        Palimo::TypeDefinitions::loadDictionary(PALIMO_EXAMPLE_SCHEMA, {}, dictionary, types);
        const Palimo::MXF::DecodedFile read =
            Palimo::MXF::readMXFFile(file.string(), dictionary, &types);
        const auto own =
            std::count_if(read.problems.begin(), read.problems.end(), [](const auto& p) {
                return p.kind == Palimo::MXF::Problem::Kind::FileDictionary;
            });
        return "read: " + std::to_string(read.sets.size()) + " sets, " +
               std::to_string(read.problems.size() + read.problemsNotKept) + " problems, " +
               std::to_string(own) + " of the file's dictionary";
    } catch (const Palimo::Exceptions::BaseException& e) {
        return std::string("refused: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("std::exception: ") + e.what();
    }
}

void write(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

bool run(const Case& c) {
    const fs::path dir = fs::temp_directory_path() /
                         ("palimo-mxf-stress-" + std::to_string(::getpid()) + "-" + c.name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const Bytes bytes = c.bytes();
    write(dir / "hostile.mxf", bytes);

    const Stress::ChildRun child =
        Stress::runInChild([&] { return readInChild(dir / "hostile.mxf"); });
    fs::remove_all(dir);
    const std::string& report = child.report;
    const double cpu = child.cpuSeconds;
    const double wall = child.wallSeconds;
    const long peakMiB = child.peakMiB;
    std::string problem;
    if (!child.exitedCleanly())
        problem = "child ended with status " + std::to_string(child.status);
    else if (report.rfind(c.outcome, 0) != 0)
        problem = "expected \"" + std::string(c.outcome) + "...\"";
    else if (cpu > c.cpuSeconds)
        problem = "CPU time above " + std::to_string(c.cpuSeconds) + " s";
    else if (peakMiB > c.peakMiB)
        problem = "peak memory above " + std::to_string(c.peakMiB) + " MiB";
    std::printf("%-42s %-6s %6.1f MB  cpu %6.2f s  wall %6.2f s  peak %5ld MiB  %.120s%s\n", c.name,
                problem.empty() ? "ok" : "FAILED", static_cast<double>(bytes.size()) / 1e6, cpu,
                wall, peakMiB, report.c_str(), problem.empty() ? "" : ("\n    " + problem).c_str());
    std::fflush(stdout);
    return problem.empty();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names(argv + 1, argv + argc);
    const std::vector<Case> all = cases();
    if (names.size() == 2 && names[0] == "--write-seeds") {
        for (const Case& c : all)
            write(fs::path(names[1]) / ("own-dictionary-" + std::string(c.seedName) + ".mxf"),
                  c.seed());
        write(fs::path(names[1]) / "own-dictionary-every-kind.mxf", Own::ownDictionaryFile());
        return 0;
    }
    return Stress::runSelected(names, all, run);
}
