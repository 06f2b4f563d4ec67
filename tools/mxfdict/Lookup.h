#pragma once
// Finding elements and sets by universal label, local tag or name.
#include "JsonOutput.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Mxfdict {

struct LookupResult {
    /// "label", "localTag" or "name"; empty when nothing matched.
    std::string matchedBy;
    /// The looser rule a match needed, one line each, for standard error: a
    /// label matched ignoring the version byte (byte 8), a name ignoring case.
    /// Empty for an exact match.
    std::vector<std::string> notes;
    /// For a local tag: the tag (dotted) and the label the dictionary maps it to.
    std::optional<std::string> localTag;
    std::optional<std::string> tagLabel;
    std::vector<const Palimo::MetaMetadata::MetaElement*> elements;
    std::vector<const Palimo::MetaMetadata::MetaMetadataSet*> sets;
};

/// Tries `key` as a label (any text form Identifiers::Label::parse reads; a label that
/// differs only in the version byte also matches), then as a local tag, then
/// as a name (XML tag name or the name in the MXF standard; exactly, else
/// ignoring case).
LookupResult lookup(const Palimo::MetaMetadata::Dictionary& dictionary, const std::string& key);

/// The sets that hold the element (by its label), in order of addition.
std::vector<const Palimo::MetaMetadata::MetaMetadataSet*>
setsHolding(const Palimo::MetaMetadata::Dictionary& dictionary,
            const Palimo::MetaMetadata::MetaElement& element);

/// Elements with their type definitions when `types` has them.
void printLookup(std::ostream& out, const Palimo::MetaMetadata::Dictionary& dictionary,
                 const Palimo::TypeDefinitions::TypeDictionary* types, const LookupResult& result);

/// {"formatVersion", "key", "matchedBy", "exact", "localTagLabel", "elements": [element +
/// "heldBy": [{"key", "name"}]], "sets": [...]}
Json lookupToJson(const Palimo::MetaMetadata::Dictionary& dictionary,
                  const Palimo::TypeDefinitions::TypeDictionary* types, const std::string& key,
                  const LookupResult& result);

} // namespace Mxfdict
