#pragma once
// What an MXF file's own dictionary adds to the dictionary it was read with,
// written as a schema set in the conventions of an import (Importer.h):
// its top file takes in the dictionary's top file, then declares the sets,
// elements and type definitions the file adds.
#include <Palimo/Registers/RegisterError.h>
#include <Palimo/Registers/SchemaFiles.h>

#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

/// What an extraction wrote.
struct ExtensionReport {
    std::size_t addedSets = 0;    // classes the file adds
    std::size_t extendedSets = 0; // sets of the dictionary the file adds members to
    std::size_t elements = 0;
    std::size_t typeDefinitions = 0;
    std::string dictionaryLocation; // as the top file names the dictionary's top file
    std::vector<WrittenFile> files;
};

/// Writes into `directory` (created when missing) MXFDictionary.xsd,
/// MXFSets.xsd, MXFElements.xsd and MXFTypeDefinitions.xsd: the classes the
/// file adds as sets (each extending its parent's type and joining its
/// parent's substitution group), its properties as elements (label, name, the
/// file's name as "Name In Specification", static local tag, flat type,
/// reference targets, "Type Definition"), its types as type definitions, and
/// the members it adds to sets of the dictionary as a redefinition of their
/// types. The top file redefines (or, when it adds no members to the
/// dictionary's sets, includes) `dictionaryTop`, the top file of the schema
/// that `dictionary` and `types` were loaded from, by a path relative to
/// `directory`; its sets' types are taken to be named after them ("Preface"
/// has "PrefaceType"), as in the dictionaries this project writes. `source`
/// names the MXF file in the top file's comment. Throws RegisterError naming
/// a path that cannot be written. Only reads `file`, `dictionary` and
/// `types`: extractions into different directories may run at once.
ExtensionReport writeExtensionSchema(const MXF::FileDictionary& file,
                                     const MetaMetadata::Dictionary& dictionary,
                                     const TypeDefinitions::TypeDictionary* types,
                                     const std::filesystem::path& dictionaryTop,
                                     const std::filesystem::path& directory,
                                     const std::string& source);

/// What of `file`'s definitions a dictionary loaded from the schema that
/// writeExtensionSchema wrote lacks, each as "set NAME", "member LABEL of set
/// NAME", "element NAME" (missing, or of another data type), "the type
/// definition of element NAME" or "type definition SYMBOL"; empty when it
/// holds them all. Only reads its arguments.
std::vector<std::string> definitionsNotLoaded(const MXF::FileDictionary& file,
                                              const MetaMetadata::Dictionary& dictionary,
                                              const TypeDefinitions::TypeDictionary& types);

} // namespace Registers
} // namespace Palimo
