#pragma once
// The schema files that an import or an extraction writes.
#include <cstdint>
#include <filesystem>

namespace Palimo {
namespace Registers {

/// A file written, with its size in bytes.
struct WrittenFile {
    std::filesystem::path path;
    std::uintmax_t bytes;
};

/// The top file of every schema set written here, from which the loader
/// loads the set: "MXFDictionary.xsd". An import's top file declares every
/// register namespace with its prefix, includes MXFTypes.xsd, MXFSets.xsd and
/// MXFElements.xsd and then imports MXFTypeDefinitions.xsd.
extern const char kTopFileName[];

} // namespace Registers
} // namespace Palimo
