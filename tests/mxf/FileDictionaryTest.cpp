// The file's own dictionary: a hand-made file that extends the example
// dictionary by two levels of classes and a property of every kind, read
// with and without it; and definitions that contradict the dictionary or
// themselves, each refused with the message that says why while the rest
// stays usable.
#include "ExampleDictionary.h"
#include "FileDictionaryFiles.h"
#include "ValueDescription.h"

#include <Palimo/MXF/DictionaryIndex.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/FileReader.h>

#include <gtest/gtest.h>

namespace {

using namespace MxfTest;
using namespace MxfTest::Own;
using Palimo::MXF::DecodedFile;
using Palimo::MXF::DecodedItem;
using Palimo::MXF::DecodedSet;
using Palimo::MXF::FileDefinitions;
using Palimo::MXF::kNoSet;
using Palimo::MXF::MemorySource;
using Palimo::MXF::Problem;

DecodedFile read(const Bytes& bytes, FileDefinitions definitions = FileDefinitions::Use) {
    const MemorySource source(bytes.data(), bytes.size());
    return Palimo::MXF::readMXFFile(source, example().dictionary, &example().types,
                                    Palimo::MXF::PartitionChoice::Best, definitions);
}

// Every problem but those of definition sets the example does not know.
std::vector<std::string> problems(const DecodedFile& file) {
    std::vector<std::string> found;
    for (const Problem& problem : file.problems) {
        const bool definitionSet =
            problem.kind == Problem::Kind::UnknownSet &&
            problem.message.find("06.0e.2b.34.02.53.01.01.0d.01.01.01.02.") != std::string::npos;
        if (!definitionSet)
            found.push_back(std::string(Palimo::MXF::problemKindName(problem.kind)) + ": " +
                            problem.message);
    }
    return found;
}

const DecodedSet& setAt(const DecodedFile& file, const std::string& key, int nth = 0) {
    for (const DecodedSet& set : file.sets)
        if (set.klv.key.dotted() == key && nth-- == 0)
            return set;
    throw std::runtime_error("no set " + key);
}

const DecodedItem& itemOf(const DecodedSet& set, std::uint16_t tag) {
    for (const DecodedItem& item : set.items)
        if (item.localTag == tag)
            return item;
    throw std::runtime_error("no item " + std::to_string(tag));
}

TEST(FileDictionary, EachKindOfPropertyDecodesByTheFilesDefinitions) {
    const DecodedFile file = read(ownDictionaryFile());
    ASSERT_TRUE(file.fileDictionary);
    EXPECT_EQ(problems(file), std::vector<std::string>{});

    const DecodedSet& lens = setAt(file, kLensKey);
    EXPECT_EQ(lens.name, "LensSubDescriptor");
    EXPECT_TRUE(lens.fromFileDictionary);
    struct Case {
        int property;
        const char* name;
        const char* type; // the type definition's symbol
        std::string value;
    };
    const std::vector<Case> cases = {
        {Focus, "Focus", "FocusUnits", "Int -100"},
        {Iris, "Iris", "IrisMode", "Enum 1 Auto"},
        {LensKind, "Kind", "LensKind",
         "AUID label 06.0e.2b.34.04.01.01.01.0e.7e.03.01.00.00.00.00 known=Prime"},
        {Point, "Point", "LensPoint", "Record {Distance: Rational 3/2, Focus: Int -2}"},
        {Corners, "Corners", "LensCorners",
         "List [Record {Distance: Rational 3/2, Focus: Int -2}, Record {Distance: Rational "
         "5/1, Focus: Int 7}]"},
        {Curve, "Curve", "LensPointArray", "List [Record {Distance: Rational 3/2, Focus: Int -2}]"},
        {Lenses, "Lenses", "LensIDSet", "List [UUID " + uidText(9) + "]"},
        {Label, "Label", "LensString", "Text \"Zoom\""},
        {Distance, "Distance", "LensDistance", "Rational 1/4"},
        {Tagged, "Tagged", "Indirect", "Indirect Int32 BE Int 42"},
        {Blob, "Blob", "Opaque", "Bytes dead"},
        {Data, "Data", "Stream", "Bytes beef"},
        {Camera, "Camera", "CameraStrongReference", "UUID " + uidText(2)},
        {Mount, "Mount", "CameraWeakReference",
         "AUID label 06.0e.2b.34.04.01.01.01.0e.7e.04.01.00.00.00.00"},
        {Note, "Note", "UTF16String", "Text \"lens\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedItem& item = itemOf(lens, fileTag(c.property));
        EXPECT_EQ(item.name, c.name);
        EXPECT_TRUE(item.fromFileDictionary);
        ASSERT_TRUE(item.definition);
        EXPECT_EQ(item.definition->symbol, c.type);
        ASSERT_TRUE(item.value);
        EXPECT_EQ(describe(*item.value), c.value);
    }
    // The weak reference finds the camera by its unique identifier, the strong
    // one owns the other camera; the camera has the property the file adds to
    // the example's SubDescriptor.
    const DecodedSet& camera = setAt(file, kCameraKey);
    EXPECT_EQ(camera.name, "CameraSubDescriptor");
    EXPECT_EQ(itemOf(lens, fileTag(Mount)).weakTargets,
              std::vector<std::size_t>{static_cast<std::size_t>(&camera - file.sets.data())});
    EXPECT_EQ(describe(*itemOf(camera, kSerialTag).value), "Text \"C-1\"");
    EXPECT_EQ(describe(*itemOf(camera, fileTag(Note)).value), "Text \"mounted\"");
    // InstanceID stays the example's.
    EXPECT_FALSE(itemOf(camera, 0x3c0a).fromFileDictionary);
}

TEST(FileDictionary, DefinitionsArePlacedBelowTheDictionarysClasses) {
    const DecodedFile file = read(ownDictionaryFile());
    const Palimo::MXF::FileDictionary& own = *file.fileDictionary;
    std::vector<std::string> classes;
    for (const Palimo::MXF::FileClass& klass : own.classes()) {
        std::string text = klass.name + (klass.added ? " added" : " extended") + " key " +
                           klass.key.dotted() + " parent " +
                           (klass.parent ? klass.parent->dotted() : "none") + ":";
        for (const Palimo::MXF::FileMember& member : klass.members)
            text += " " + member.label.dotted().substr(33, 2) + (member.optional ? "" : "!") +
                    (member.uniqueIdentifier ? "*" : "");
        classes.push_back(text);
    }
    EXPECT_EQ(classes, (std::vector<std::string>{
                           std::string("SubDescriptor extended key ") + kSubDescriptorClass +
                               " parent none: 01",
                           std::string("CameraSubDescriptor added key ") + kCameraKey + " parent " +
                               kSubDescriptorClass + ": 02! 03!*",
                           std::string("LensSubDescriptor added key ") + kLensKey + " parent " +
                               kCameraKey + ": 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11",
                       }));
    ASSERT_EQ(own.properties().size(), static_cast<std::size_t>(LastEveryKind));
    // Only the static tag is the dictionary's business; the namespace is the
    // one of definitions no extension scheme names.
    for (const Palimo::MXF::FileProperty& property : own.properties()) {
        EXPECT_EQ(property.localTag.has_value(), property.name == "Serial") << property.name;
        EXPECT_EQ(property.namespaceURI, Palimo::MXF::kFileDictionaryNamespace);
    }
    // Types the example has are not defined again; the rest are the file's.
    EXPECT_EQ(own.types().typeCount(), 15u);
    EXPECT_EQ(own.types().findType(std::string("UInt8")),
              example().types.findType(std::string("UInt8")));
}

TEST(FileDictionary, IgnoredTheFilesDefinitionsAreUnknown) {
    const DecodedFile file = read(ownDictionaryFile(), FileDefinitions::Ignore);
    EXPECT_FALSE(file.fileDictionary);
    const DecodedSet& lens = setAt(file, kLensKey);
    EXPECT_EQ(lens.set, nullptr);
    EXPECT_EQ(itemOf(lens, fileTag(Focus)).element, nullptr);
    for (const DecodedSet& set : file.sets)
        for (const DecodedItem& item : set.items)
            EXPECT_FALSE(item.fromFileDictionary);
}

// A file of the every-kind definitions and `more`, with a lens that holds
// `items`.
Bytes withDefinitions(const Bytes& more, const std::vector<Item>& items = {},
                      const std::vector<std::pair<std::uint16_t, std::string>>& tags = {}) {
    Bytes sets = ownDefinitions();
    append(sets, more);
    std::vector<Item> lens = {{0x3c0a, uid(3)}};
    lens.insert(lens.end(), items.begin(), items.end());
    append(sets, localSet(kLensKey, lens));
    auto allTags = ownTags();
    allTags.insert(allTags.end(), tags.begin(), tags.end());
    return dictionaryFile(sets, allTags);
}

std::vector<std::string> fileDictionaryProblems(const DecodedFile& file) {
    std::vector<std::string> found;
    for (const Problem& problem : file.problems)
        if (problem.kind == Problem::Kind::FileDictionary)
            found.push_back(problem.message);
    return found;
}

TEST(FileDictionary, ContradictionsAreReportedAndNotUsed) {
    // LinkedTrackID of the example: UInt32, local tag 30.06.
    const std::string linkedTrackID = "06.0e.2b.34.01.01.01.05.06.01.01.03.05.00.00.00";
    const std::string undefined = "06.0e.2b.34.01.04.01.01.0e.7e.09.09.00.00.00.00";
    struct Case {
        const char* what;
        Bytes definitions;
        std::vector<std::string> messages; // what each problem starts with, in order
    };
    const std::vector<Case> cases = {
        {"a property the dictionary gives another type and tag",
         propertyDefinition(300, linkedTrackID, "LinkedTrackID", kUTF16StringType, true, 0x3006) +
             propertyDefinition(301, linkedTrackID.substr(0, 21) + "7f" + linkedTrackID.substr(23),
                                "LinkedTrackID", kInt32, true, 0x1234),
         {"property \"LinkedTrackID\" (06.0e.2b.34.01.01.01.05.06.01.01.03.05.00.00.00) of the "
          "file's dictionary has the type UTF16String (06.0e.2b.34.01.04.01.01.01.10.02.00.00.00."
          "00.00), where the dictionary gives LinkedTrackID the type UInt32 "
          "(06.0e.2b.34.01.04.01.01.01.01.03.00.00.00.00.00): the dictionary's is used",
          "property \"LinkedTrackID\" (06.0e.2b.34.01.01.01.7f.06.01.01.03.05.00.00.00) of the "
          "file's dictionary has the type Int32",
          "property \"LinkedTrackID\" (06.0e.2b.34.01.01.01.7f.06.01.01.03.05.00.00.00) of the "
          "file's dictionary has the local tag 12.34, where the dictionary gives LinkedTrackID "
          "30.06: the dictionary's is used"}},
        {"a class whose parent is unknown",
         classDefinition(300, "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00", "Orphan",
                         "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0a.00.00", {}),
         {"class \"Orphan\" (06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00) of the file's "
          "dictionary is not used: its parent 06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0a.00.00 is "
          "a class of neither the file nor the dictionary"}},
        {"parents in a cycle, and a class below them",
         classDefinition(300, "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00", "A",
                         "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0a.00.00", {}) +
             classDefinition(301, "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0a.00.00", "B",
                             "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00", {}) +
             classDefinition(302, "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0b.00.00", "C",
                             "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0a.00.00", {}),
         {"class \"A\" (06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00) of the file's "
          "dictionary is not used: its parents lead back to itself",
          "class \"B\"",
          "class \"C\" (06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0b.00.00) of the file's "
          "dictionary is not used: its parent \"B\""}},
        {"a local tag used twice, and a static tag of the dictionary",
         propertyDefinition(300, fileProperty(0x40), "Twice", kInt32, true, fileTag(Focus)) +
             propertyDefinition(301, fileProperty(0x41), "Instance", kInt32, true, 0x3c0a),
         {"property \"Twice\" (06.0e.2b.34.01.01.01.01.0e.7e.02.40.00.00.00.00) of the file's "
          "dictionary is not used: its local tag ff.04 is also that of property \"Focus\" "
          "(06.0e.2b.34.01.01.01.01.0e.7e.02.04.00.00.00.00)",
          "property \"Instance\" (06.0e.2b.34.01.01.01.01.0e.7e.02.41.00.00.00.00) of the file's "
          "dictionary is not used: its local tag 3c.0a is the dictionary's tag of InstanceID "
          "(06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00)"}},
        {"types that contain themselves, and a property of one",
         typeDefinition(TypeSet::Rename, 300, fileType(0x40), "Self",
                        {{0x001e, hex(fileType(0x40))}}) +
             typeDefinition(
                 TypeSet::Record, 301, fileType(0x41), "Outer",
                 {{0x001c, labels({hex(fileType(0x42))})}, {0x001d, strings({"Inner"})}}) +
             typeDefinition(TypeSet::VariableArray, 302, fileType(0x42), "Inners",
                            {{0x0019, hex(fileType(0x41))}}) +
             propertyDefinition(303, fileProperty(0x40), "Loop", fileType(0x41), true, 0xfe01),
         {"type \"Self\" (06.0e.2b.34.01.04.01.01.0e.7e.01.40.00.00.00.00) of the file's "
          "dictionary is not used: it contains itself",
          "type \"Outer\"", "type \"Inners\"",
          "property \"Loop\" (06.0e.2b.34.01.01.01.01.0e.7e.02.40.00.00.00.00) of the file's "
          "dictionary is not used: its type \"Outer\" (06.0e.2b.34.01.04.01.01.0e.7e.01.41.00.00."
          "00.00) is not used"}},
        {"a type naming one nobody defines, and a type using it",
         typeDefinition(TypeSet::FixedArray, 300, fileType(0x40), "Unknowns",
                        {{0x0017, hex(undefined)}, {0x0018, be(2, 4)}}) +
             typeDefinition(TypeSet::Rename, 301, fileType(0x41), "Again",
                            {{0x001e, hex(fileType(0x40))}}),
         {"type \"Unknowns\" (06.0e.2b.34.01.04.01.01.0e.7e.01.40.00.00.00.00) of the file's "
          "dictionary is not used: its item type 06.0e.2b.34.01.04.01.01.0e.7e.09.09.00.00.00.00 "
          "is defined neither by the file nor by the dictionary",
          "type \"Again\" (06.0e.2b.34.01.04.01.01.0e.7e.01.41.00.00.00.00) of the file's "
          "dictionary is not used: its renamed type \"Unknowns\""}},
        {"facts a kind cannot do without",
         typeDefinition(TypeSet::Integer, 300, fileType(0x40), "Int3", {{0x000f, Bytes{9}}}) +
             typeDefinition(TypeSet::Enumeration, 301, fileType(0x41), "Uneven",
                            {{0x0014, hex(kUInt8)},
                             {0x0015, strings({"A", "B"})},
                             {0x0016, be(1, 4) + be(8, 4) + be(0, 8)}}) +
             typeDefinition(TypeSet::String, 302, fileType(0x42), "Digits",
                            {{0x001b, hex(kUInt8)}}),
         {"type \"Int3\" (06.0e.2b.34.01.04.01.01.0e.7e.01.40.00.00.00.00) of the file's "
          "dictionary is not used: its Size is 9, not 1 to 8 bytes",
          "type \"Uneven\" (06.0e.2b.34.01.04.01.01.0e.7e.01.41.00.00.00.00) of the file's "
          "dictionary is not used: it has 2 ElementNames and 1 ElementValues",
          "type \"Digits\" (06.0e.2b.34.01.04.01.01.0e.7e.01.42.00.00.00.00) of the file's "
          "dictionary is not used: its character type UInt8 is no character type"}},
        {"a definition given twice, one that is no set, one that cannot be read",
         classDefinition(300, kCameraClass, "CameraAgain", kSubDescriptorClass, {}) +
             classDefinition(301, "80 00 00 00 00 00 00 01 a0 a0 a0 a0 00 00 40 00", "ByUUID",
                             kSubDescriptorClass, {}) +
             localSet(kPropertyDefinition, {{0x3c0a, instance(302)}, {0x0005, hex("06.0e.2b")}}),
         {"class \"CameraAgain\" (06.0e.2b.34.02.7f.01.01.0e.7e.01.01.01.01.00.00) of the "
          "file's dictionary is not used: it is defined twice (first at byte ",
          "class \"ByUUID\" (a0a0a0a0-0000-4000-8000-000000000001) of the file's dictionary is "
          "not used: its identification is no set key",
          "the property definition at byte "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedFile file = read(withDefinitions(c.definitions));
        const std::vector<std::string> found = fileDictionaryProblems(file);
        ASSERT_EQ(found.size(), c.messages.size()) << ::testing::PrintToString(found);
        for (std::size_t i = 0; i < found.size(); ++i)
            EXPECT_EQ(found[i].substr(0, c.messages[i].size()), c.messages[i]);
        // What the rest defines still decodes.
        EXPECT_TRUE(setAt(file, kLensKey).fromFileDictionary);
    }
}

TEST(FileDictionary, NothingRedefinesTheDictionary) {
    // The example's Preface, said to have another parent and a member that
    // is the example's own element; its LinkedTrackID said to be text.
    const std::string preface = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
    const std::string linkedTrackID = "06.0e.2b.34.01.01.01.05.06.01.01.03.05.00.00.00";
    const Bytes definitions =
        classDefinition(300, preface, "Header", kSubDescriptorClass, {301}) +
        propertyDefinition(301, linkedTrackID, "LinkedTrackID", kUTF16StringType, false, 0x3006);
    const DecodedFile file = read(withDefinitions(definitions));
    const Palimo::MXF::FileDictionary& own = *file.fileDictionary;
    EXPECT_EQ(own.findSet(*Palimo::Identifiers::Label::parse(preface)), nullptr);
    EXPECT_EQ(own.findElement(*Palimo::Identifiers::Label::parse(linkedTrackID)), nullptr);
    for (const Palimo::MXF::FileClass& klass : own.classes())
        EXPECT_NE(klass.name, "Preface");
}

TEST(FileDictionary, ClassesTooDeepAreRefused) {
    Bytes chain;
    std::string parent = kLensKey;
    for (int depth = 1; depth <= 33; ++depth) {
        std::string key = "06.0e.2b.34.02.53.01.01.0e.7e.05.00.00.00.00.00";
        static const char digits[] = "0123456789abcdef";
        key[33] = digits[depth >> 4];
        key[34] = digits[depth & 15];
        append(chain, classDefinition(static_cast<std::uint32_t>(400 + depth), key,
                                      "Level" + std::to_string(depth), parent, {}));
        parent = key;
    }
    const std::vector<std::string> found = fileDictionaryProblems(read(withDefinitions(chain)));
    // Camera and Lens are two added classes: the 31st level below Lens is the 33rd.
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], "class \"Level31\" (06.0e.2b.34.02.53.01.01.0e.7e.05.1f.00.00.00.00) of "
                        "the file's dictionary is not used: it lies more than 32 classes below "
                        "its root");
    EXPECT_NE(found[2].find("its parent \"Level32\""), std::string::npos);
}

} // namespace

namespace {

TEST(FileDictionary, ManyMissingRequiredMembersAreCountedNotEachNamed) {
    // A class that requires 20 properties, and a set of it without them.
    Bytes sets = ownDefinitions();
    std::vector<std::uint32_t> members;
    for (int i = 0; i < 20; ++i) {
        append(sets, propertyDefinition(static_cast<std::uint32_t>(500 + i), fileProperty(0x40 + i),
                                        "Required" + std::to_string(i), kInt32, false, 0));
        members.push_back(static_cast<std::uint32_t>(500 + i));
    }
    const std::string key = "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00";
    append(sets, classDefinition(499, key, "Demanding", kSubDescriptorClass, members));
    append(sets, localSet(key, {{0x3c0a, uid(7)}}));
    std::vector<std::string> missing;
    for (const Problem& problem : read(dictionaryFile(sets, ownTags())).problems)
        if (problem.kind == Problem::Kind::MissingRequired)
            missing.push_back(problem.message);
    ASSERT_EQ(missing.size(), 17u);
    EXPECT_NE(missing[0].find("required item Required0 ("), std::string::npos) << missing[0];
    EXPECT_NE(missing[15].find("required item Required15 ("), std::string::npos);
    EXPECT_EQ(missing[16].substr(missing[16].find(": ")), ": 4 more required items are missing");
}

TEST(FileDictionary, AnExtensionSchemeGivesItsDefinitionsItsNamespace) {
    Bytes sets = ownDefinitions();
    // The scheme lists the lens class and the Focus property.
    append(sets, localSet("06.0e.2b.34.02.53.01.01.0d.01.01.01.02.26.00.00",
                          {{0x3c0a, instance(600)},
                           {0x0025, utf16z("http://example.com/lens")},
                           {0x0028, labels({instance(4), instance(200 + Focus)})}}));
    append(sets, localSet(kLensKey, {{0x3c0a, uid(3)}}));
    const DecodedFile file = read(dictionaryFile(sets, ownTags()));
    for (const Palimo::MXF::FileClass& klass : file.fileDictionary->classes()) {
        if (!klass.added)
            continue;
        EXPECT_EQ(klass.namespaceURI, klass.name == "LensSubDescriptor"
                                          ? "http://example.com/lens"
                                          : Palimo::MXF::kFileDictionaryNamespace);
    }
    for (const Palimo::MXF::FileProperty& property : file.fileDictionary->properties())
        EXPECT_EQ(property.namespaceURI, property.name == "Focus"
                                             ? "http://example.com/lens"
                                             : Palimo::MXF::kFileDictionaryNamespace);
}

} // namespace

// Read through an index of the loaded dictionary made once for many files,
// a file decodes as it does alone: the same sets and items, found as exactly,
// with the same values and problems; files with the same definitions share
// one dictionary.
TEST(FileDictionary, ThroughAnIndexAFileDecodesAsItDoesAlone) {
    const Palimo::MXF::DictionaryIndex index(example().dictionary, &example().types);
    const std::vector<std::pair<const char*, Bytes>> files = {
        {"the hand-made extension", ownDictionaryFile()},
        {"a contradicting property",
         withDefinitions(propertyDefinition(300, "06.0e.2b.34.01.01.01.05.06.01.01.03.05.00.00.00",
                                            "LinkedTrackID", kUTF16StringType, true, 0x3006))},
    };
    const auto summary = [](const DecodedFile& file) {
        std::vector<std::string> lines = problems(file);
        for (const DecodedSet& set : file.sets) {
            lines.push_back("set " + set.name + (set.exactKey ? "" : " (version)") +
                            (set.fromFileDictionary ? " [file]" : ""));
            for (const DecodedItem& item : set.items)
                lines.push_back("  " + item.name + (item.exactLabel ? "" : " (version)") +
                                (item.value ? " " + describe(*item.value) : " raw"));
        }
        return lines;
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        const MemorySource source(bytes.data(), bytes.size());
        const DecodedFile indexed = Palimo::MXF::readMXFFile(source, index);
        ASSERT_TRUE(indexed.fileDictionary);
        EXPECT_EQ(summary(indexed), summary(read(bytes)));
        // A second file with the same definitions shares the dictionary built
        // for the first.
        const DecodedFile again = Palimo::MXF::readMXFFile(source, index);
        EXPECT_EQ(again.fileDictionary, indexed.fileDictionary);
        EXPECT_EQ(summary(again), summary(indexed));
    }
    // Other definitions build a dictionary of their own.
    const MemorySource one(files[0].second.data(), files[0].second.size());
    const MemorySource other(files[1].second.data(), files[1].second.size());
    EXPECT_NE(Palimo::MXF::readMXFFile(one, index).fileDictionary,
              Palimo::MXF::readMXFFile(other, index).fileDictionary);
}
