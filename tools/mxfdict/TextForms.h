#pragma once
// Text forms of dictionary entries shared by every output of the tool: labels,
// keys and tags in dotted lower-case hexadecimal, identifier names, element
// kinds and required statuses.
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

#include <optional>
#include <string>

namespace Mxfdict {

std::string utf8(const Palimo::WString& text);
std::string labelText(const Palimo::Types::UniversalLabel& label);
std::string keyText(const Palimo::KLV::Key& key);
std::string tagText(const Palimo::Types::LocalTag& tag);

/// "simple", "collection", "reference" or "referenceCollection".
std::string kindName(const Palimo::MetaMetadata::MetaElement& element);
/// The identifier's name ("UInt32", "StrongReference", ...); "NoIdentifier"
/// for the value that stands for no type.
std::string identifierName(Palimo::Types::Identifier id);
/// The sub type of a collection element; none for other kinds, and none when
/// the collection has no known item type.
std::optional<Palimo::Types::Identifier>
subTypeOf(const Palimo::MetaMetadata::MetaElement& element);
/// The target keys of a reference or reference collection; null otherwise.
const Palimo::KLV::KeyVector* targetsOf(const Palimo::MetaMetadata::MetaElement& element);
/// The status name in lower case: "required", "optional", "besteffort", ...
std::string statusName(Palimo::MetaMetadata::AttributeRequiredStatus::Status status);

/// The property's value, or none when the map does not hold the key.
std::optional<std::string> property(const Palimo::MetaMetadata::PropertyMap& map, const char* key);
/// An element's or set's XML tag name, the name by which the schema declares it.
std::optional<std::string> tagName(const Palimo::MetaMetadata::PropertyMap& map);

/// A readable name for an entry: its XML tag name, else its name in the
/// MXF standard (the "name" property), else `fallback`.
std::string displayName(const Palimo::MetaMetadata::PropertyMap& map, const std::string& fallback);

} // namespace Mxfdict
