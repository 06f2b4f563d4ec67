#pragma once
// The readable form of a dictionary, as mxfdict show writes it: a summary,
// then every set with its members, then every element.
//
// Threads: the writers only read the dictionary; any number may write at
// once, each to its own stream.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <ostream>
#include <string>

namespace Palimo {
namespace Output {

/// "Schema:", "Elements:" with the counts by kind and "Sets:", a line each.
void printDictionarySummary(std::ostream& out, const std::string& schemaPath,
                            const MetaMetadata::Dictionary& dictionary);
/// "set NAME  key KEY", its properties, then a line per member: name,
/// label, local tag ("-" for none), required status and default value.
void printSet(std::ostream& out, const MetaMetadata::MetaMetadataSet& set);
/// "element NAME  ul LABEL", its kind and type, local tag, targets and
/// properties. With `types`, also the element's type definition, when it has
/// one.
void printElement(std::ostream& out, const MetaMetadata::MetaElement& element,
                  const MetaMetadata::Dictionary& dictionary,
                  const TypeDefinitions::TypeDictionary* types);
/// Every set, then every element, in order of addition, each part under its
/// underlined heading.
void printDictionary(std::ostream& out, const MetaMetadata::Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types);

} // namespace Output
} // namespace Palimo
