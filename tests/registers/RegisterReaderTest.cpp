#include "registers/RegisterReader.h"
#include "registers/Importer.h"

#include "registers/RegisterFixtures.h"

using namespace Palimo::Registers;
using namespace PalimoTest;

TEST(RegisterReader, ReadsTheEntriesOfEveryRegister) {
    const Registers registers = readRegisters(smallRegisters());
    // The counts are those of the import report (ImportTest).
    ASSERT_EQ(registers.revisions.size(), 4u);
    EXPECT_EQ(registers.revisions[1],
              std::make_pair(std::string("Groups.xml"), std::string("t0001")));

    const GroupEntry& widget = registers.groups[2];
    EXPECT_EQ(widget.place.text(), "Groups.xml, entry 3 (Widget)");
    EXPECT_EQ(dottedLabel(*widget.parent), "06.0e.2b.34.02.7f.01.01.0e.55.01.01.01.00.00.00");
    EXPECT_TRUE(widget.isLocalSet());
    ASSERT_EQ(widget.contents.size(), 9u);
    EXPECT_EQ(widget.contents[0].localTag, std::optional<std::uint16_t>(0x8001));
    EXPECT_FALSE(widget.contents[0].optional);
    EXPECT_EQ(widget.contents[2].localTag, std::nullopt); // assigned per file
    EXPECT_EQ(widget.contents[3].localTag, std::optional<std::uint16_t>(0x0008));
    EXPECT_FALSE(registers.groups[6].isLocalSet()); // a pack
    EXPECT_TRUE(registers.groups[5].deprecated);
    EXPECT_FALSE(registers.groups[0].leaf);
    EXPECT_EQ(registers.elements[2].definition, "The name of a widget & its <kind>.");
    EXPECT_EQ(registers.types[10].facets.size(), 4u);
    EXPECT_TRUE(registers.types[10].facets[3].deprecated);
}

struct MalformedCase {
    const char* file;
    const char* from;
    const char* to;
    const char* message; // "%DIR%" stands for the registers directory
};

const MalformedCase kMalformedCases[] = {
    {"Elements.xml", "<Symbol>Gain</Symbol>", "", "Elements.xml, entry 9: no Symbol"},
    {"Elements.xml", "<NamespaceName>http://example.org/toy/elements</NamespaceName>", "",
     "Elements.xml, entry 1 (ToyElements): no NamespaceName"},
    {"Elements.xml", "<Type>urn:smpte:ul:060e2b34.01040101.01030300.00000000</Type>",
     "<Type>UUID</Type>", "Elements.xml, entry 2 (ThingID): Type \"UUID\" is no universal label"},
    {"Groups.xml", "<LocalTag>8001</LocalTag>", "<LocalTag>80g1</LocalTag>",
     "Groups.xml, entry 3 (Widget, Contents record 1): LocalTag \"80g1\" is no local tag"},
    {"Groups.xml", "<IsOptional>false</IsOptional>", "<IsOptional>maybe</IsOptional>",
     "Groups.xml, entry 2 (Thing, Contents record 1): IsOptional \"maybe\" is neither true nor "
     "false"},
    {"Groups.xml", "<IsDeprecated>false</IsDeprecated>", "<IsDeprecated>no</IsDeprecated>",
     "Groups.xml, entry 1 (ToyGroups): IsDeprecated \"no\" is neither true nor false"},
    {"Types.xml", "<TypeSize>4</TypeSize>", "<TypeSize>4x</TypeSize>",
     "Types.xml, entry 3 (UInt32): TypeSize \"4x\" is no number"},
    {"Labels.xml", "<UL>urn:smpte:ul:060e2b34.0401010e.0e550102.01000000</UL>",
     "<UL>urn:smpte:ul:060e2b34.0401010e.0e550100.00000000</UL>",
     "Labels.xml, entry 2 (KindSmall): UL 06.0e.2b.34.04.01.01.0e.0e.55.01.00.00.00.00.00 is "
     "also that of Labels.xml, entry 1 (ToyLabels)"},
    {"Elements.xml", "ElementsRegister xmlns", "ElementRegister xmlns",
     "Elements.xml:203:3: not well-formed XML: expected end of tag 'ElementRegister'"},
    {"Groups.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE GroupsRegister [<!ENTITY a \"b\">]>",
     "Groups.xml: a register has no document type declaration"},
};

TEST(RegisterReader, RefusesMalformedRegistersNamingFileAndEntry) {
    for (const MalformedCase& c : kMalformedCases) {
        SCOPED_TRACE(c.message);
        const TempDir dir;
        const std::filesystem::path registers = copySmallRegisters(dir);
        replaceFirst(registers / c.file, c.from, c.to);
        EXPECT_THROWS_EXACTLY(RegisterError, readRegisters(registers), c.message);
    }
}

TEST(RegisterReader, RefusesAWrongRootAndAMissingRegister) {
    const TempDir dir;
    const std::filesystem::path registers = copySmallRegisters(dir);
    std::filesystem::copy_file(registers / "Labels.xml", registers / "Types.xml",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_THROWS_EXACTLY(RegisterError, readRegisters(registers),
                          "Types.xml: the root element is LabelsRegister, not TypesRegister");
    std::filesystem::remove(registers / "Types.xml");
    EXPECT_THROWS_EXACTLY(RegisterError, readRegisters(registers),
                          "Types.xml: cannot read " + (registers / "Types.xml").string() +
                              ": no such file");
}

TEST(RegisterReader, AMalformedEntryFailsTheImportBeforeAnythingIsWritten) {
    const TempDir dir;
    const std::filesystem::path registers = copySmallRegisters(dir);
    std::filesystem::copy_file(dataDir() / "registers" / "malformed-entry" / "Groups.xml",
                               registers / "Groups.xml",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_THROWS_EXACTLY(
        RegisterError, importRegisters(registers, dir.path() / "out"),
        "Groups.xml, entry 2 (Gizmo): UL \"urn:smpte:ul:060e2b34.027f0101.0e5501\" is no "
        "universal label");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
}
