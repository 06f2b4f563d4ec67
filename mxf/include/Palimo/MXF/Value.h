#pragma once
// A decoded item value as data: what the bytes say, typed by the definition
// they were decoded by. Nothing here is text for people: every text form
// (the tool's text and JSON, RegXML) is made from it by a writer.
//
// A value is decoded either by a register type definition (Value::type set:
// a TypeDictionary gave the element a type) or by the flat data type of a
// dictionary without type definitions (Value::type null). Both give the same
// kinds below; only a value decoded by definition names its record members,
// enumeration entries and item types through the definitions.
//
// The pointers into a TypeDictionary (types, members, enumeration entries,
// label names) stay valid as long as that dictionary. A Value is a plain
// value: copies are deep and independent, and any number of threads may read
// one at once.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace Palimo {
namespace MXF {

struct Value;

/// Rational (two Int32).
struct Rational {
    std::int32_t numerator = 0;
    std::int32_t denominator = 0;
};

/// DateStruct: the fields as stored, not checked against a calendar (a file
/// may hold 0000-00-00; the decoder reports fields out of their ranges).
struct Date {
    std::int16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
};

/// TimeStruct: the fields as stored. The fraction counts units of 4 ms (1/250
/// s), as MXF stores it: 0 to 249, milliseconds = 4 * fraction.
struct Time {
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t fraction = 0;
};

/// TimeStamp: a date and a time (UTC).
struct Timestamp {
    Date date;
    Time time;
};

/// VersionType: major and minor, each one byte (unsigned, as MXF uses them).
struct Version {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
};

/// A value of an enumeration: the number as stored (sign-extended when the
/// underlying integer type is signed), and the type's entry for it. An entry
/// of null is a value the dictionary does not name: the registers add values
/// over time, so that is no fault of the file and no problem is reported.
/// Boolean, an enumeration in the registers, decodes to `bool` instead.
struct Enumerated {
    std::int64_t value = 0;
    const TypeDefinitions::EnumerationValue* known = nullptr;
};

/// An AUID: a universal label, or a UUID stored with its halves swapped
/// (`auid.isLabel()` tells which; `auid.uuid()` swaps them back). Labels,
/// extendible enumeration values and the identifiers of definitions are
/// AUIDs. `known` is the extendible enumeration's entry for it (only for
/// values of an ExtendibleEnumeration type); `labelName` the label's entry in
/// the schema's label names. Either, both or neither may be set; a writer
/// names the value by `known` first (see nameOf).
struct NamedAUID {
    Identifiers::AUID auid;
    const TypeDefinitions::EnumerationValue* known = nullptr;
    const TypeDefinitions::LabelName* labelName = nullptr;
};

/// Text decoded from UTF-16 (big-endian, or little-endian inside an Indirect
/// value that says so), UTF-8 or ISO 7 bytes, as UTF-8, always valid.
/// Characters that could not be decoded (a lone surrogate, each byte of a
/// bad UTF-8 sequence, a byte over 0x7f in ISO 7, the last byte of an odd
/// UTF-16 byte count) are U+FFFD, and the decoder reports them as a problem.
/// NULs at the end (terminator and padding) are dropped; a NUL followed by
/// other characters is kept as U+0000, with a note on the item.
struct Text {
    std::string utf8;
};

/// Bytes that are a value as such: Opaque and Stream values, DataValue, and
/// the value of an Indirect whose type the dictionary does not know.
struct Bytes {
    std::vector<std::uint8_t> bytes;
};

struct Field;

/// A record's members in the type's order.
struct Record {
    std::vector<Field> fields;
};

/// The items of an array (fixed or variable), set or batch, and the strings
/// of a string array, in stored order. Each item has the array's item type;
/// the strings of a string array of characters (UTF16StringArray) have the
/// character type.
struct List {
    std::vector<Value> items;
};

/// An Indirect value: a value tagged with the label of its own type.
struct Indirect {
    /// The label of the value's type, as the tag gives it.
    Identifiers::Label typeLabel;
    /// The definition of that type; null when the dictionary has none.
    const TypeDefinitions::TypeDefinition* type = nullptr;
    /// The byte order the value says its embedded value has.
    bool littleEndian = false;
    /// Exactly one value: decoded by `type`, or the Bytes of the value when
    /// `type` is null. (A vector only because Value is not complete here.)
    std::vector<Value> value;
    /// The value's bytes as stored, after the byte order and the type label
    /// (for a writer that shows the value as undecoded).
    std::vector<std::uint8_t> bytes;
};

struct Value {
    using Data = std::variant<std::int64_t,      // signed integers, Length, Position
                              std::uint64_t,     // unsigned integers
                              double,            // Float16, Float32 and Float64
                              bool,              // Boolean
                              Text,              // strings and single characters
                              NamedAUID,         // AUIDs, labels, extendible enumerations
                              Identifiers::UUID, // UUIDs and strong references
                              Identifiers::UMID, // PackageIDType / UMID (32 bytes), ExtUMID (64)
                              Rational, Timestamp, Date, Time, Version,
                              Enumerated, // enumerations other than Boolean
                              Record,     // records without a kind of their own
                              List,       // arrays, sets, batches, string arrays
                              Indirect,   // Indirect
                              Bytes>;     // Opaque, Stream, DataValue

    /// The definition the value was decoded by, as the element, member or
    /// item type names it: it may be a Rename, whose resolved() decided the
    /// kind. Null when decoded by the flat data type of a dictionary without
    /// type definitions. A weak reference's value has its WeakReference type
    /// here and the data of the target's identifier (a NamedAUID for
    /// definitions, a UMID for packages).
    const TypeDefinitions::TypeDefinition* type = nullptr;
    Data data;
};

/// One member of a record.
struct Field {
    /// The member's symbol ("Numerator"); for records decoded by flat type,
    /// the register's symbol of that member.
    std::string name;
    /// The member's definition (symbol and type); null when decoded by flat type.
    const TypeDefinitions::RecordMember* member = nullptr;
    Value value;
};

/// The name of an AUID value: its extendible enumeration entry's symbol, else
/// its label name's symbol; null when it has neither.
inline const std::string* nameOf(const NamedAUID& auid) {
    if (auid.known)
        return &auid.known->symbol;
    if (auid.labelName)
        return &auid.labelName->symbol;
    return nullptr;
}

} // namespace MXF
} // namespace Palimo
