// mxfdict read on the files ffmpeg writes, against golden files beside them
// (tests/data/mxf/*.expected; PALIMO_UPDATE_GOLDEN=1 writes them again), and
// on malformed ones: exit statuses and what goes to standard error.
#include "ToolRun.h"

#include "support/Describe.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

namespace {

using namespace PalimoTest;

std::string mxfFile(const std::string& name) {
    return (dataDir() / "mxf" / name).string();
}
std::string seed(const char* name) {
    return (dataDir() / ".." / ".." / "fuzz" / "mxf-corpus" / name).lexically_normal().string();
}

// The JSON of values of every kind (written in process by the output
// library's tests against this golden) is what the output schema allows.
TEST(ReadCommand, EveryKindJsonGoldenMatchesTheOutputSchema) {
    EXPECT_TRUE(matchesOutputSchema(readFile(dataDir() / "mxf" / "every-kind.read-json.expected")));
}

// Every set and item of each file decoded with the example, and the tree of
// strong references from the Preface; the JSON also gives the sets in file
// order with their offsets.
TEST(ReadCommand, FfmpegFilesAsTheGoldenFilesShowThem) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"op1a-mpeg2-pcm.read", {}}, {"op1a-mpeg2-pcm.read-json", {"--json", "--tree"}},
        {"op1a-open.read", {}},      {"opatom-pcm.read-tree", {"--tree"}},
        {"opatom-dnxhr.read", {}},   {"d10-30mbps.read", {}},
    };
    const std::string data = dataDir().string();
    for (const auto& [golden, options] : cases) {
        std::vector<std::string> args = {"read"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(mxfFile(golden.substr(0, golden.find(".read")) + ".mxf"));
        const ToolRun run = mxfdict(args);
        EXPECT_EQ(run.status, 0) << golden << '\n' << run.err;
        EXPECT_TRUE(contains(run.err, "Load time: ") && contains(run.err, "Read time: "));
        std::string out = run.out;
        for (auto at = out.find(data); at != std::string::npos; at = out.find(data, at))
            out.replace(at, data.size(), "<data>");
        expectMatchesGolden(out, dataDir() / "mxf" / (golden + ".expected"));
        EXPECT_TRUE(options.size() < 2 || matchesOutputSchema(run.out)) << golden;
    }
}

// The whole vocabulary, imported from a register snapshot when there is one,
// reads ffmpeg's files with every item decoded: AUIDs, UTF-8 texts and the
// other types beyond the example's.
TEST(ReadCommand, ReadsFfmpegFilesWithTheImportedRegisters) {
    const std::filesystem::path registers = PalimoTest::registersSnapshot();
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
        // The label by its name from the Labels register, then dotted.
        EXPECT_TRUE(contains(
            run.out, "    3b.09  OperationalPattern         AUID                     MXFOP"))
            << run.out;
        const ToolRun json = mxfdict({"read", "--json", "--schema", schema, mxfFile(name)});
        EXPECT_TRUE(matchesOutputSchema(json.out)) << name;
    }
}

// A real file whose header partition is open and incomplete: the best copy
// is the footer's, which the random index pack leads to, and it holds the
// final durations.
TEST(ReadCommand, ReadsTheClosedCopyOfARealOpenHeader) {
    const std::filesystem::path file =
        std::filesystem::path(PALIMO_REGXML_PEER) / "mxf" / "open-incomplete-header.mxf";
    if (!std::filesystem::exists(file))
        GTEST_SKIP() << "no " << file;
    const ToolRun best = mxfdict({"read", file.string()});
    EXPECT_EQ(best.status, 0) << best.err;
    EXPECT_TRUE(contains(best.err, "note: the header partition is open incomplete; read the "
                                   "header metadata of the footer partition at byte 581407, "
                                   "which is closed complete (found through the random index "
                                   "pack)\n"))
        << best.err;
    EXPECT_TRUE(contains(best.out, "Partition: footer partition at byte 581407, closed complete, "
                                   "version 1.3, KAG 1\n           read in place of the header "
                                   "partition at byte 0, open incomplete\n"))
        << best.out;
    EXPECT_TRUE(contains(best.out, "ComponentLength            LengthType               1\n"));
    EXPECT_FALSE(contains(best.out, "ComponentLength            LengthType               -1"));
    EXPECT_EQ(mxfdict({"read", "--partition", "footer", file.string()}).out, best.out);

    const ToolRun header = mxfdict({"read", "--partition", "header", file.string()});
    EXPECT_EQ(header.status, 0) << header.err;
    EXPECT_TRUE(contains(header.out, "Partition: header partition at byte 0, open incomplete"));
    EXPECT_TRUE(contains(header.out, "ComponentLength            LengthType               -1\n"));

    const ToolRun json = mxfdict({"read", "--json", file.string()});
    EXPECT_TRUE(matchesOutputSchema(json.out));
    EXPECT_TRUE(contains(json.out, "\"headerPartition\": {\n      \"offset\": 0,\n      "
                                   "\"status\": \"open incomplete\"\n    }"))
        << json.out.substr(0, 1200);
}

TEST(ReadCommand, ExitStatusesAndMessages) {
    const TempDir dir;
    const std::string fifo = (dir.path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Not even the header partition pack is whole.
    const std::string cut =
        dir.write("cut.mxf", readFile(mxfFile("opatom-pcm.mxf")).substr(0, 100)).string();
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
         4,
         "mxfdict: 2 problems in " + seed("truncated.mxf") + "\n",
         "\nProblems (2):\n    byte 2956: the file ends at byte 3000, inside KLV "
         "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.18.00 at byte 2956 (length 92), before the end "
         "of the header metadata at byte 6144: the sets before it are read [truncated]\n"},
        {{"read", seed("primer-2-31-entries.mxf")},
         4,
         "mxfdict: 1 problem in ",
         "    byte 531: the primer pack at byte 512 lists 2147483648 entries of 18 bytes in 1800 "
         "bytes (entries are 18 bytes: a local tag and a label); its first 100 entries are read, "
         "other local tags resolve through the dictionary's static tags only [malformedPrimer]\n"},
        {{"read", dir.path().string()},
         3,
         "mxfdict: cannot read " + dir.path().string() + ": cannot open " + dir.path().string() +
             ": it is a directory\n",
         ""},
        // Opening it for reading would wait for a writer.
        {{"read", fifo},
         3,
         "mxfdict: cannot read " + fifo + ": cannot open " + fifo + ": it is a FIFO\n",
         ""},
        {{"read", cut},
         3,
         "mxfdict: cannot read " + cut +
             ": byte 0: KLV 06.0e.2b.34.02.05.01.01.0d.01.02.01.01.02.04.00: length 104 runs past "
             "the end of the file (100 bytes)\n",
         ""},
        {{"read", seed("reference-cycle.mxf")},
         4,
         "mxfdict: 2 problems in " + seed("reference-cycle.mxf") + "\n",
         "\nProblems (2):\n    byte 2993: ContentStorage at byte 2956: Packages (19.01) refers "
         "to Preface at byte 2560, which is none of the sets it may refer to [wrongTarget]\n    "
         "byte 2993: ContentStorage at byte 2956: Packages (19.01) refers back to Preface at "
         "byte 2560, which owns it through strong references [referenceCycle]\n"},
        // Its body and footer partitions, found through the random index
        // pack, hold no header metadata.
        {{"read", mxfFile("op1a-open.mxf")},
         0,
         "note: the header partition is open incomplete, and no partition found through the "
         "random index pack holds a better copy of its header metadata, which may not be "
         "final\n",
         "Partition: header partition at byte 0, open incomplete"},
        {{"read", seed("footer-metadata.mxf")},
         0,
         "note: the header partition is open incomplete and holds no header metadata; read the "
         "header metadata of the footer partition at byte 156, which is closed complete (found "
         "through the footer partition offset)\n",
         "Partition: footer partition at byte 156, closed complete, version 1.3, KAG 512\n"
         "           read in place of the header partition at byte 0, open incomplete\n"},
        {{"read", "--partition", "footer", mxfFile("op1a-mpeg2-pcm.mxf")},
         3,
         "mxfdict: cannot read " + mxfFile("op1a-mpeg2-pcm.mxf") +
             ": the file has no footer partition with header metadata: the footer partition at "
             "byte 23552 (found through the footer partition offset) holds none\n",
         ""},
    };
    for (const Case& c : cases) {
        const ToolRun run = mxfdict(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << '\n' << run.err;
        EXPECT_TRUE(contains(run.err, c.err)) << c.args.back() << "\n" << run.err;
        EXPECT_TRUE(contains(run.out, c.out)) << run.out;
        EXPECT_TRUE(c.status != 3 || run.out.empty()) << run.out;
    }
}

// A damaged file shows what could be read, with its problems; the JSON of
// the problems of its structure is valid too.
TEST(ReadCommand, DamagedFilesShowWhatCouldBeRead) {
    const TempDir dir;
    std::string bytes = readFile(mxfFile("opatom-pcm.mxf"));
    bytes[2732] = 0x07; // the key of the Identification set
    const std::string damaged = dir.write("damaged.mxf", bytes).string();
    const ToolRun run = mxfdict({"read", damaged});
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_TRUE(contains(run.out, "set Preface  key 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00"
                                  "  byte 2560"));
    EXPECT_FALSE(contains(run.out, "byte 2732  InstanceUID"));
    EXPECT_TRUE(contains(run.out, "set ContentStorage  key "));
    EXPECT_TRUE(contains(run.out, "    byte 2732: no SMPTE key here (070e2b34...); 196 bytes "
                                  "skipped to the next key, at byte 2928 [unreadableKlv]\n"))
        << run.out;
    EXPECT_TRUE(contains(run.err, "mxfdict: 2 problems in " + damaged + "\n"));
    const ToolRun json = mxfdict({"read", "--json", damaged});
    EXPECT_EQ(json.status, 4);
    EXPECT_TRUE(contains(json.out, "\"kind\": \"unreadableKlv\""));
    EXPECT_TRUE(matchesOutputSchema(json.out));
}

// - reads standard input: through a pipe, forward only, with the output of
// the file itself as long as the best copy lies ahead.
TEST(ReadCommand, StandardInputThroughAPipe) {
    for (const char* name : {"opatom-pcm.mxf", "op1a-mpeg2-pcm.mxf"}) {
        const ToolRun file = mxfdict({"read", "--tree", mxfFile(name)});
        const ToolRun piped = mxfdict({"read", "--tree", "-"}, "", "", mxfFile(name));
        EXPECT_EQ(piped.status, 0) << piped.err;
        EXPECT_EQ(piped.out.substr(0, piped.out.find('\n') + 1), "File:      -\n");
        EXPECT_EQ(piped.out.substr(piped.out.find('\n')), file.out.substr(file.out.find('\n')))
            << name;
    }
    // Only the random index pack at the end leads to the footer's copy.
    const ToolRun file = mxfdict({"read", seed("rip-footer.mxf")});
    EXPECT_TRUE(contains(file.out, "Partition: footer partition")) << file.out;
    const ToolRun piped = mxfdict({"read", "-"}, "", "", seed("rip-footer.mxf"));
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_TRUE(contains(piped.out, "Partition: header partition at byte 0, open incomplete"));
    EXPECT_TRUE(contains(piped.err, "note: the file is read forward only, so the random index "
                                    "pack at its end is not looked for\n"))
        << piped.err;
}

// A file name that could control the terminal is shown escaped, on standard
// output and in the messages on standard error; so are texts of the file.
TEST(ReadCommand, TerminalControlsInFileNamesAndTextsAreEscaped) {
    const TempDir dir;
    const std::string name = "a\x1b]0;title\x07\xe2\x80\xae.mxf";
    const std::string file =
        dir.write(name, readFile(seed("text-control-characters.mxf"))).string();
    const ToolRun run = mxfdict(
        {"read", "--schema",
         (dataDir() / ".." / ".." / "fuzz" / "dictionary" / "MXFDictionary.xsd").string(), file});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string shownName = "a\\u001b]0;title\\u0007\\u202e.mxf";
    EXPECT_TRUE(contains(run.out, "File:      \"" + dir.path().string() + "/" + shownName + "\"\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "\"\\u001b]0;title\\u0007\\u001b[2J\\u009b31m\\u202egpj.exe"
                                  "\\u2028\\u2029\\u007f\"\n"))
        << run.out;
    const ToolRun missing = mxfdict({"read", dir.path().string() + "/gone" + name});
    EXPECT_EQ(missing.status, 3);
    EXPECT_TRUE(contains(missing.err, "cannot read " + dir.path().string() + "/gone" + shownName +
                                          ": cannot open " + dir.path().string() + "/gone" +
                                          shownName + ": No such file or directory\n"))
        << missing.err;
    for (const std::string& text : {run.out, run.err, missing.err})
        for (const char* control : {"\x1b", "\x07", "\xc2\x9b", "\xe2\x80\xae", "\xe2\x80\xa8"})
            EXPECT_FALSE(contains(text, control)) << text;
}

} // namespace
