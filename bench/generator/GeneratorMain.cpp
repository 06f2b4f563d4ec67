// mxfdict-gen: writes a synthetic MXF dictionary schema for benchmarks.
#include "DictionaryGenerator.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr
        << "usage: mxfdict-gen [--elements N] [--seed S] [--shape SHAPE] [--one-file|--split] "
           "DIRECTORY\n"
           "Writes a dictionary of N meta element declarations (default 1000, at least\n"
           "16) into DIRECTORY; the top file is MXFDictionary.xsd. SHAPE is one of\n"
           "  benchmark     about N/8 sets, inheritance three or four deep (default)\n"
           "  register      about N/12 sets, inheritance up to 7 deep\n"
           "  appinfo-rich  benchmark, 8 to 12 annotation facts a declaration\n"
           "  defaults      benchmark, values of every type, defaults on most members\n"
           "  namespaces    benchmark, 14 namespaces\n"
           "  set-heavy     N/4 sets of 12 members, inheritance three deep\n"
           "  combined      set-heavy with the facts, defaults and namespaces\n"
           "The register shape is written into that one file, the others into a file\n"
           "per namespace and kind, unless --one-file or --split says otherwise.\n";
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
            const auto shape = Palimo::Bench::shapeNamed(argv[++i]);
            if (!shape)
                return usage();
            options.shape = *shape;
        } else if (arg == "--one-file" || arg == "--split") {
            options.layout = arg == "--split" ? Palimo::Bench::GeneratorOptions::Layout::Split
                                              : Palimo::Bench::GeneratorOptions::Layout::OneFile;
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
                  << " sets, " << result.memberCount << " members, "
                  << result.distinguishedValueCount << " distinguished values, "
                  << result.namespaceCount << " namespaces, " << result.files.size() << " files\n";
    } catch (const std::exception& e) {
        std::cerr << "mxfdict-gen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
