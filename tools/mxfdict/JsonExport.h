#pragma once
// The whole dictionary as JSON, in order of addition. Labels, keys and tags
// are dotted lower-case text; absent values are null; property objects keep
// the order in which the loader added the properties.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include "JsonOutput.h"

#include <ostream>

namespace Mxfdict {

/// {"formatVersion": 2, "elements": [...], "sets": [...]}, streamed to `out`
/// as writeJson would write it, without building the tree.
void writeDictionaryJson(std::ostream& out, const Palimo::MetaMetadata::Dictionary& dictionary,
                         const Palimo::TypeDefinitions::TypeDictionary* types);

/// {"name", "ul", "kind", "dataType", "subType", "localTag", "targets", "properties"}, and
/// with `types` "typeDefinition" ({"symbol", "ul", "kind", "summary"}, or null).
void describeElement(JsonSink& sink, const Palimo::MetaMetadata::MetaElement& element,
                     const Palimo::MetaMetadata::Dictionary& dictionary,
                     const Palimo::TypeDefinitions::TypeDictionary* types);
/// {"key", "properties", "attributes": [{"element", "ul", "required", "default",
/// "localTag", "properties"}]}
void describeSet(JsonSink& sink, const Palimo::MetaMetadata::MetaMetadataSet& set);

/// The same descriptions as trees, for outputs that add to them.
Json elementToJson(const Palimo::MetaMetadata::MetaElement& element,
                   const Palimo::MetaMetadata::Dictionary& dictionary,
                   const Palimo::TypeDefinitions::TypeDictionary* types);
Json setToJson(const Palimo::MetaMetadata::MetaMetadataSet& set);

} // namespace Mxfdict
