// The file's own dictionary through mxfdict: read marks what it defines and
// leaves it out when asked, RegXML writes it as elements only when asked, and
// extract-dictionary writes a schema with which read decodes the same items
// without it, on the hand-made file and on a real one (skipped when absent).
#include "ToolRun.h"

#include "mxf/FileDictionaryFiles.h"
#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

#include <filesystem>

namespace {

using namespace PalimoTest;
namespace fs = std::filesystem;

// The text without the marks of the file's dictionary, and every run of
// blanks one blank (the marks widen the name column).
std::string unmarked(std::string text) {
    const std::string mark = " [file]";
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at))
        text.erase(at, mark.size());
    std::string collapsed;
    for (const char c : text)
        if (c != ' ' || collapsed.empty() || collapsed.back() != ' ')
            collapsed += c;
    return collapsed;
}

// The JSON of read without the marks of the file's dictionary and the
// problems that only it gives.
nlohmann::json withoutFileDictionary(const std::string& text) {
    nlohmann::json json = nlohmann::json::parse(text);
    for (auto& set : json["sets"]) {
        set.erase("source");
        for (auto& item : set["items"])
            item.erase("source");
    }
    nlohmann::json problems = nlohmann::json::array();
    for (const auto& problem : json["problems"])
        if (problem["kind"] != "fileDictionary")
            problems.push_back(problem);
    json["problems"] = problems;
    return json;
}

fs::path ownFile(const TempDir& dir) {
    const MxfTest::Bytes bytes = MxfTest::Own::ownDictionaryFile();
    return dir.write("own.mxf", std::string(bytes.begin(), bytes.end()));
}

TEST(FileDictionaryCommand, ReadMarksWhatTheFilesDictionaryDefines) {
    const TempDir dir;
    const std::string file = ownFile(dir).string();
    const ToolRun text = mxfdict({"read", file});
    EXPECT_EQ(text.status, 4) << text.err; // the definition sets are unknown to the example
    EXPECT_TRUE(contains(text.out, "set LensSubDescriptor [file]  key "));
    EXPECT_TRUE(contains(text.out,
                         "\n    ff.04  Focus [file]               FocusUnits               -100\n"))
        << text.out;
    EXPECT_TRUE(contains(text.out, "\n    3c.0a  InstanceID                 UUID "));

    const ToolRun json = mxfdict({"read", "--json", file});
    EXPECT_TRUE(matchesOutputSchema(json.out));
    const nlohmann::json document = nlohmann::json::parse(json.out);
    std::size_t sets = 0;
    std::size_t items = 0;
    for (const auto& set : document["sets"]) {
        sets += set.value("source", "") == "file";
        for (const auto& item : set["items"])
            items += item.value("source", "") == "file";
    }
    EXPECT_EQ(sets, 3u);             // two cameras and a lens
    EXPECT_EQ(items, 3u + 2u + 17u); // with and without Note; the lens is a camera too

    const ToolRun ignored = mxfdict({"read", "--no-file-dictionary", file});
    EXPECT_FALSE(contains(ignored.out, "[file]"));
    EXPECT_TRUE(contains(ignored.out,
                         "set (unknown set)  key 06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.02.00.00"));

    const ToolRun alone = mxfdict({"read", "--regxml-extensions", file});
    EXPECT_EQ(alone.status, 2);
    EXPECT_TRUE(contains(alone.err, "--regxml")) << alone.err;
}

TEST(FileDictionaryCommand, TheExtractedSchemaDecodesTheSameItemsWithoutIt) {
    const TempDir dir;
    const std::string file = ownFile(dir).string();
    const std::string out = (dir.path() / "own-dictionary").string();
    const ToolRun extract = mxfdict({"extract-dictionary", file, out});
    EXPECT_EQ(extract.status, 0) << extract.err;
    EXPECT_TRUE(contains(extract.out, "wrote: 2 sets, members of 1 sets of the dictionary, 17 "
                                      "elements, 15 type definitions\n"))
        << extract.out;
    EXPECT_TRUE(contains(extract.out, "not used: 0 definitions of the file's dictionary\n"));
    EXPECT_TRUE(contains(extract.err, "loads with every set, element and type definition written"));

    const ToolRun own = mxfdict({"read", file});
    const ToolRun schema =
        mxfdict({"read", "--no-file-dictionary", "--schema", out + "/MXFDictionary.xsd", file});
    EXPECT_EQ(schema.status, own.status);
    EXPECT_EQ(unmarked(schema.out), unmarked(own.out));
    EXPECT_FALSE(contains(schema.out, "[file]"));
}

TEST(FileDictionaryCommand, ExtractDictionaryExitStatuses) {
    const TempDir dir;
    const std::string out = (dir.path() / "out").string();
    // A file without definitions of its own, one that is no MXF file.
    const ToolRun none =
        mxfdict({"extract-dictionary", (dataDir() / "mxf" / "opatom-pcm.mxf").string(), out});
    EXPECT_EQ(none.status, 3);
    EXPECT_TRUE(contains(none.err, "holds no class, property or type definitions of its own: "
                                   "nothing written"))
        << none.err;
    EXPECT_FALSE(fs::exists(out));
    const auto text = dir.write("text.mxf", "not MXF");
    EXPECT_EQ(mxfdict({"extract-dictionary", text.string(), out}).status, 3);
    EXPECT_EQ(mxfdict({"extract-dictionary", text.string()}).status, 2);
    // The directory of the dictionary, whose files it would replace.
    const fs::path copy = dir.path() / "example";
    fs::create_directories(copy);
    for (const auto& file : fs::directory_iterator(fs::path(example()).parent_path()))
        fs::copy_file(file.path(), copy / file.path().filename());
    const ToolRun over =
        mxfdict({"extract-dictionary", "--schema", (copy / "MXFDictionary.xsd").string(),
                 ownFile(dir).string(), copy.string() + "/."});
    EXPECT_EQ(over.status, 2);
    EXPECT_TRUE(contains(over.err, "the files written would replace the dictionary's")) << over.err;
    EXPECT_EQ(readFile(copy / "MXFDictionary.xsd"), readFile(example()));

    // Definitions that are not used: written all the same, exit status 4.
    using namespace MxfTest;
    Bytes sets = Own::ownDefinitions();
    append(sets, classDefinition(300, "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.09.00.00", "Orphan",
                                 "06.0e.2b.34.02.53.01.01.0e.7e.01.01.01.0a.00.00", {}));
    const Bytes bytes = dictionaryFile(sets, Own::ownTags());
    const auto orphan = dir.write("orphan.mxf", std::string(bytes.begin(), bytes.end()));
    const ToolRun refused = mxfdict({"extract-dictionary", orphan.string(), out});
    EXPECT_EQ(refused.status, 4) << refused.err;
    EXPECT_TRUE(
        contains(refused.out, "not used: 1 definitions of the file's dictionary:\n  byte "));
    EXPECT_TRUE(fs::exists(fs::path(out) / "MXFDictionary.xsd"));
}

TEST(FileDictionaryCommand, ARealFilesDictionaryExtractedDecodesItsItems) {
    const fs::path peer = PALIMO_REGXML_PEER;
    const fs::path mxf = peer / "mxf" / "indirect.mxf";
    const fs::path registers = peer / ".." / "registers-2023";
    if (!fs::exists(mxf) || !fs::exists(registers / "Elements.xml"))
        GTEST_SKIP() << "no " << mxf << " or no registers at " << registers;
    const TempDir dir;
    const std::string smpte = (dir.path() / "smpte").string();
    ASSERT_EQ(mxfdict({"import-registers", registers.string(), smpte}).status, 0);
    const std::string schema = smpte + "/MXFDictionary.xsd";
    const std::string out = (dir.path() / "indirect").string();

    const ToolRun extract = mxfdict({"extract-dictionary", "--schema", schema, mxf.string(), out});
    EXPECT_EQ(extract.status, 4) << extract.err; // three properties the registers type otherwise
    EXPECT_TRUE(contains(extract.out, "not used: 3 definitions of the file's dictionary:\n"));

    const ToolRun own = mxfdict({"read", "--json", "--schema", schema, mxf.string()});
    const ToolRun extracted = mxfdict({"read", "--json", "--no-file-dictionary", "--schema",
                                       out + "/MXFDictionary.xsd", mxf.string()});
    EXPECT_TRUE(matchesOutputSchema(own.out));
    EXPECT_EQ(withoutFileDictionary(extracted.out), withoutFileDictionary(own.out));
    EXPECT_EQ(std::count(own.out.begin(), own.out.end(), '"') > 0, true);
    EXPECT_FALSE(contains(own.out, "\"unknownItem\""));

    const ToolRun regxml =
        mxfdict({"read", "--regxml", "--regxml-extensions", "--schema", schema, mxf.string()});
    EXPECT_TRUE(contains(regxml.out, "=\"urn:palimo:mxf:file-dictionary\""));
    EXPECT_TRUE(contains(regxml.out, ":ProjectName_62fc3717492d42bf>UHD 25p</"));
    EXPECT_FALSE(contains(regxml.out, "Unknown property"));
}

} // namespace
