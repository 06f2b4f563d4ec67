#pragma once
// Builds the sets of an MXF file's own dictionary, as AAF writes its
// MetaDictionary: ClassDefinition, PropertyDefinition and TypeDefinition sets
// with their static local tags, for the reader's tests, its stress cases and
// its fuzz seeds.
#include "MxfBytes.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace MxfTest {

inline void append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

constexpr char kClassDefinition[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.02.01.00.00";
constexpr char kPropertyDefinition[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.02.02.00.00";

/// The TypeDefinition set of each kind, by byte 14 of its key.
enum class TypeSet : std::uint8_t {
    Integer = 0x04,
    StrongReference = 0x05,
    WeakReference = 0x06,
    Enumeration = 0x07,
    FixedArray = 0x08,
    VariableArray = 0x09,
    Set = 0x0a,
    String = 0x0b,
    Stream = 0x0c,
    Record = 0x0d,
    Rename = 0x0e,
    ExtendibleEnumeration = 0x20,
    Indirect = 0x21,
    Opaque = 0x22,
    Character = 0x23
};

/// The static local tags of the items of definition sets, and their labels.
inline std::vector<std::pair<std::uint16_t, std::string>> metaDictionaryPrimer() {
    return {
        {0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"}, // InstanceID
        {0x0005, "06.0e.2b.34.01.01.01.02.06.01.01.07.13.00.00.00"}, // MetaDefinitionIdentification
        {0x0006, "06.0e.2b.34.01.01.01.02.03.02.04.01.02.01.00.00"}, // MetaDefinitionName
        {0x0007, "06.0e.2b.34.01.01.01.02.06.01.01.07.14.01.00.00"}, // MetaDefinitionDescription
        {0x0008, "06.0e.2b.34.01.01.01.02.06.01.01.07.01.00.00.00"}, // ParentClass
        {0x0009, "06.0e.2b.34.01.01.01.02.06.01.01.07.02.00.00.00"}, // Properties
        {0x000a, "06.0e.2b.34.01.01.01.02.06.01.01.07.03.00.00.00"}, // IsConcrete
        {0x000b, "06.0e.2b.34.01.01.01.02.06.01.01.07.04.00.00.00"}, // PropertyType
        {0x000c, "06.0e.2b.34.01.01.01.02.03.01.02.02.01.00.00.00"}, // IsOptional
        {0x000d, "06.0e.2b.34.01.01.01.02.06.01.01.07.05.00.00.00"}, // LocalIdentification
        {0x000e, "06.0e.2b.34.01.01.01.02.06.01.01.07.06.00.00.00"}, // IsUniqueIdentifier
        {0x000f, "06.0e.2b.34.01.01.01.02.03.01.02.03.01.00.00.00"}, // Size
        {0x0010, "06.0e.2b.34.01.01.01.02.03.01.02.03.02.00.00.00"}, // IsSigned
        {0x0011, "06.0e.2b.34.01.01.01.02.06.01.01.07.09.00.00.00"}, // ReferencedType
        {0x0012, "06.0e.2b.34.01.01.01.02.06.01.01.07.0a.00.00.00"}, // WeakReferencedType
        {0x0013, "06.0e.2b.34.01.01.01.02.03.01.02.03.0b.00.00.00"}, // TargetSet
        {0x0014, "06.0e.2b.34.01.01.01.02.06.01.01.07.0b.00.00.00"}, // ElementType
        {0x0015, "06.0e.2b.34.01.01.01.02.03.01.02.03.04.00.00.00"}, // ElementNames
        {0x0016, "06.0e.2b.34.01.01.01.02.03.01.02.03.05.00.00.00"}, // ElementValues
        {0x0017, "06.0e.2b.34.01.01.01.02.06.01.01.07.0c.00.00.00"}, // FixedArrayElementType
        {0x0018, "06.0e.2b.34.01.01.01.02.03.01.02.03.03.00.00.00"}, // ElementCount
        {0x0019, "06.0e.2b.34.01.01.01.02.06.01.01.07.0d.00.00.00"}, // VariableArrayElementType
        {0x001a, "06.0e.2b.34.01.01.01.02.06.01.01.07.0e.00.00.00"}, // SetElementType
        {0x001b, "06.0e.2b.34.01.01.01.02.06.01.01.07.0f.00.00.00"}, // StringElementType
        {0x001c, "06.0e.2b.34.01.01.01.02.06.01.01.07.11.00.00.00"}, // MemberTypes
        {0x001d, "06.0e.2b.34.01.01.01.02.03.01.02.03.06.00.00.00"}, // MemberNames
        {0x001e, "06.0e.2b.34.01.01.01.02.06.01.01.07.12.00.00.00"}, // RenamedType
        {0x001f,
         "06.0e.2b.34.01.01.01.02.03.01.02.03.07.00.00.00"}, // ExtendibleEnumerationElementNames
        {0x0020,
         "06.0e.2b.34.01.01.01.02.03.01.02.03.08.00.00.00"}, // ExtendibleEnumerationElementValues
        {0x0025, "06.0e.2b.34.01.01.01.0d.06.01.01.07.1c.00.00.00"}, // SymbolSpaceURI
        {0x002b, "06.0e.2b.34.01.01.01.0d.06.01.01.07.22.00.00.00"}, // MemberOf
        {0x0028, "06.0e.2b.34.01.01.01.0d.06.01.01.07.1f.00.00.00"}, // MetaDefinitions
    };
}

/// The InstanceUID of the `n`th definition set.
inline Bytes instance(std::uint32_t n) {
    return hex("a0a0a0a0-0000-4000-8000-0000") + be(n, 4);
}

/// A string as MXF stores it: big-endian UTF-16 of ASCII text, then a NUL.
inline Bytes utf16z(const std::string& ascii) {
    return utf16(ascii) + Bytes{0, 0};
}

/// A string array: each string ended by a NUL, no header.
inline Bytes strings(const std::vector<std::string>& texts) {
    Bytes bytes;
    for (const std::string& text : texts)
        append(bytes, utf16z(text));
    return bytes;
}

/// An array of 16-byte values (labels, AUIDs, InstanceUIDs).
inline Bytes labels(const std::vector<Bytes>& values) {
    Bytes bytes = be(values.size(), 4) + be(16, 4);
    for (const Bytes& value : values)
        append(bytes, value);
    return bytes;
}

/// What every definition set holds.
inline std::vector<Item> definition(std::uint32_t n, const std::string& id,
                                    const std::string& name) {
    return {{0x3c0a, instance(n)}, {0x0005, hex(id)}, {0x0006, utf16z(name)}};
}

inline Bytes classDefinition(std::uint32_t n, const std::string& id, const std::string& name,
                             const std::string& parent,
                             const std::vector<std::uint32_t>& properties, bool concrete = true) {
    std::vector<Item> items = definition(n, id, name);
    items.push_back({0x0008, hex(parent)});
    std::vector<Bytes> listed;
    for (const std::uint32_t property : properties)
        listed.push_back(instance(property));
    if (!listed.empty())
        items.push_back({0x0009, labels(listed)});
    items.push_back({0x000a, Bytes{static_cast<std::uint8_t>(concrete)}});
    return localSet(kClassDefinition, items);
}

/// A tag of 0 leaves LocalIdentification out; `memberOf` names the class
/// that holds the property (as extension schemes do) unless it is empty.
inline Bytes propertyDefinition(std::uint32_t n, const std::string& id, const std::string& name,
                                const std::string& type, bool optional, std::uint16_t tag,
                                bool uniqueIdentifier = false, const std::string& memberOf = "") {
    std::vector<Item> items = definition(n, id, name);
    items.push_back({0x000b, hex(type)});
    items.push_back({0x000c, Bytes{static_cast<std::uint8_t>(optional)}});
    if (tag != 0)
        items.push_back({0x000d, be(tag, 2)});
    if (uniqueIdentifier)
        items.push_back({0x000e, Bytes{1}});
    if (!memberOf.empty())
        items.push_back({0x002b, hex(memberOf)});
    return localSet(kPropertyDefinition, items);
}

/// A TypeDefinition set of `kind` with the facts of its kind.
inline Bytes typeDefinition(TypeSet kind, std::uint32_t n, const std::string& id,
                            const std::string& name, const std::vector<Item>& facts = {}) {
    std::vector<Item> items = definition(n, id, name);
    items.insert(items.end(), facts.begin(), facts.end());
    std::string key = "06.0e.2b.34.02.53.01.01.0d.01.01.01.02.00.00.00";
    static const char digits[] = "0123456789abcdef";
    const auto byte = static_cast<std::uint8_t>(kind);
    key[39] = digits[byte >> 4];
    key[40] = digits[byte & 15];
    return localSet(key, items);
}

/// A header partition whose primer lists the definition items' tags and
/// `more`, then `sets`.
inline Bytes dictionaryFile(const Bytes& sets,
                            const std::vector<std::pair<std::uint16_t, std::string>>& more = {}) {
    auto entries = metaDictionaryPrimer();
    entries.insert(entries.end(), more.begin(), more.end());
    Bytes metadata = primer(entries);
    append(metadata, sets);
    return headerFile(metadata);
}

} // namespace MxfTest
