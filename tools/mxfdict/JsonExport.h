#pragma once
// The whole dictionary as JSON, in order of addition. Labels, keys and tags
// are dotted lower-case text; absent values are null; property objects keep
// the order in which the loader added the properties.
#include <Palimo/MetaMetadata/Dictionary.h>

#include "JsonOutput.h"

namespace Mxfdict {

/// {"formatVersion": 1, "elements": [...], "sets": [...]}
Json dictionaryToJson(const Palimo::MetaMetadata::Dictionary& dictionary);

/// {"name", "ul", "kind", "dataType", "subType", "localTag", "targets", "properties"}
Json elementToJson(const Palimo::MetaMetadata::MetaElement& element,
                   const Palimo::MetaMetadata::Dictionary& dictionary);
/// {"key", "properties", "attributes": [{"element", "ul", "required", "default",
/// "localTag", "properties"}]}
Json setToJson(const Palimo::MetaMetadata::MetaMetadataSet& set);
Json attributeToJson(const Palimo::MetaMetadata::MetaAttribute& attribute);
Json propertiesToJson(const Palimo::MetaMetadata::PropertyMap& map);

} // namespace Mxfdict
