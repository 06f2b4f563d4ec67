#pragma once
// Data type identifiers of the meta metadata model.
#include <Palimo/Templates/String.h>

namespace Palimo {
namespace Types {

/// How labels, keys, tags, UUIDs and UMIDs are written as text.
/// 0: dotted hexadecimal ("06.0e.2b.34...", two digits a byte, "." between bytes).
enum StringRepresentationEncodingType { DottedHex = 0 };

namespace Identifiers {

enum Identifier {
    Array = 0,
    Batch = 1,
    Boolean = 2,
    DataValue = 3,
    IndirectValue = 4,
    Int16 = 5,
    Int32 = 6,
    Int64 = 7,
    Int8 = 8,
    ISO7String = 9,
    KLVData = 10,
    Length = 11,
    Opaque = 12,
    Position = 13,
    ProductVersion = 14,
    Rational = 15,
    Timestamp = 16,
    UInt16 = 17,
    UInt32 = 18,
    UInt64 = 19,
    UInt8 = 20,
    UMID32 = 21,
    UMID64 = 22,
    UniversalLabel = 23,
    NoIdentifier = 24,
    UTF16 = 25,
    UTF16String = 26,
    UUID = 27,
    VersionType = 28,
    StrongReference = 29,
    WeakReference = 30
};

/// The identifier whose name is exactly `name` (case-sensitive);
/// NoIdentifier (24) for any other text, the empty text included.
Identifier stringToIdentifier(const WString& name);
/// The name of an identifier ("Array", "UInt32", ...); "" for NoIdentifier
/// and for values outside the enumeration.
const char* identifierToString(Identifier id);

} // namespace Identifiers

using Identifiers::Identifier;

} // namespace Types
} // namespace Palimo
