#pragma once
// Small MXF files for the sets of data/mxf/typed-fixture.xsd, whose items
// typed-fixture.types gives types: a Thing with items of every kind, the
// Package and Definition sets its weak references refer to.
#include "MxfBytes.h"

namespace MxfTest {

constexpr char kThing[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.10.00";
constexpr char kPackage[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.11.00";
constexpr char kDefinition[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.12.00";
constexpr char kBare[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.13.00";

/// The local tags of Thing's items: 7f.01 to 7f.11 (InstanceID 3c.0a,
/// GenerationID 3c.09).
enum Tag : std::uint16_t {
    Layout = 0x7f01,       // RGBALayout
    Names = 0x7f02,        // UTF16StringArray
    Tagged = 0x7f03,       // Indirect
    Identifier = 0x7f04,   // AUID
    Version = 0x7f05,      // ProductVersionType
    FrameLayout = 0x7f06,  // LayoutType
    Primaries = 0x7f07,    // ColorPrimariesType
    PackageRef = 0x7f08,   // PackageWeakReference
    Definitions = 0x7f09,  // DefinitionWeakReferenceVector
    Title = 0x7f0a,        // UTF16String
    Capabilities = 0x7f0b, // J2KExtendedCapabilities
    Blob = 0x7f0c,         // Opaque
    Children = 0x7f0d,     // ThingStrongReferenceVector
    Created = 0x7f0e,      // TimeStamp
    Labels = 0x7f0f,       // AUIDSet
    PackageID = 0x7f10,    // PackageIDType
    DefinitionID = 0x7f11, // AUID
    GenerationID = 0x3c09  // AUID in the registers, a UUID in files
};

/// A header partition whose primer lists every tag of the fixture, then `sets`.
inline Bytes typedFile(const Bytes& sets) {
    std::vector<std::pair<std::uint16_t, std::string>> entries = {
        {0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"},
        {0x3c09, "06.0e.2b.34.01.01.01.02.05.20.07.01.01.00.00.00"}};
    for (std::uint16_t tag = 0x7f01; tag <= 0x7f11; ++tag) {
        static const char digits[] = "0123456789abcdef";
        entries.emplace_back(tag, std::string("06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.01.") +
                                      digits[(tag >> 4) & 15] + digits[tag & 15]);
    }
    return headerFile(primer(entries) + sets);
}

/// A set with InstanceID uid(id) and `items`.
inline Bytes set(const char* key, std::uint8_t id, const std::vector<Item>& items) {
    std::vector<Item> all = {{0x3c0a, uid(id)}};
    all.insert(all.end(), items.begin(), items.end());
    return localSet(key, all);
}

/// A basic UMID whose last byte is `n`.
inline Bytes umid(std::uint8_t n) {
    return hex("06.0a.2b.34.01.01.01.05.01.01.0d.20.13.00.00.00") + Bytes(15, 0x11) + Bytes{n};
}

const char kPicture[] = "06.0e.2b.34.04.01.01.01.01.03.02.02.01.00.00.00"; // PictureEssenceTrack
const char kSound[] = "06.0e.2b.34.04.01.01.01.01.03.02.02.02.00.00.00";   // named by nothing

/// Item values of every kind.
inline Bytes rgbaLayout() {
    return hex("52 08 47 08 42 08 00 00 00 00 00 00 00 00 00 00");
}
inline Bytes productVersion() {
    return hex("00 01 00 02 00 03 00 04 00 01");
}
inline Bytes swappedAUID() { // the UUID 05cba731-1daa-11d3-80ad-006008143e6f
    return hex("80 ad 00 60 08 14 3e 6f 05 cb a7 31 1d aa 11 d3");
}
inline Bytes taggedText() { // a UTF16String, little-endian
    return indirect('L', "06.0e.2b.34.01.04.01.01.01.10.02.00.00.00.00.00",
                    hex("43 00 3a 00 5c 00 00 00"));
}

/// A Thing with an item of every kind, a Package and a Definition it refers to
/// weakly, a Thing it owns, and a Bare set.
inline Bytes everyKindFile() {
    return typedFile(
        set(kThing, 1,
            {{GenerationID, hex("ad ab 44 24 2f 25 4d c7 92 ff 00 0c 00 00 00 01")},
             {Layout, rgbaLayout()},
             {Names, utf16("Numerator") + Bytes{0, 0} + utf16("Denominator") + Bytes{0, 0}},
             {Tagged, taggedText()},
             {Identifier, swappedAUID()},
             {Version, productVersion()},
             {FrameLayout, hex("07")},
             {Primaries, hex("06.0e.2b.34.04.01.01.06.04.01.01.01.03.03.00.00")},
             {PackageRef, uid(3)},
             {Definitions, array({hex(kPicture), hex(kSound)}, 16)},
             {Title, utf16("Tab\there") + Bytes{0, 0} + utf16("more")},
             {Capabilities, hex("00 00 00 01 00 00 00 02 00 00 00 02 00 07 00 08")},
             {Blob, hex("de ad be ef")},
             {Children, array({uid(2)}, 16)},
             {Created, hex("07 df 05 13 08 34 08 52")},
             {Labels, array({hex("06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00")}, 16)}}) +
        set(kThing, 2, {{Title, utf16("child")}}) + set(kPackage, 3, {{PackageID, umid(1)}}) +
        set(kDefinition, 4, {{DefinitionID, hex(kPicture)}}) +
        localSet(kBare, {{0x3c0a, uid(5)}, {Title, utf16("bare")}}));
}

} // namespace MxfTest
