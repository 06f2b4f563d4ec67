// The file's own dictionary of a real file: indirect.mxf (an AAF-style file
// with a MetaDictionary) read with the registers imported from the 2023
// snapshot, its extraction loaded and decoding the file alike, and its RegXML
// with the file's definitions written as elements. Skipped when the file or
// the registers are absent.
#include "../mxf/ValueDescription.h"
#include "support/TestSupport.h"

#include <Palimo/Registers/ExtensionSchema.h>
#include <Palimo/Registers/Importer.h>

#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Palimo::MXF::DecodedFile;
using Palimo::MXF::FileDefinitions;

struct Loaded {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
};

void load(const fs::path& top, Loaded& loaded) {
    Palimo::TypeDefinitions::loadDictionary(top.string(), {}, loaded.dictionary, loaded.types);
}

std::string regxml(const DecodedFile& file, const Loaded& loaded) {
    Palimo::Output::RegXMLOptions options;
    options.fileDefinitions = true;
    std::ostringstream out;
    Palimo::Output::writeRegXML(out, file, loaded.types, options);
    return out.str();
}

TEST(FileDictionaryPeer, IndirectDecodesItsOwnItemsAndItsExtractionAlike) {
    const fs::path mxf = fs::path(PALIMO_REGXML_PEER) / "mxf" / "indirect.mxf";
    const fs::path registers = PALIMO_REGXML_REGISTERS;
    if (!fs::exists(mxf) || !fs::exists(registers / "Elements.xml"))
        GTEST_SKIP() << "no " << mxf << " or no registers at " << registers;
    const PalimoTest::TempDir directory;
    Palimo::Registers::importRegisters(registers, directory.path() / "registers");
    Loaded smpte;
    load(directory.path() / "registers" / "MXFDictionary.xsd", smpte);

    const DecodedFile file = Palimo::MXF::readMXFFile(mxf.string(), smpte.dictionary, &smpte.types);
    ASSERT_TRUE(file.fileDictionary);
    // The 15 items that the registers lack, each named and decoded.
    std::map<std::string, std::string> items;
    std::size_t count = 0;
    for (const auto& set : file.sets)
        for (const auto& item : set.items)
            if (item.fromFileDictionary) {
                ++count;
                ASSERT_TRUE(item.value) << item.name;
                items[set.name + " " + item.name] +=
                    (items.count(set.name + " " + item.name) ? "; " : "") +
                    MxfTest::describe(*item.value);
            }
    EXPECT_EQ(count, 15u);
    EXPECT_EQ(items.size(), 15u);
    EXPECT_EQ(items["Preface ProjectEditRate"], "Rational 25/1");
    EXPECT_EQ(items["Preface ProjectName_62fc3717492d42bf"], "Text \"UHD 25p\"");
    EXPECT_EQ(items["MaterialPackage ConvertFrameRate"], "Bool false");
    EXPECT_EQ(items["CDCIDescriptor ImageSize"], "Int 753664");
    EXPECT_EQ(items["CDCIDescriptor ValidBox"],
              "Record {PositionX: Rational -1600/1, PositionY: Rational -900/1, Width: Rational "
              "3200/1, Height: Rational 1800/1}");
    for (const char* name :
         {"Preface MasterMobID", "Preface EssenceFileMobID", "MaterialPackage MobAttributeList",
          "SourcePackage MobAttributeList", "TaggedValue TaggedValueAttributeList",
          "TaggedValue PortableObjectClassID", "TaggedValue PortableObject",
          "CDCIDescriptor FrameSampleSize", "CDCIDescriptor SourceBox",
          "CDCIDescriptor EssenceBox"})
        EXPECT_EQ(items.count(name), 1u) << name;
    // No item is unknown any more; what the file's dictionary says against the
    // registers is reported (string arrays it calls strings).
    std::map<std::string, int> kinds;
    for (const auto& problem : file.problems)
        ++kinds[Palimo::MXF::problemKindName(problem.kind)];
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"fileDictionary", 3}, {"missingRequired", 12}}));

    const fs::path extracted = directory.path() / "extracted";
    Palimo::Registers::writeExtensionSchema(*file.fileDictionary, smpte.dictionary, &smpte.types,
                                            directory.path() / "registers" / "MXFDictionary.xsd",
                                            extracted, "indirect.mxf");
    Loaded withExtension;
    load(extracted / "MXFDictionary.xsd", withExtension);
    const DecodedFile again =
        Palimo::MXF::readMXFFile(mxf.string(), withExtension.dictionary, &withExtension.types,
                                 Palimo::MXF::PartitionChoice::Best, FileDefinitions::Ignore);
    EXPECT_EQ(MxfTest::describeDecoding(again), MxfTest::describeDecoding(file));
    EXPECT_EQ(regxml(again, withExtension), regxml(file, smpte));
}

} // namespace
