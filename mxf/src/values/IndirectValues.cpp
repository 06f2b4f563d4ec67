// Decoding by type definition: Indirect values, which name their own type.
#include "DefinitionDecoder.h"

#include <Palimo/Identifiers/Hex.h>

namespace Palimo {
namespace MXF {

using TypeDefinitions::TypeDefinition;

// An Indirect value is a byte order ('B' big-endian, 'L' little-endian), the
// label of the value's type stored as AAF stores an AUID (a UUID whose first
// three fields follow that byte order, the label's halves swapped), then the
// value in that byte order.
DecodedValue DefinitionDecoder::indirect(const TypeDefinition& resolved, const std::uint8_t* bytes,
                                         std::size_t size, Place place) const {
    DecodedValue decoded;
    const std::string name = typeName(resolved);
    if (size < 17) {
        decoded.problem = std::to_string(size) + " bytes, too few for an " + name +
                          " value (a byte order, a type label, the value)";
        return decoded;
    }
    if (bytes[0] != 'B' && bytes[0] != 'L') {
        decoded.problem = "the byte order of the " + name + " value is " +
                          Identifiers::hexText(bytes, 1) +
                          ", neither 42 (big-endian) nor 4c (little-endian)";
        return decoded;
    }
    Indirect value;
    value.littleEndian = bytes[0] == 'L';
    const Identifiers::UUID stored = uuidValue(bytes + 1, value.littleEndian);
    value.typeLabel = Identifiers::AUID::fromUUID(stored).label();
    value.type = types_.findType(value.typeLabel);
    const std::uint8_t* inner = bytes + 17;
    const std::size_t innerSize = size - 17;
    value.bytes.assign(inner, inner + innerSize);
    if (!value.type) {
        decoded.notes.push_back("the type of the " + name + " value, " + value.typeLabel.dotted() +
                                ", is not in the dictionary");
        value.value.push_back(typedValue(nullptr, MXF::Bytes{{inner, inner + innerSize}}));
    } else {
        DecodedValue part =
            decode(*value.type, inner, innerSize, Place{value.littleEndian, place.depth + 1});
        if (!takePart(decoded, part, "the " + typeName(*value.type) + " of the " + name + " value"))
            return decoded;
        value.value.push_back(std::move(*part.value));
    }
    decoded.value = typedValue(nullptr, std::move(value));
    return decoded;
}

} // namespace MXF
} // namespace Palimo
