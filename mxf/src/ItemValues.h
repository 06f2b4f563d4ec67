#pragma once
// The value of one item of a local set, decoded by its element's type
// definition when the dictionary has one, else by its flat data type.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/ValueDecoder.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

struct ItemValue {
    std::string type; // the flat data type's name: "UInt32", "Array of StrongReference"
    const TypeDefinitions::TypeDefinition* definition = nullptr;
    DecodedItem::Reference reference = DecodedItem::Reference::None;
    DecodedValue decoded;
};

/// Decodes `bytes` as a value of `element` (whose label is `label`). The
/// elements that MXF files store otherwise than the registers type them are
/// decoded as stored, with or without type definitions: GenerationID,
/// LinkedGenerationID and ApplicationProductID, AUIDs in the registers, hold
/// UUIDs (their definition is the UUID type, when there is one). Without
/// `decode`, only the type, definition and reference kind are found.
ItemValue decodeItemValue(const MetaMetadata::MetaElement& element, const Identifiers::Label& label,
                          const TypeDefinitions::TypeDictionary* types,
                          const std::vector<std::uint8_t>& bytes, bool decode = true);

/// About the bytes of memory that `value` takes: the size of each value in
/// it (of each record field) and of its texts and bytes.
std::size_t decodedSize(const Value& value);

} // namespace MXF
} // namespace Palimo
