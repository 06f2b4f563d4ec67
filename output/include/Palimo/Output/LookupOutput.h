#pragma once
// What a lookup in a dictionary found, as mxfdict lookup writes it: the
// elements (each with the sets that hold it) and sets, as text or as JSON,
// and the notes of a loose match.
//
// Threads: the writers only read the dictionary and the result; any number
// may write at once, each to its own stream.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Query/Lookup.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <ostream>
#include <string>
#include <vector>

namespace Palimo {
namespace Output {

/// The looser rules the match of `key` needed, one line each (without a
/// newline): a label matched ignoring the version byte (byte 8), a name
/// ignoring case. Empty for an exact match.
std::vector<std::string> lookupNotes(const std::string& key, const Query::LookupResult& result);

/// "local tag TAG is LABEL" when a tag was looked up, then each element as
/// printElement writes it (with its type definition when `types` has one)
/// followed by "    held by:" and its sets, then each set as printSet writes
/// it.
void printLookup(std::ostream& out, const MetaMetadata::Dictionary& dictionary,
                 const TypeDefinitions::TypeDictionary* types, const Query::LookupResult& result);

/// {"formatVersion", "key", "matchedBy", "exact", "localTagLabel", "elements": [element +
/// "heldBy": [{"key", "name"}]], "sets": [...]}, indented (JsonStreamWriter);
/// elements and sets as describeElement and describeSet give them.
void writeLookupJson(std::ostream& out, const MetaMetadata::Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types, const std::string& key,
                     const Query::LookupResult& result);

} // namespace Output
} // namespace Palimo
