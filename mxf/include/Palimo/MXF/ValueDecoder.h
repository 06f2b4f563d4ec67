#pragma once
// Decoding of item values from their bytes: by a register type definition,
// or by the flat data type of a dictionary without type definitions. Both
// give the kinds of Value.h; neither reads outside the bytes given, and
// neither throws for any bytes.
//
// Threads: both functions only read their arguments; any number may run at
// once, on the same dictionaries too.
#include <Palimo/MXF/Value.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>
#include <Palimo/Types/Identifiers.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

struct DecodedValue {
    /// None when the bytes cannot be decoded: a problem, or (flat types only)
    /// a type without a decoding (DataValue, Opaque, an identifier unknown
    /// here, ...).
    std::optional<Value> value;
    /// What in the bytes does not fit the type ("4 bytes where UInt16 takes
    /// 2"); empty when nothing is wrong. A value may come with a problem: the
    /// text of an odd UTF-16 byte count, a date whose month is 13.
    std::string problem;
    /// Remarks that are no fault of the bytes: text that goes on after a NUL,
    /// the value of an Indirect type the dictionary does not know.
    std::vector<std::string> notes;
};

/// How deep values may nest (records in arrays in Indirect values...); a
/// value nested deeper is not decoded (a problem). No register type comes
/// near it.
constexpr int kMaxValueDepth = 32;

/// Decodes `size` bytes as a value of `type`, one of `types`' definitions
/// (their pointers end up in the value). Integers and floats are big-endian
/// (little-endian only inside an Indirect value that says so); a record's
/// members, a fixed array's count of items and a variable array's or set's
/// 8-byte header (count, item size) must account for every byte; string
/// arrays are NUL-terminated strings without a header; enumerations keep
/// their number with the entry that names it; AUIDs, extendible enumerations
/// and labels get their names from the type's values and the dictionary's
/// label names; weak references are decoded as the identifying item of
/// their target set (TypeDictionary::uniqueIdentifier): a 16-byte weak
/// reference to a set whose identifier is longer (PrimaryPackage) holds the
/// target's InstanceID, a UUID. The register types Rational, TimeStamp,
/// DateStruct, TimeStruct, VersionType, AUID, UUID, PackageIDType (and so
/// UMID), ExtUMID, Boolean and DataValue are recognised by their labels and
/// decode to their own kinds.
DecodedValue decodeValue(const TypeDefinitions::TypeDefinition& type,
                         const TypeDefinitions::TypeDictionary& types, const std::uint8_t* bytes,
                         std::size_t size);

/// Decodes `size` bytes as a value of the core's data type `type`. For Array
/// and Batch, `subType` is the item type: the bytes are an 8-byte header (item
/// count, item size, both UInt32) and the items, and the header must account
/// for every byte. Strong references decode to the UUID of their target; weak
/// references to a NamedAUID when they hold a label (a definition's
/// identifier), else to the UUID of their target; universal labels and AUIDs
/// to NamedAUID (named by `names` when given); the records
/// ProductVersion, RGBAComponent, ColorPrimary and J2KComponentSizing to a
/// Record whose fields bear the register's member symbols.
DecodedValue decodeValue(Types::Identifier type, Types::Identifier subType,
                         const std::uint8_t* bytes, std::size_t size,
                         const TypeDefinitions::TypeDictionary* names = nullptr);

/// The encoded size of one value of the core's data type `type`; 0 for types
/// of variable size and types that are not decoded.
std::size_t encodedSize(Types::Identifier type);

} // namespace MXF
} // namespace Palimo
