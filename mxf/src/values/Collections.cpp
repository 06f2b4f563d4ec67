// Decoding by type definition: records, fixed arrays, and variable arrays
// and sets, with their header or (string arrays) without.
#include "DefinitionDecoder.h"

#include "Numbers.h"
#include "Texts.h"

namespace Palimo {
namespace MXF {

using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeKind;

DecodedValue DefinitionDecoder::record(const TypeDefinition& resolved, const std::uint8_t* bytes,
                                       std::size_t size, Place place) const {
    DecodedValue decoded;
    const std::string name = typeName(resolved);
    if (const auto total = encodedSize(resolved); total && *total != size) {
        decoded.problem = sizeProblem(size, name, *total);
        return decoded;
    }
    Record record;
    std::size_t at = 0;
    for (std::size_t i = 0; i < resolved.members.size(); ++i) {
        const auto& member = resolved.members[i];
        const std::string where = "member " + member.symbol + " of " + name;
        if (!member.type) {
            decoded.problem = where + " has no type";
            return decoded;
        }
        // Only the last member may take what is left, whatever its size.
        std::optional<std::size_t> length = encodedSize(*member.type);
        if (!length && i + 1 == resolved.members.size())
            length = size - at;
        if (!length) {
            decoded.problem = where + " is of variable size and not the last member";
            return decoded;
        }
        if (*length > size - at) {
            decoded.problem = where + ": " + std::to_string(size - at) + " bytes left where " +
                              typeName(*member.type) + " takes " + std::to_string(*length);
            return decoded;
        }
        DecodedValue part = decode(*member.type, bytes + at, *length, place.deeper());
        if (!takePart(decoded, part, where))
            return decoded;
        record.fields.push_back(Field{member.symbol, &member, std::move(*part.value)});
        at += *length;
    }
    if (at != size) {
        decoded.problem = std::to_string(size - at) + " bytes after the last member of " + name;
        return decoded;
    }
    decoded.value = typedValue(nullptr, std::move(record));
    return decoded;
}

DecodedValue DefinitionDecoder::fixedArray(const TypeDefinition& resolved,
                                           const std::uint8_t* bytes, std::size_t size,
                                           Place place) const {
    DecodedValue decoded;
    const std::optional<std::size_t> itemSize =
        resolved.element ? encodedSize(*resolved.element) : std::nullopt;
    if (!itemSize) {
        decoded.problem = "the items of " + typeName(resolved) + " have no fixed size";
        return decoded;
    }
    // Exactly count items, no header.
    if (size != *itemSize * resolved.count) {
        decoded.problem = std::to_string(size) + " bytes where " + typeName(resolved) + " takes " +
                          std::to_string(resolved.count) + " items of " +
                          std::to_string(*itemSize) + " bytes";
        return decoded;
    }
    return items(resolved, bytes, resolved.count, *itemSize, place);
}

DecodedValue DefinitionDecoder::variableArray(const TypeDefinition& resolved,
                                              const std::uint8_t* bytes, std::size_t size,
                                              Place place) const {
    DecodedValue decoded;
    const std::string name = typeName(resolved);
    if (!resolved.element) {
        decoded.problem = name + " has no item type";
        return decoded;
    }
    const TypeDefinition& item = resolved.element->resolved();
    // A variable array of characters or strings is a string array: strings
    // each ended by a NUL, without a header.
    if (resolved.kind == TypeKind::VariableArray &&
        (item.kind == TypeKind::Character || item.kind == TypeKind::String)) {
        const TypeDefinition* character = item.kind == TypeKind::String
                                              ? (item.element ? &item.element->resolved() : nullptr)
                                              : &item;
        const auto encoding = character ? characterEncoding(*character) : std::nullopt;
        if (!encoding) {
            decoded.problem = name + " is no array of text of a known character encoding";
            return decoded;
        }
        DecodedStrings strings =
            decodeStringArray(*encoding, bytes, size, place.littleEndian, resolved.element);
        decoded.value = typedValue(nullptr, std::move(strings.strings));
        decoded.problem = std::move(strings.problem);
        return decoded;
    }
    if (size < 8) {
        decoded.problem =
            std::to_string(size) + " bytes, too few for the 8-byte header of the " + name;
        return decoded;
    }
    const std::uint64_t count = unsignedNumber(bytes, 4, place.littleEndian);
    const std::uint64_t itemSize = unsignedNumber(bytes + 4, 4, place.littleEndian);
    // The header must account for every byte; a count is never trusted alone.
    if (count * itemSize != size - 8 || (count > 0 && itemSize == 0)) {
        decoded.problem = "the header of the " + name + " says " + std::to_string(count) +
                          " items of " + std::to_string(itemSize) + " bytes, " +
                          std::to_string(size - 8) + " bytes follow it";
        return decoded;
    }
    const std::optional<std::size_t> fixed = encodedSize(*resolved.element);
    if (fixed && count > 0 && itemSize != *fixed) {
        decoded.problem = "items of " + std::to_string(itemSize) + " bytes in the " + name +
                          ", whose items take " + std::to_string(*fixed);
        return decoded;
    }
    return items(resolved, bytes + 8, static_cast<std::size_t>(count),
                 static_cast<std::size_t>(itemSize), place);
}

DecodedValue DefinitionDecoder::items(const TypeDefinition& resolved, const std::uint8_t* bytes,
                                      std::size_t count, std::size_t itemSize, Place place) const {
    DecodedValue decoded;
    List list;
    list.items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        DecodedValue item =
            decode(*resolved.element, bytes + i * itemSize, itemSize, place.deeper());
        if (!takePart(decoded, item, "item " + std::to_string(i) + " of " + typeName(resolved)))
            return decoded;
        list.items.push_back(std::move(*item.value));
    }
    decoded.value = typedValue(nullptr, std::move(list));
    return decoded;
}

} // namespace MXF
} // namespace Palimo
