#pragma once
// What a dictionary's elements and sets hold beyond what their classes answer
// directly: an element's kind, sub type and targets, an entry's named
// properties, and whether an element is the one its label finds.
//
// Every function only reads its arguments: any number may run at once on the
// same dictionary and entries, as long as nothing modifies them meanwhile.
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Types/Identifiers.h>

#include <optional>
#include <string>

namespace Palimo {
namespace Query {

/// The four classes of element.
enum class ElementKind { Simple, Collection, Reference, ReferenceCollection };

ElementKind kindOf(const MetaMetadata::MetaElement& element);

/// The item type of a collection element; none for other kinds, and none when
/// the collection has no known item type.
std::optional<Types::Identifier> subTypeOf(const MetaMetadata::MetaElement& element);

/// The target keys of a reference or reference collection; null for other
/// kinds. Valid while the element lives.
const KLV::KeyVector* targetsOf(const MetaMetadata::MetaElement& element);

/// The value of the property `key` (UTF-8, as are the results), or none when the
/// map does not hold the key.
std::optional<std::string> property(const MetaMetadata::PropertyMap& map, const char* key);

/// An element's or set's XML tag name, the name by which the schema declares
/// it (its "XMLTagName" property).
std::optional<std::string> tagName(const MetaMetadata::PropertyMap& map);

/// A readable name for an entry: its XML tag name, else its name in the MXF
/// standard (the "name" property), else `fallback`.
std::string displayName(const MetaMetadata::PropertyMap& map, const std::string& fallback);

/// Whether `element` is the element its label finds in `dictionary`: false for
/// an element that a later one with the same label hides, and for one the
/// dictionary does not hold.
bool isCurrent(const MetaMetadata::Dictionary& dictionary,
               const MetaMetadata::MetaElement& element);

} // namespace Query
} // namespace Palimo
