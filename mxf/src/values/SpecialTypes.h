#pragma once
// The register types that decode to kinds of their own rather than by their
// type kind, recognised by their labels (any version byte), and the
// decodings of those kinds, which the flat data types share.
#include <Palimo/MXF/ValueDecoder.h>

#include "Texts.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace Palimo {
namespace MXF {

enum class SpecialType {
    None,
    Rational,           // Record of two Int32
    Timestamp,          // Record of DateStruct and TimeStruct
    Date,               // Record of Int16, UInt8, UInt8
    Time,               // Record of four UInt8
    Version,            // Record of two Int8 that MXF uses as UInt8
    AUID,               // Record of UInt32, UInt16, UInt16, eight UInt8: a label or a swapped UUID
    UUID,               // FixedArray of 16 UInt8
    UMID,               // PackageIDType, a Record of 32 bytes
    ExtUMID,            // FixedArray said to have 32 UInt8; the extended UMID is 64 bytes
    Boolean,            // Enumeration of UInt8: any byte but 0 is true
    ProductReleaseType, // Enumeration of UInt8 that ProductVersion stores in two bytes
    DataValue,          // VariableArray of UInt8 stored without a header: bytes
    Float,              // Float, HalfFloat, SingleFloat: listed as integers in the registers
};

SpecialType specialType(const Identifiers::Label& typeLabel);

/// The encoded size of a special type's values; none for Float (2, 4 or 8),
/// DataValue and None.
std::optional<std::size_t> specialSize(SpecialType type);

/// How a character type's characters are encoded: by the register's labels
/// of Character (UTF-16), Char (ISO 7) and UTF8Character, else by its size (2:
/// UTF-16, 1: UTF-8); none for other types.
std::optional<CharacterEncoding> characterEncoding(const TypeDefinitions::TypeDefinition& type);

/// Decodes the bytes of a special type other than ProductReleaseType and
/// DataValue (which the caller handles). `typeName` names the type in
/// problems. Labels and AUIDs are named by `names` when given.
DecodedValue decodeSpecial(SpecialType type, const std::string& typeName, const std::uint8_t* bytes,
                           std::size_t size, bool littleEndian,
                           const TypeDefinitions::TypeDictionary* names);

/// A NamedAUID of 16 stored bytes, named by `names` (when given) and by the
/// entries of `enumeration` (when given).
NamedAUID namedAUID(const std::uint8_t* bytes, const TypeDefinitions::TypeDictionary* names,
                    const TypeDefinitions::TypeDefinition* enumeration = nullptr);

/// A UUID of 16 bytes; little-endian ones have their first three fields
/// byte-swapped, as AAF stores them.
Identifiers::UUID uuidValue(const std::uint8_t* bytes, bool littleEndian);

/// "4 bytes where Rational takes 8"
std::string sizeProblem(std::size_t size, const std::string& typeName, std::size_t expected);

} // namespace MXF
} // namespace Palimo
