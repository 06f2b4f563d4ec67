// Decoding by type definition: the dispatch by kind, and the kinds that hold
// one value (numbers, text, enumerations, identifiers and references).
#include "DefinitionDecoder.h"

#include "Numbers.h"
#include "Texts.h"

namespace Palimo {
namespace MXF {

using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeKind;

std::string typeName(const TypeDefinition& type) {
    return type.symbol.empty() ? type.label.dotted() : type.symbol;
}

Value typedValue(const TypeDefinition* type, Value::Data data) {
    Value value;
    value.type = type;
    value.data = std::move(data);
    return value;
}

bool takePart(DecodedValue& whole, DecodedValue& part, const std::string& where) {
    const auto placed = [&](const std::string& text) {
        return where.empty() ? text : where + ": " + text;
    };
    for (const std::string& note : part.notes)
        whole.notes.push_back(placed(note));
    if (!part.problem.empty() && whole.problem.empty())
        whole.problem = placed(part.problem);
    return part.value.has_value();
}

DecodedValue DefinitionDecoder::decode(const TypeDefinition& type, const std::uint8_t* bytes,
                                       std::size_t size, Place place) const {
    DecodedValue decoded;
    if (place.depth > kMaxValueDepth) {
        decoded.problem = "a value of " + typeName(type) + " nested more than " +
                          std::to_string(kMaxValueDepth) + " deep";
        return decoded;
    }
    const TypeDefinition& resolved = type.resolved();
    SpecialType special = specialType(type.label);
    if (special == SpecialType::None)
        special = specialType(resolved.label);
    switch (special) {
    case SpecialType::None:
        decoded = decodeKind(type, resolved, bytes, size, place);
        break;
    case SpecialType::ProductReleaseType:
        decoded = enumeration(resolved, true, bytes, size, place);
        break;
    case SpecialType::DataValue:
        decoded.value = typedValue(nullptr, MXF::Bytes{{bytes, bytes + size}});
        break;
    case SpecialType::Float:
        if (resolved.size != 0 && size != resolved.size) {
            decoded.problem = sizeProblem(size, typeName(type), resolved.size);
            break;
        }
        [[fallthrough]];
    default:
        decoded = decodeSpecial(special, typeName(type), bytes, size, place.littleEndian, &types_);
        break;
    }
    if (decoded.value)
        decoded.value->type = &type;
    return decoded;
}

DecodedValue DefinitionDecoder::decodeKind(const TypeDefinition& type,
                                           const TypeDefinition& resolved,
                                           const std::uint8_t* bytes, std::size_t size,
                                           Place place) const {
    DecodedValue decoded;
    switch (resolved.kind) {
    case TypeKind::Integer:
        return integer(resolved, bytes, size, place);
    case TypeKind::Float:
        if (resolved.size != 2 && resolved.size != 4 && resolved.size != 8)
            decoded.problem = "Float type " + typeName(resolved) + " of " +
                              std::to_string(resolved.size) + " bytes";
        else if (size != resolved.size)
            decoded.problem = sizeProblem(size, typeName(type), resolved.size);
        else
            decoded.value = typedValue(nullptr, floatNumber(bytes, size, place.littleEndian));
        return decoded;
    case TypeKind::Character:
    case TypeKind::String:
        return text(resolved, bytes, size, place);
    case TypeKind::Enumeration:
        return enumeration(resolved, false, bytes, size, place);
    case TypeKind::ExtendibleEnumeration:
        if (size != 16)
            decoded.problem = sizeProblem(size, typeName(type), 16);
        else
            decoded.value = typedValue(nullptr, namedAUID(bytes, &types_, &resolved));
        return decoded;
    case TypeKind::Record:
        return record(resolved, bytes, size, place);
    case TypeKind::FixedArray:
        return fixedArray(resolved, bytes, size, place);
    case TypeKind::VariableArray:
    case TypeKind::Set:
        return variableArray(resolved, bytes, size, place);
    case TypeKind::Indirect:
        return indirect(resolved, bytes, size, place);
    case TypeKind::Opaque:
    case TypeKind::Stream:
        decoded.value = typedValue(nullptr, MXF::Bytes{{bytes, bytes + size}});
        return decoded;
    case TypeKind::StrongReference:
        if (size != 16)
            decoded.problem = sizeProblem(size, typeName(type), 16);
        else
            decoded.value = typedValue(nullptr, uuidValue(bytes, place.littleEndian));
        return decoded;
    case TypeKind::WeakReference:
        return weakReference(resolved, bytes, size, place);
    case TypeKind::Rename:
        break;
    }
    decoded.problem = typeName(type) + " renames no type";
    return decoded;
}

DecodedValue DefinitionDecoder::integer(const TypeDefinition& resolved, const std::uint8_t* bytes,
                                        std::size_t size, Place place) const {
    DecodedValue decoded;
    if (resolved.size < 1 || resolved.size > 8)
        decoded.problem = "Integer type " + typeName(resolved) + " of " +
                          std::to_string(resolved.size) + " bytes";
    else if (size != resolved.size)
        decoded.problem = sizeProblem(size, typeName(resolved), resolved.size);
    else if (resolved.isSigned)
        decoded.value = typedValue(nullptr, signedNumber(bytes, size, place.littleEndian));
    else
        decoded.value = typedValue(nullptr, unsignedNumber(bytes, size, place.littleEndian));
    return decoded;
}

DecodedValue DefinitionDecoder::text(const TypeDefinition& resolved, const std::uint8_t* bytes,
                                     std::size_t size, Place place) const {
    DecodedValue decoded;
    const bool string = resolved.kind == TypeKind::String;
    const TypeDefinition* character =
        string ? (resolved.element ? &resolved.element->resolved() : nullptr) : &resolved;
    const std::optional<CharacterEncoding> encoding =
        character ? characterEncoding(*character) : std::nullopt;
    if (!encoding) {
        decoded.problem = typeName(resolved) + " is no text of a known character encoding";
        return decoded;
    }
    DecodedText text = decodeText(*encoding, bytes, size, place.littleEndian, string);
    decoded.value = typedValue(nullptr, std::move(text.text));
    decoded.problem = std::move(text.problem);
    if (!text.note.empty())
        decoded.notes.push_back(std::move(text.note));
    return decoded;
}

DecodedValue DefinitionDecoder::enumeration(const TypeDefinition& resolved, bool twoBytes,
                                            const std::uint8_t* bytes, std::size_t size,
                                            Place place) const {
    DecodedValue decoded;
    const TypeDefinition* underlying = resolved.element ? &resolved.element->resolved() : nullptr;
    if (!underlying || underlying->kind != TypeKind::Integer || underlying->size < 1 ||
        underlying->size > 8) {
        decoded.problem = "enumeration " + typeName(resolved) + " of no integer type";
        return decoded;
    }
    // ProductVersion stores ProductReleaseType, an enumeration of UInt8, in two bytes.
    const std::size_t width = twoBytes ? 2 : underlying->size;
    if (size != width) {
        decoded.problem = sizeProblem(size, typeName(resolved), width);
        return decoded;
    }
    const std::int64_t number =
        underlying->isSigned
            ? signedNumber(bytes, size, place.littleEndian)
            : static_cast<std::int64_t>(unsignedNumber(bytes, size, place.littleEndian));
    decoded.value = typedValue(nullptr, Enumerated{number, resolved.findValue(number)});
    return decoded;
}

DecodedValue DefinitionDecoder::weakReference(const TypeDefinition& resolved,
                                              const std::uint8_t* bytes, std::size_t size,
                                              Place place) const {
    const Identifiers::Label* identifier =
        resolved.target ? types_.uniqueIdentifier(*resolved.target) : nullptr;
    const TypeDefinition* identifierType = identifier ? types_.elementType(*identifier) : nullptr;
    DecodedValue decoded;
    if (identifierType) {
        const std::optional<std::size_t> identifierSize = encodedSize(*identifierType);
        // A weak reference of 16 bytes to sets identified by something longer
        // (PrimaryPackage, to a package and its UMID) holds the target's InstanceID.
        if (size != 16 || !identifierSize || *identifierSize == 16)
            return decode(*identifierType, bytes, size, place.deeper());
        decoded.value = typedValue(nullptr, uuidValue(bytes, place.littleEndian));
        return decoded;
    }
    // The target's identifier is not known: a label or AUID, or a UMID, by size.
    if (size == 16)
        decoded.value = typedValue(nullptr, namedAUID(bytes, &types_));
    else if (size == 32 || size == 64)
        decoded.value = typedValue(nullptr, Identifiers::UMID::fromBytes(bytes, size));
    else
        decoded.problem = std::to_string(size) + " bytes for a " + typeName(resolved) +
                          ", whose target's identifier the dictionary does not give";
    return decoded;
}

std::optional<std::size_t> DefinitionDecoder::encodedSize(const TypeDefinition& type,
                                                          int depth) const {
    if (depth > kMaxValueDepth)
        return std::nullopt;
    const TypeDefinition& resolved = type.resolved();
    SpecialType special = specialType(type.label);
    if (special == SpecialType::None)
        special = specialType(resolved.label);
    if (special == SpecialType::ProductReleaseType)
        return 2;
    if (special == SpecialType::DataValue)
        return std::nullopt;
    if (special == SpecialType::Float && resolved.size != 0)
        return resolved.size;
    if (special != SpecialType::None)
        return specialSize(special);
    switch (resolved.kind) {
    case TypeKind::Integer:
    case TypeKind::Float:
    case TypeKind::Character:
        return resolved.size;
    case TypeKind::Enumeration:
        return resolved.element ? encodedSize(*resolved.element, depth + 1) : std::nullopt;
    case TypeKind::ExtendibleEnumeration:
    case TypeKind::StrongReference:
        return 16;
    case TypeKind::WeakReference: {
        const Identifiers::Label* identifier =
            resolved.target ? types_.uniqueIdentifier(*resolved.target) : nullptr;
        const TypeDefinition* identifierType =
            identifier ? types_.elementType(*identifier) : nullptr;
        return identifierType ? encodedSize(*identifierType, depth + 1) : std::nullopt;
    }
    case TypeKind::FixedArray: {
        const auto item =
            resolved.element ? encodedSize(*resolved.element, depth + 1) : std::nullopt;
        return item ? std::optional<std::size_t>(*item * resolved.count) : std::nullopt;
    }
    case TypeKind::Record: {
        std::size_t total = 0;
        for (const auto& member : resolved.members) {
            const auto part = member.type ? encodedSize(*member.type, depth + 1) : std::nullopt;
            if (!part)
                return std::nullopt;
            total += *part;
        }
        return total;
    }
    default:
        return std::nullopt;
    }
}

DecodedValue decodeValue(const TypeDefinition& type, const TypeDefinitions::TypeDictionary& types,
                         const std::uint8_t* bytes, std::size_t size) {
    return DefinitionDecoder(types).decode(type, bytes, size, DefinitionDecoder::Place{});
}

} // namespace MXF
} // namespace Palimo
