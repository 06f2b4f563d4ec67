// mxfdict import-registers on the hand-written register excerpts: what it
// prints, how a failure reads, and what diff makes of two imports.
#include "ToolRun.h"

#include "registers/RegisterFixtures.h"
#include "support/Describe.h"

#include <regex>
#include <string>

namespace {

using namespace PalimoTest;

// The report of ImportTest's golden file: counts and files on standard
// output, the notes on standard error.
TEST(ImportRegistersCommand, PrintsTheReportAndTheNotes) {
    const TempDir dir;
    const std::string out = (dir.path() / "out").string();
    const ToolRun run = mxfdict({"import-registers", smallRegisters().string(), out});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::size_t time = run.err.find("Import time: ");
    ASSERT_NE(time, std::string::npos) << run.err;
    EXPECT_EQ(replaceAll(run.out, out, "OUT") + run.err.substr(0, time),
              readText(smallImportGolden() / "report.txt"));
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
    expectMatchesGolden(diff.out, smallImportGolden() / "register-changes.diff");
}

// The checks see the schema as the load does: the type definitions, the
// links to them and the unique identifiers add no finding. (The small
// registers' one finding is a reference to a deprecated set.)
TEST(ImportRegistersCommand, CheckFindsNothingInTheTypeDefinitions) {
    const TempDir dir;
    const std::string with = (dir.path() / "with").string();
    const std::string without = (dir.path() / "without").string();
    ASSERT_EQ(mxfdict({"import-registers", smallRegisters().string(), with}).status, 0);
    std::filesystem::copy(with, without);
    removeTypeDefinitions(without);
    const ToolRun checked = mxfdict({"check", with + "/MXFDictionary.xsd"});
    const ToolRun plain = mxfdict({"check", without + "/MXFDictionary.xsd"});
    EXPECT_EQ(checked.status, 4) << checked.err;
    EXPECT_EQ(checked.status, plain.status);
    // The same findings; the lines differ where the type definitions were.
    const auto withoutLines = [](const std::string& text) {
        return std::regex_replace(text, std::regex(R"(\.xsd:[0-9]+: )"), ".xsd: ");
    };
    EXPECT_EQ(withoutLines(replaceAll(checked.out, with, "OUT")),
              withoutLines(replaceAll(plain.out, without, "OUT")));

    const std::filesystem::path snapshot = PALIMO_REGISTERS_SNAPSHOT;
    if (!std::filesystem::exists(snapshot / "Elements.xml"))
        GTEST_SKIP() << "no register snapshot at " << snapshot;
    const std::string imported = (dir.path() / "snapshot").string();
    ASSERT_EQ(mxfdict({"import-registers", snapshot.string(), imported}).status, 0);
    const ToolRun snapshotCheck = mxfdict({"check", imported + "/MXFDictionary.xsd"});
    EXPECT_EQ(snapshotCheck.status, 0) << snapshotCheck.out;
    EXPECT_EQ(snapshotCheck.out, "");
}

} // namespace
