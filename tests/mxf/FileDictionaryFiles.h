#pragma once
// MXF files with a dictionary of their own, read with the shipped example
// dictionary: one that extends it by two levels of classes and a property of
// every kind of type, and hostile ones of any size (parents in a cycle or a
// chain, types that contain themselves, many properties on one class, one
// local tag for many properties).
#include "MetaDictionaryBytes.h"

#include <string>

namespace MxfTest {
namespace Own {

// Classes of the example dictionary.
constexpr char kInterchangeObjectClass[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.01.00";
constexpr char kSubDescriptorClass[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.59.00";
// Two classes the file adds, one below the other; the first written in the
// groups' form (byte 6 7f) that a local set key turns into 53.
constexpr char kCameraClass[] = "06.0e.2b.34.02.7f.01.01.0e.7e.01.01.01.01.00.00";
constexpr char kCameraKey[] = "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.01.00.00";
constexpr char kLensKey[] = "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.02.00.00";

// Types of the example dictionary.
constexpr char kUInt8[] = "06.0e.2b.34.01.04.01.01.01.01.01.00.00.00.00.00";
constexpr char kInt32[] = "06.0e.2b.34.01.04.01.01.01.01.07.00.00.00.00.00";
constexpr char kAUIDType[] = "06.0e.2b.34.01.04.01.01.01.03.01.00.00.00.00.00";
constexpr char kUUIDType[] = "06.0e.2b.34.01.04.01.01.01.03.03.00.00.00.00.00";
constexpr char kUTF16StringType[] = "06.0e.2b.34.01.04.01.01.01.10.02.00.00.00.00.00";
constexpr char kRationalType[] = "06.0e.2b.34.01.04.01.01.03.01.01.00.00.00.00.00";

/// A type the file adds: 06.0e.2b.34.01.04.01.01.0e.7e.01.nn.00.00.00.00.
inline std::string fileType(int n) {
    static const char digits[] = "0123456789abcdef";
    std::string label = "06.0e.2b.34.01.04.01.01.0e.7e.01.00.00.00.00.00";
    label[33] = digits[(n >> 4) & 15];
    label[34] = digits[n & 15];
    return label;
}

/// A property the file adds: 06.0e.2b.34.01.01.01.01.0e.7e.02.nn.00.00.00.00.
inline std::string fileProperty(int n) {
    static const char digits[] = "0123456789abcdef";
    std::string label = "06.0e.2b.34.01.01.01.01.0e.7e.02.00.00.00.00.00";
    label[33] = digits[(n >> 4) & 15];
    label[34] = digits[n & 15];
    return label;
}

/// The local tags of the properties the file adds: 7e.01 for the camera's
/// serial number (static), ff.nn for property n.
constexpr std::uint16_t kSerialTag = 0x7e01;
inline std::uint16_t fileTag(int n) {
    return static_cast<std::uint16_t>(0xff00 + n);
}

// The property numbers of ownDictionaryFile() and what their types are.
enum EveryKind : int {
    Note = 1, // UTF16String, added to the example's SubDescriptor
    Serial,   // UTF16String, static tag, required (CameraSubDescriptor)
    CameraID, // AUID, the camera's unique identifier
    Focus,    // Integer the file defines (Int16)
    Iris,     // Enumeration of UInt8
    LensKind, // ExtendibleEnumeration
    Point,    // Record {Distance: Rational, Focus: FocusUnits}
    Corners,  // FixedArray of 2 LensPoint
    Curve,    // VariableArray of LensPoint
    Lenses,   // Set of UUID
    Label,    // String of a character type the file defines
    Distance, // Rename of Rational
    Tagged,   // Indirect
    Blob,     // Opaque
    Data,     // Stream
    Camera,   // StrongReference to CameraSubDescriptor
    Mount,    // WeakReference to CameraSubDescriptor
    LastEveryKind = Mount
};

/// The definitions of ownDictionaryFile(): the example's InterchangeObject and
/// SubDescriptor (the latter with a property the file adds), and
/// CameraSubDescriptor below SubDescriptor and LensSubDescriptor below it.
inline Bytes ownDefinitions() {
    Bytes sets;
    const auto type = [&](TypeSet kind, std::uint32_t n, int label, const std::string& name,
                          const std::vector<Item>& facts) {
        append(sets, typeDefinition(kind, n, fileType(label), name, facts));
    };
    type(TypeSet::Integer, 101, 1, "FocusUnits", {{0x000f, Bytes{2}}, {0x0010, Bytes{1}}});
    type(TypeSet::Enumeration, 102, 2, "IrisMode",
         {{0x0014, hex(kUInt8)},
          {0x0015, strings({"Manual", "Auto"})},
          {0x0016, be(2, 4) + be(8, 4) + be(0, 8) + be(1, 8)}});
    type(TypeSet::ExtendibleEnumeration, 103, 3, "LensKind",
         {{0x001f, strings({"Prime"})},
          {0x0020, labels({hex("06.0e.2b.34.04.01.01.01.0e.7e.03.01.00.00.00.00")})}});
    type(TypeSet::Record, 104, 4, "LensPoint",
         {{0x001c, labels({hex(kRationalType), hex(fileType(1))})},
          {0x001d, strings({"Distance", "Focus"})}});
    type(TypeSet::FixedArray, 105, 5, "LensCorners",
         {{0x0017, hex(fileType(4))}, {0x0018, be(2, 4)}});
    type(TypeSet::VariableArray, 106, 6, "LensPointArray", {{0x0019, hex(fileType(4))}});
    type(TypeSet::Set, 107, 7, "LensIDSet", {{0x001a, hex(kUUIDType)}});
    type(TypeSet::Character, 108, 8, "LensCharacter", {});
    type(TypeSet::String, 109, 9, "LensString", {{0x001b, hex(fileType(8))}});
    type(TypeSet::Rename, 110, 10, "LensDistance", {{0x001e, hex(kRationalType)}});
    // The register's Indirect, Opaque and Stream, which the example lacks.
    append(sets, typeDefinition(TypeSet::Indirect, 111,
                                "06.0e.2b.34.01.04.01.01.04.10.03.00.00.00.00.00", "Indirect"));
    append(sets, typeDefinition(TypeSet::Opaque, 112,
                                "06.0e.2b.34.01.04.01.01.04.10.04.00.00.00.00.00", "Opaque"));
    append(sets, typeDefinition(TypeSet::Stream, 113,
                                "06.0e.2b.34.01.04.01.01.04.10.02.00.00.00.00.00", "Stream"));
    type(TypeSet::StrongReference, 114, 14, "CameraStrongReference", {{0x0011, hex(kCameraClass)}});
    type(TypeSet::WeakReference, 115, 15, "CameraWeakReference",
         {{0x0012, hex(kCameraKey)}, {0x0013, labels({})}});

    const struct {
        int number;
        const char* name;
        std::string type;
        bool optional;
    } properties[] = {
        {Note, "Note", kUTF16StringType, true},
        {Serial, "Serial", kUTF16StringType, false},
        {CameraID, "CameraID", kAUIDType, false},
        {Focus, "Focus", fileType(1), true},
        {Iris, "Iris", fileType(2), true},
        {LensKind, "Kind", fileType(3), true},
        {Point, "Point", fileType(4), true},
        {Corners, "Corners", fileType(5), true},
        {Curve, "Curve", fileType(6), true},
        {Lenses, "Lenses", fileType(7), true},
        {Label, "Label", fileType(9), true},
        {Distance, "Distance", fileType(10), true},
        {Tagged, "Tagged", "06.0e.2b.34.01.04.01.01.04.10.03.00.00.00.00.00", true},
        {Blob, "Blob", "06.0e.2b.34.01.04.01.01.04.10.04.00.00.00.00.00", true},
        {Data, "Data", "06.0e.2b.34.01.04.01.01.04.10.02.00.00.00.00.00", true},
        {Camera, "Camera", fileType(14), true},
        {Mount, "Mount", fileType(15), true},
    };
    for (const auto& p : properties)
        append(sets, propertyDefinition(static_cast<std::uint32_t>(200 + p.number),
                                        fileProperty(p.number), p.name, p.type, p.optional,
                                        p.number == Serial ? kSerialTag : fileTag(p.number),
                                        p.number == CameraID));

    append(sets, classDefinition(1, kInterchangeObjectClass, "InterchangeObject",
                                 kInterchangeObjectClass, {}, false));
    append(sets, classDefinition(2, kSubDescriptorClass, "SubDescriptor", kInterchangeObjectClass,
                                 {200 + Note}, false));
    append(sets, classDefinition(3, kCameraClass, "CameraSubDescriptor", kSubDescriptorClass,
                                 {200 + Serial, 200 + CameraID}));
    std::vector<std::uint32_t> lens;
    for (int p = Focus; p <= LastEveryKind; ++p)
        lens.push_back(static_cast<std::uint32_t>(200 + p));
    // The parent by the InstanceUID of its definition set, as some writers
    // store weak references to definitions.
    append(sets,
           classDefinition(4, "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.02.00.00",
                           "LensSubDescriptor", "a0a0a0a0-0000-4000-8000-000000000003", lens));
    return sets;
}

/// The primer entries of the properties ownDefinitions() adds.
inline std::vector<std::pair<std::uint16_t, std::string>> ownTags() {
    std::vector<std::pair<std::uint16_t, std::string>> tags;
    for (int p = Note; p <= LastEveryKind; ++p)
        tags.emplace_back(p == Serial ? kSerialTag : fileTag(p), fileProperty(p));
    return tags;
}

/// The definitions, then two cameras and a lens (which is a camera too) with
/// an item of every kind that refers to one camera strongly and to the other
/// weakly.
inline Bytes ownDictionaryFile() {
    Bytes sets = ownDefinitions();
    const Bytes cameraID = hex("06.0e.2b.34.04.01.01.01.0e.7e.04.01.00.00.00.00");
    append(sets, localSet(kCameraKey, {{0x3c0a, uid(1)},
                                       {kSerialTag, utf16z("C-1")},
                                       {fileTag(CameraID), cameraID},
                                       {fileTag(Note), utf16z("mounted")}}));
    append(sets, localSet(kCameraKey, {{0x3c0a, uid(2)},
                                       {kSerialTag, utf16z("C-2")},
                                       {fileTag(CameraID),
                                        hex("06.0e.2b.34.04.01.01.01.0e.7e.04.02.00.00.00.00")}}));
    const Bytes point = be(3, 4) + be(2, 4) + be(0xfffe, 2); // 3/2, focus -2
    append(sets,
           localSet(kLensKey,
                    {{0x3c0a, uid(3)},
                     {kSerialTag, utf16z("L-1")},
                     {fileTag(CameraID), hex("06.0e.2b.34.04.01.01.01.0e.7e.04.03.00.00.00.00")},
                     {fileTag(Focus), be(0xff9c, 2)},
                     {fileTag(Iris), Bytes{1}},
                     {fileTag(LensKind), hex("06.0e.2b.34.04.01.01.01.0e.7e.03.01.00.00.00.00")},
                     {fileTag(Point), point},
                     {fileTag(Corners), point + be(5, 4) + be(1, 4) + be(7, 2)},
                     {fileTag(Curve), array({point}, 10)},
                     {fileTag(Lenses), array({uid(9)}, 16)},
                     {fileTag(Label), utf16z("Zoom")},
                     {fileTag(Distance), be(1, 4) + be(4, 4)},
                     {fileTag(Tagged), indirect('B', kInt32, be(42, 4))},
                     {fileTag(Blob), hex("de ad")},
                     {fileTag(Data), hex("be ef")},
                     {fileTag(Camera), uid(2)},
                     {fileTag(Mount), cameraID},
                     {fileTag(Note), utf16z("lens")}}));
    return dictionaryFile(sets, ownTags());
}

} // namespace Own
} // namespace MxfTest
