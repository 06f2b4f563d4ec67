// mxfdict read on the files ffmpeg writes and on malformed ones: output,
// exit statuses and what goes to standard error.
#include "ToolRun.h"

#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

using namespace PalimoTest;

std::string mxfFile(const char* name) {
    return (dataDir() / "mxf" / name).string();
}
std::string seed(const char* name) {
    return (dataDir() / ".." / ".." / "fuzz" / "mxf-corpus" / name).lexically_normal().string();
}

TEST(ReadCommand, ReadsEveryFfmpegFileCleanlyAndStably) {
    for (const char* name : {"op1a-mpeg2-pcm.mxf", "op1a-open.mxf", "opatom-pcm.mxf",
                             "opatom-dnxhr.mxf", "d10-30mbps.mxf"}) {
        const ToolRun run = mxfdict({"read", mxfFile(name)});
        EXPECT_EQ(run.status, 0) << name << '\n' << run.err;
        EXPECT_TRUE(contains(run.err, "Load time: ") && contains(run.err, "Read time: "));
        EXPECT_EQ(run.out.rfind("File:      " + mxfFile(name) +
                                    "\nPartition: header partition "
                                    "at byte 0, ",
                                0),
                  0u)
            << run.out.substr(0, 200);
        EXPECT_FALSE(contains(run.out, "Problems") || contains(run.out, " ? ") ||
                     contains(run.out, " raw "))
            << name;
        EXPECT_EQ(mxfdict({"read", mxfFile(name)}).out, run.out) << name; // timings aside
    }
    const ToolRun open = mxfdict({"read", mxfFile("op1a-open.mxf")});
    EXPECT_TRUE(contains(open.err, "note: the header partition is open incomplete: its header "
                                   "metadata may not be final\n"))
        << open.err;
    EXPECT_TRUE(contains(open.out, "header partition at byte 0, open incomplete, version 1.3, "
                                   "KAG 512\n"));
    const ToolRun d10 = mxfdict({"read", mxfFile("d10-30mbps.mxf")});
    EXPECT_TRUE(contains(d10.out, "    32.0d  VideoLineMap               Array of Int32           "
                                  "[7, 320]\n"))
        << d10.out;
    EXPECT_TRUE(contains(d10.out, "    3c.02  ProductName                UTF16String              "
                                  "\"OP1a Muxer\"\n"));
}

// The whole vocabulary, imported from a register snapshot when there is one,
// reads ffmpeg's files with every item decoded: AUIDs, UTF-8 texts and the
// other types beyond the example's.
TEST(ReadCommand, ReadsFfmpegFilesWithTheImportedRegisters) {
    const char* fromEnvironment = std::getenv("PALIMO_REGISTERS_SNAPSHOT");
    const std::filesystem::path registers =
        fromEnvironment ? fromEnvironment : PALIMO_REGISTERS_SNAPSHOT;
    if (!std::filesystem::exists(registers / "Elements.xml"))
        GTEST_SKIP() << "no register snapshot at " << registers;
    const TempDir dir;
    const std::string out = (dir.path() / "smpte").string();
    ASSERT_EQ(mxfdict({"import-registers", registers.string(), out}).status, 0);
    const std::string schema = out + "/MXFDictionary.xsd";
    for (const char* name : {"op1a-mpeg2-pcm.mxf", "opatom-dnxhr.mxf", "d10-30mbps.mxf"}) {
        const ToolRun run = mxfdict({"read", "--schema", schema, mxfFile(name)});
        EXPECT_EQ(run.status, 0) << name << '\n' << run.err;
        EXPECT_FALSE(contains(run.out, " raw ")) << name;
        const ToolRun json = mxfdict({"read", "--json", "--schema", schema, mxfFile(name)});
        EXPECT_TRUE(matchesOutputSchema(json.out)) << name;
    }
    const ToolRun op1a = mxfdict({"read", "--schema", schema, mxfFile("op1a-mpeg2-pcm.mxf")});
    EXPECT_TRUE(contains(op1a.out, "    3b.09  OperationalPattern         AUID                     "
                                   "06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00\n"))
        << op1a.out;
}

TEST(ReadCommand, JsonFollowsTheOutputSchema) {
    const ToolRun run = mxfdict({"read", "--json", "--tree", mxfFile("op1a-mpeg2-pcm.mxf")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(matchesOutputSchema(run.out));
    const auto json = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(json.at("formatVersion"), 1);
    EXPECT_EQ(json.at("partition").at("status"), "closed complete");
    EXPECT_EQ(json.at("partition").at("headerByteCount"), 5632);
    EXPECT_EQ(json.at("primer").dump(), R"({"offset":512,"entries":100})");
    const auto& sets = json.at("sets");
    ASSERT_EQ(sets.size(), 27u);
    EXPECT_EQ(sets[0].at("name"), "Preface");
    EXPECT_EQ(
        sets[0].at("items")[1].dump(),
        R"({"offset":2598,"localTag":"3b.02","ul":"06.0e.2b.34.01.01.01.02.07.02.01.10.02.04.00.00",)"
        R"("name":"LastModifiedDate","type":"Timestamp","value":"0000-00-00T00:00:00.000Z","raw":null})");
    std::map<std::string, std::string> mpeg; // item name: value as JSON text
    for (const auto& set : sets)
        if (set.at("name") == "MPEGVideoDescriptor")
            for (const auto& item : set.at("items"))
                mpeg[item.at("name")] = item.at("value").dump();
    EXPECT_EQ(mpeg["StoredWidth"], "64");
    EXPECT_EQ(mpeg["AspectRatio"], "\"4/3\"");
    EXPECT_EQ(mpeg["ClosedGOP"], "true");
    EXPECT_EQ(mpeg["VideoLineMap"], "[0,0]");
    const auto& tree = json.at("tree");
    ASSERT_EQ(tree.size(), 27u); // every set once
    EXPECT_EQ(tree[2].dump(),
              R"({"depth":1,"set":2,"via":"ContentStorageObject",)"
              R"("target":"adab4424-2f25-4dc7-92ff-000d00000000","repeated":false})");
    EXPECT_TRUE(json.at("problems").empty());
}

TEST(ReadCommand, TreeShowsEachSetUnderTheItemThatOwnsIt) {
    const ToolRun run = mxfdict({"read", "--tree", mxfFile("opatom-pcm.mxf")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "\nset Preface  key "));
    EXPECT_TRUE(contains(run.out, "\n    ContentStorageObject -> set ContentStorage  key "));
    EXPECT_TRUE(contains(run.out, "\n            EssenceDescription -> set WaveAudioDescriptor  "));
    EXPECT_FALSE(contains(run.out, "outside the tree"));
}

TEST(ReadCommand, ExitStatusesAndMessages) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // a part of standard error
        std::string out; // a part of standard output
    };
    const std::vector<Case> cases = {
        {{"read"}, 2, "FILE is required", ""},
        {{"read", "--schema", "/nonexistent.xsd", mxfFile("opatom-pcm.mxf")},
         1,
         "mxfdict: cannot load /nonexistent.xsd: ",
         ""},
        {{"read", "/nonexistent.mxf"},
         3,
         "mxfdict: cannot read /nonexistent.mxf: cannot open /nonexistent.mxf: No such file or "
         "directory\n",
         ""},
        {{"read", seed("truncated.mxf")},
         3,
         "mxfdict: cannot read " + seed("truncated.mxf") +
             ": byte 0: HeaderByteCount 5632 of the header partition runs past the end of the "
             "file (3000 bytes)\n",
         ""},
        {{"read", seed("primer-2-31-entries.mxf")},
         3,
         ": byte 531: the primer pack at byte 512 lists 2147483648 entries of 18 bytes in 1800 "
         "bytes (entries are 18 bytes: a local tag and a label)\n",
         ""},
        {{"read", seed("reference-cycle.mxf")},
         4,
         "mxfdict: 2 problems in " + seed("reference-cycle.mxf") + "\n",
         "\nProblems (2):\n    byte 2993: ContentStorage at byte 2956: Packages (19.01) refers "
         "to Preface at byte 2560, which is none of the sets it may refer to [wrongTarget]\n    "
         "byte 2993: ContentStorage at byte 2956: Packages (19.01) refers back to Preface at "
         "byte 2560, which owns it through strong references [referenceCycle]\n"},
        {{"read", seed("footer-metadata.mxf")},
         0,
         "note: the header partition is open incomplete; read the header metadata of the "
         "footer partition at byte 156\n",
         "Partition: footer partition at byte 156, closed complete"},
    };
    for (const Case& c : cases) {
        const ToolRun run = mxfdict(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << '\n' << run.err;
        EXPECT_TRUE(contains(run.err, c.err)) << run.err;
        EXPECT_TRUE(contains(run.out, c.out)) << run.out;
        EXPECT_TRUE(c.status != 3 || run.out.empty()) << run.out;
    }
}

} // namespace
