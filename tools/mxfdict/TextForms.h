#pragma once
// Text forms of dictionary entries shared by every output of the tool: labels,
// keys and tags in dotted lower-case hexadecimal, identifier names, element
// kinds and required statuses.
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Query/Entries.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

#include <optional>
#include <string>

namespace Mxfdict {

// What an entry holds comes from the query library.
using Palimo::Query::property;
using Palimo::Query::subTypeOf;
using Palimo::Query::tagName;
using Palimo::Query::targetsOf;

std::string utf8(const Palimo::WString& text);
std::string labelText(const Palimo::Types::UniversalLabel& label);
std::string keyText(const Palimo::KLV::Key& key);
std::string tagText(const Palimo::Types::LocalTag& tag);

/// "simple", "collection", "reference" or "referenceCollection".
std::string kindName(Palimo::Query::ElementKind kind);
std::string kindName(const Palimo::MetaMetadata::MetaElement& element);
/// The identifier's name ("UInt32", "StrongReference", ...); "NoIdentifier"
/// for the value that stands for no type.
std::string identifierName(Palimo::Types::Identifier id);
/// The status name in lower case: "required", "optional", "besteffort", ...
std::string statusName(Palimo::MetaMetadata::AttributeRequiredStatus::Status status);

/// A readable name for an entry: its XML tag name, else its name in the
/// MXF standard (the "name" property), else `fallback`.
std::string displayName(const Palimo::MetaMetadata::PropertyMap& map, const std::string& fallback);

} // namespace Mxfdict
