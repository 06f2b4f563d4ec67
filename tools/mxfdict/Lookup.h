#pragma once
// The output of mxfdict lookup: the elements and sets a key finds, as text or
// JSON, and the notes of a loose match.
#include "JsonOutput.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Query/Lookup.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <ostream>
#include <string>
#include <vector>

namespace Mxfdict {

/// The looser rules the match of `key` needed, one line each, for standard
/// error: a label matched ignoring the version byte (byte 8), a name ignoring
/// case. Empty for an exact match.
std::vector<std::string> lookupNotes(const std::string& key,
                                     const Palimo::Query::LookupResult& result);

/// Elements with their type definitions when `types` has them.
void printLookup(std::ostream& out, const Palimo::MetaMetadata::Dictionary& dictionary,
                 const Palimo::TypeDefinitions::TypeDictionary* types,
                 const Palimo::Query::LookupResult& result);

/// {"formatVersion", "key", "matchedBy", "exact", "localTagLabel", "elements": [element +
/// "heldBy": [{"key", "name"}]], "sets": [...]}
Json lookupToJson(const Palimo::MetaMetadata::Dictionary& dictionary,
                  const Palimo::TypeDefinitions::TypeDictionary* types, const std::string& key,
                  const Palimo::Query::LookupResult& result);

} // namespace Mxfdict
