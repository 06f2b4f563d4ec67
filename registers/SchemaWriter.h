#pragma once
// Writes the declarations of an import as a schema set in the conventions of
// the example dictionary.
#include "registers/SchemaModel.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

struct WrittenFile {
    std::filesystem::path path;
    std::uintmax_t bytes;
};

/// The top file, which declares every register namespace with its prefix,
/// includes MXFTypes.xsd, MXFSets.xsd and MXFElements.xsd and then imports
/// MXFTypeDefinitions.xsd.
extern const char kTopFileName[]; // "MXFDictionary.xsd"

/// Writes MXFDictionary.xsd, MXFTypes.xsd, MXFSets.xsd, MXFElements.xsd and
/// MXFTypeDefinitions.xsd into `directory` (created when missing; files of those names are
/// replaced). Throws RegisterError naming the path that cannot be written.
std::vector<WrittenFile> writeSchema(const SchemaModel& model,
                                     const std::filesystem::path& directory);

/// The texts of the five files, by file name, in the order written.
std::vector<std::pair<std::string, std::string>> schemaTexts(const SchemaModel& model);

} // namespace Registers
} // namespace Palimo
