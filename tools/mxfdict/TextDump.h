#pragma once
// The readable form of a dictionary: a summary, then every set with its
// members, then every element.
#include "LoadDictionary.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <ostream>

namespace Mxfdict {

/// Schema path, element counts by kind and the set count.
void printSummary(std::ostream& out, const LoadedDictionary& loaded);
void printSet(std::ostream& out, const Palimo::MetaMetadata::MetaMetadataSet& set);
/// With `types`, also the element's type definition, when it has one.
void printElement(std::ostream& out, const Palimo::MetaMetadata::MetaElement& element,
                  const Palimo::MetaMetadata::Dictionary& dictionary,
                  const Palimo::TypeDefinitions::TypeDictionary* types);
/// Every set, then every element, in order of addition.
void printDictionary(std::ostream& out, const Palimo::MetaMetadata::Dictionary& dictionary,
                     const Palimo::TypeDefinitions::TypeDictionary* types);

} // namespace Mxfdict
