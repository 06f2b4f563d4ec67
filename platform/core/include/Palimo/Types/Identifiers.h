#pragma once
// Data type identifiers of the meta metadata model.
#include <Palimo/Templates/String.h>

namespace Palimo {
namespace Types {

/// How labels, keys, tags, UUIDs and UMIDs are written as text.
/// 0: dotted hexadecimal ("06.0e.2b.34...", two digits a byte, "." between bytes).
enum StringRepresentationEncodingType { DottedHex = 0 };

namespace Identifiers {

// A fixed underlying type: any int converts to it, so the functions below can
// refuse values outside the enumeration instead of reading an invalid value.
enum Identifier : int {
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
    WeakReference = 30,
    // Types that MXF files carry beyond the first 31. The typed value parser
    // has no rule for them: a default value text gives no value.
    Float32 = 31,            // IEEE 754 single precision
    Float64 = 32,            // IEEE 754 double precision
    UTF8String = 33,         // UTF-8 text
    AUID = 34,               // 16 bytes: a universal label or a byte-swapped UUID
    DateStruct = 35,         // year (Int16), month, day (UInt8 each)
    TimeStruct = 36,         // hour, minute, second, quarter milliseconds (UInt8 each)
    Stream = 37,             // essence or other data stored outside the set
    RGBAComponent = 38,      // component code and depth in bits (UInt8 each)
    ColorPrimary = 39,       // x and y chromaticity coordinates (UInt16 each)
    J2KComponentSizing = 40, // JPEG 2000 component depth and subsampling (UInt8 each)
    LastIdentifier = J2KComponentSizing
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
