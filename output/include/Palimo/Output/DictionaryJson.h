#pragma once
// The dictionary as JSON, as mxfdict show --json writes it, in order of
// addition. Labels, keys and tags are dotted lower-case text; absent values
// are null; property objects keep the order in which the loader added the
// properties.
//
// Threads: the writers only read the dictionary; any number may write at
// once, each to its own sink.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Output/JsonSink.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <ostream>

namespace Palimo {
namespace Output {

/// {"formatVersion", "elements": [...], "sets": [...]}, each entry as
/// describeElement and describeSet give it, indented (JsonStreamWriter),
/// streamed to `out` without building the document.
void writeDictionaryJson(std::ostream& out, const MetaMetadata::Dictionary& dictionary,
                         const TypeDefinitions::TypeDictionary* types);

/// {"name", "ul", "kind", "dataType", "subType", "localTag", "targets", "properties"}, and
/// with `types` "typeDefinition" ({"symbol", "ul", "kind", "summary"}, or null).
void describeElement(JsonSink& sink, const MetaMetadata::MetaElement& element,
                     const MetaMetadata::Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types);
/// {"key", "properties", "attributes": [{"element", "ul", "required", "default",
/// "localTag", "properties"}]}
void describeSet(JsonSink& sink, const MetaMetadata::MetaMetadataSet& set);

} // namespace Output
} // namespace Palimo
