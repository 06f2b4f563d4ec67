#pragma once
// Loading a dictionary schema together with the type definitions it carries.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <string>

namespace Palimo {
namespace TypeDefinitions {

/// The loader's switches.
struct LoadSwitches {
    bool documentation = false;     // the "Documentation" property of elements and sets
    bool lengthDescription = false; // the "LengthDescription" property
};

/// Loads the schema file at `path` (UTF-8) and what it includes or imports
/// into `dictionary` exactly as MetaMetadata::Loading::XSDDictionaryLoader
/// does with the same switches (the same entries, the same failures), and in
/// the same load, from the same document, its type definitions into `types`
/// (docs/type-definitions.md); a schema without any leaves `types` empty.
/// Throws what the loader throws and, once the dictionary is filled,
/// TypeDefinitionError. Loads on separate threads may run at once.
void loadDictionary(const std::string& path, const LoadSwitches& switches,
                    MetaMetadata::Dictionary& dictionary, TypeDictionary& types);

} // namespace TypeDefinitions
} // namespace Palimo
