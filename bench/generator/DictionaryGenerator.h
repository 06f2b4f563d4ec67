#pragma once
// Writes synthetic but realistically shaped MXF dictionary schemas, for
// measuring the loader on dictionaries of any size and shape.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Bench {

struct GeneratorOptions {
    enum class Shape {
        /// About 8 own members a set, inheritance three or four deep, an
        /// extension namespace for the last sixteenth of the sets.
        Benchmark,
        /// As a conversion of the registers writes it: about 12 own members a
        /// set, inheritance up to 7 deep, no extension namespace.
        Register,
        /// The benchmark shape with 8 to 12 annotation facts on every element
        /// and set declaration (longer documentation, "Length" and facts the
        /// loader does not read) and 4 to 7 on every member.
        AppinfoRich,
        /// The benchmark shape with simple elements of every type that has a
        /// textual value and a "Distinguished Value" on most members.
        Defaults,
        /// The benchmark shape with 14 namespaces: the file format's and one
        /// per vocabulary, each set and its elements in one of them.
        Namespaces,
        /// A set per four elements, 12 members each (elements are shared
        /// between sets), inheritance three deep.
        SetHeavy,
        /// All of the four above at once.
        Combined,
    };
    enum class Layout {
        /// The shape's own: one file for the register shape, several for the others.
        ShapeDefault,
        /// Everything in MXFDictionary.xsd.
        OneFile,
        /// MXFDictionary.xsd includes the types, the elements and the sets of
        /// the file format namespace, each in a file of its own, and imports
        /// one file for each other namespace.
        Split,
    };
    /// Number of meta element declarations (RP210); at least 16.
    std::size_t elementCount = 1000;
    /// Varies names, types, hierarchy and defaults; labels and tags stay unique.
    std::uint32_t seed = 1;
    Shape shape = Shape::Benchmark;
    Layout layout = Layout::ShapeDefault;
};

/// The shape's name on the command line ("benchmark", "register",
/// "appinfo-rich", "defaults", "namespaces", "set-heavy", "combined").
const char* shapeName(GeneratorOptions::Shape shape);
/// The shape of that name; nullopt for any other text.
std::optional<GeneratorOptions::Shape> shapeNamed(const std::string& name);

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
    /// Member declarations of all set types, inherited ones counted once.
    std::size_t memberCount = 0;
    std::size_t distinguishedValueCount = 0;
    /// Namespaces that hold at least one element or set.
    std::size_t namespaceCount = 0;
};

/// Writes the dictionary into `directory` (created when missing; files of the
/// same names are overwritten). Every shape has abstract group heads reached
/// through substitution groups, strong and weak references, arrays and
/// batches, enumerations and distinguished values of many types. In several
/// files: a top file "MXFDictionary.xsd" that includes three files of the MXF
/// file format namespace and imports one file for each other namespace. In
/// one file, the same components in the same order. The same options always
/// give the same bytes, and both layouts of the same shape, size and seed load
/// to the same dictionary. Throws std::runtime_error when a file cannot be
/// written and std::invalid_argument for fewer than 16 elements.
GeneratedDictionary generateDictionary(const std::filesystem::path& directory,
                                       const GeneratorOptions& options);

} // namespace Bench
} // namespace Palimo
