#pragma once
// Decoding of item values from their bytes by a dictionary data type.
#include <Palimo/MXF/Value.h>
#include <Palimo/Types/Identifiers.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace Palimo {
namespace MXF {

struct DecodedValue {
    /// None when the bytes cannot be decoded: a type without a decoding
    /// (DataValue, Opaque, an identifier unknown here, ...) or a problem.
    std::optional<Value> value;
    /// Why bytes of a decodable type were not decoded ("4 bytes for a UInt16
    /// of 2 bytes"); empty when there was nothing wrong.
    std::string problem;
};

/// The encoded size of one value of `type`; 0 for types of variable size and
/// types that are not decoded.
std::size_t encodedSize(Types::Identifier type);

/// Decodes `size` bytes as a value of `type`. For Array and Batch, `subType`
/// is the item type: the bytes are an 8-byte header (item count, item size,
/// both UInt32) and the items, and the header must account for every byte.
/// Integers are big-endian; strings end at their first NUL; references decode
/// to the UUID of their target. Never reads outside the bytes given.
DecodedValue decodeValue(Types::Identifier type, Types::Identifier subType,
                         const std::uint8_t* bytes, std::size_t size);

} // namespace MXF
} // namespace Palimo
