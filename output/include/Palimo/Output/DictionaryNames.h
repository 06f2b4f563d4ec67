#pragma once
// The text forms of dictionary entries that every output of a dictionary
// shares: labels, keys and tags in dotted lower-case hexadecimal, identifier
// names, element kinds and required statuses.
//
// Threads: each function only reads its arguments; any number may run at
// once.
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Query/Entries.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

#include <string>

namespace Palimo {
namespace Output {

/// "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"
std::string labelText(const Types::UniversalLabel& label);
std::string keyText(const KLV::Key& key);
/// "3c.0a"
std::string tagText(const Types::LocalTag& tag);

/// "simple", "collection", "reference" or "referenceCollection".
std::string kindName(Query::ElementKind kind);
std::string kindName(const MetaMetadata::MetaElement& element);
/// The identifier's name ("UInt32", "StrongReference", ...); "NoIdentifier"
/// for the value that stands for no type.
std::string identifierName(Types::Identifier id);
/// The status name in lower case: "required", "optional", "besteffort", ...
std::string statusName(MetaMetadata::AttributeRequiredStatus::Status status);

/// A readable name for an entry (Query/Entries.h).
using Query::displayName;

} // namespace Output
} // namespace Palimo
