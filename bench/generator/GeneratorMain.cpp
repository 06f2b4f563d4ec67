// mxfdict-gen: writes a synthetic MXF dictionary schema for benchmarks.
#include "DictionaryGenerator.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr << "usage: mxfdict-gen [--elements N] [--seed S] [--shape benchmark|register] "
                 "DIRECTORY\n"
                 "Writes a dictionary of N meta element declarations (default 1000, at least\n"
                 "16) into DIRECTORY; the top file is MXFDictionary.xsd. The benchmark shape\n"
                 "(default) has about N/8 sets in five files, the register shape about N/12\n"
                 "sets with inheritance up to 7 deep in that one file.\n";
    return 2;
}

bool readNumber(const char* text, unsigned long long& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    Palimo::Bench::GeneratorOptions options;
    const char* directory = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        unsigned long long value = 0;
        if ((arg == "--elements" || arg == "--seed") && i + 1 < argc) {
            if (!readNumber(argv[++i], value))
                return usage();
            if (arg == "--elements")
                options.elementCount = static_cast<std::size_t>(value);
            else
                options.seed = static_cast<std::uint32_t>(value);
        } else if (arg == "--shape" && i + 1 < argc) {
            const std::string shape = argv[++i];
            if (shape == "register")
                options.shape = Palimo::Bench::GeneratorOptions::Shape::Register;
            else if (shape != "benchmark")
                return usage();
        } else if (!arg.empty() && arg[0] != '-' && !directory) {
            directory = argv[i];
        } else {
            return usage();
        }
    }
    if (!directory)
        return usage();
    try {
        const auto result = Palimo::Bench::generateDictionary(directory, options);
        std::cout << result.topFile.string() << ": " << result.elementCount << " elements ("
                  << result.referenceElementCount << " references, "
                  << result.collectionElementCount << " collections), " << result.setCount
                  << " sets, " << result.distinguishedValueCount << " distinguished values\n";
    } catch (const std::exception& e) {
        std::cerr << "mxfdict-gen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
