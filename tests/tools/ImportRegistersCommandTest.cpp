// mxfdict import-registers on the hand-written register excerpts: what it
// prints, how a failure reads, and what show and diff make of the result.
#include "ToolRun.h"

#include "registers/RegisterFixtures.h"

namespace {

using namespace PalimoTest;

TEST(ImportRegistersCommand, WritesASchemaSetThatShowLoadsCompletely) {
    const TempDir dir;
    const std::string out = (dir.path() / "out").string();
    const ToolRun run = mxfdict({"import-registers", smallRegisters().string(), out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "read: 18 elements, 8 groups, 21 types, 2 labels\n"
                                  "wrote: 4 sets, 16 elements, 17 set members, 10 static local "
                                  "tags, 3 references, 2 enumerations\n"))
        << run.out;
    EXPECT_TRUE(contains(run.err, "note: 1 deprecated elements are written because sets hold "
                                  "them\nImport time: "))
        << run.err;

    const ToolRun show = mxfdict({"show", out + "/MXFDictionary.xsd"});
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_TRUE(contains(show.out, "Elements:  16 (10 simple, 3 collection, 2 reference, 1 "
                                   "reference collection)\nSets:      4\n"))
        << show.out;
}

TEST(ImportRegistersCommand, AMalformedEntryFailsWithFileAndEntry) {
    const TempDir dir;
    const std::filesystem::path registers = copySmallRegisters(dir);
    std::filesystem::copy_file(dataDir() / "registers" / "malformed-entry" / "Groups.xml",
                               registers / "Groups.xml",
                               std::filesystem::copy_options::overwrite_existing);
    const ToolRun run =
        mxfdict({"import-registers", registers.string(), (dir.path() / "out").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "mxfdict: cannot import the registers in " + registers.string() +
                           ": Groups.xml, entry 2 (Gizmo): UL \"urn:smpte:ul:060e2b34.027f0101."
                           "0e5501\" is no universal label\n");
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(mxfdict({"import-registers", registers.string()}).status, 2);
}

// Two register versions: an item becomes required, one is withdrawn from a
// set and its element is then held by no set, and a name changes.
TEST(ImportRegistersCommand, DiffOfTwoImportsListsTheRegisterChanges) {
    const TempDir dir;
    const std::filesystem::path registers = copySmallRegisters(dir);
    const std::string before = (dir.path() / "before").string();
    const std::string after = (dir.path() / "after").string();
    ASSERT_EQ(mxfdict({"import-registers", registers.string(), before}).status, 0);
    replaceFirst(registers / "Groups.xml",
                 "<LocalTag>8002</LocalTag>\n          <IsOptional>true</IsOptional>",
                 "<LocalTag>8002</LocalTag>\n          <IsOptional>false</IsOptional>");
    replaceFirst(registers / "Groups.xml",
                 "<Record>\n          <UL>urn:smpte:ul:060e2b34.0101010e.0e550101.08000000</UL>",
                 "<Record>\n          <UL>urn:smpte:ul:060e2b34.0101010e.0e550101.7f000000</UL>");
    replaceFirst(registers / "Elements.xml", "<Name>AspectRatio</Name>",
                 "<Name>Aspect Ratio</Name>");
    ASSERT_EQ(mxfdict({"import-registers", registers.string(), after}).status, 0);

    const ToolRun diff =
        mxfdict({"diff", before + "/MXFDictionary.xsd", after + "/MXFDictionary.xsd"});
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out, R"(~ element 06.0e.2b.34.01.01.01.0e.0e.55.01.01.07.00.00.00 AspectRatio
    properties.name: "AspectRatio" -> "Aspect Ratio"
- element 06.0e.2b.34.01.01.01.0e.0e.55.01.01.08.00.00.00 Gain
~ set 06.0e.2b.34.02.53.01.01.0e.55.01.01.02.00.00.00 Widget
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.03.00.00.00 WidgetParts: required: "optional" -> "required"
~ set 06.0e.2b.34.02.53.01.01.0e.55.01.01.03.00.00.00 FancyWidget
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.03.00.00.00 WidgetParts: required: "optional" -> "required"
    - member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.08.00.00.00 Gain
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.09.00.00.00 FlagSet: properties.SchemaIndex: "10" -> "9"
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.0a.00.00.00 Offsets: properties.SchemaIndex: "11" -> "10"
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.0b.00.00.00 Blob: properties.SchemaIndex: "12" -> "11"
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.0d.00.00.00 Tables: properties.SchemaIndex: "13" -> "12"
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.0e.00.00.00 Sample: properties.SchemaIndex: "14" -> "13"
    ~ member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.0f.00.00.00 OldThing: properties.SchemaIndex: "15" -> "14"
)");
}

} // namespace
