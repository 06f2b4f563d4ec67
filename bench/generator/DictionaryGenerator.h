#pragma once
// Writes synthetic but realistically shaped MXF dictionary schemas, for
// measuring the loader on dictionaries of any size.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace Palimo {
namespace Bench {

struct GeneratorOptions {
    enum class Shape {
        /// Five files, about 8 own members a set, inheritance three or four
        /// deep, an extension namespace.
        Benchmark,
        /// One file, as a conversion of the registers writes it: about 12 own
        /// members a set, inheritance up to 7 deep, no extension namespace.
        Register,
    };
    /// Number of meta element declarations (RP210); at least 16.
    std::size_t elementCount = 1000;
    /// Varies names, types, hierarchy and defaults; labels and tags stay unique.
    std::uint32_t seed = 1;
    Shape shape = Shape::Benchmark;
};

/// What was written, and what a complete load of it must give.
struct GeneratedDictionary {
    std::filesystem::path topFile;
    /// Every file of the dictionary, the top file first.
    std::vector<std::filesystem::path> files;
    /// Meta elements the dictionary must receive (one per declaration).
    std::size_t elementCount = 0;
    /// Sets the dictionary must hold (every set has its own key).
    std::size_t setCount = 0;
    std::size_t referenceElementCount = 0;
    std::size_t collectionElementCount = 0;
    std::size_t distinguishedValueCount = 0;
};

/// Writes the dictionary into `directory` (created when missing; files of the
/// same names are overwritten). In the benchmark shape: a top file
/// "MXFDictionary.xsd" that includes three files of the MXF file format
/// namespace and imports one of an extension namespace; about elementCount / 8
/// sets, with complex-type
/// inheritance three or four deep, abstract group heads reached through
/// substitution groups, strong and weak references, arrays and batches,
/// enumerations and distinguished values of many types. The same options
/// always give the same bytes. In the register shape: "MXFDictionary.xsd"
/// alone, with about elementCount / 12 sets. Throws std::runtime_error when a file cannot
/// be written and std::invalid_argument for fewer than 16 elements.
GeneratedDictionary generateDictionary(const std::filesystem::path& directory,
                                       const GeneratorOptions& options);

} // namespace Bench
} // namespace Palimo
