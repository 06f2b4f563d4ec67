// mxfdict read --regxml: a file of ffmpeg's with the example against a golden
// file (PALIMO_UPDATE_GOLDEN=1 writes it again), a file with a reference
// cycle, one without a Preface, and the options it excludes.
#include "ToolRun.h"

#include "mxf/MxfBytes.h"
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <fstream>

namespace {

using namespace PalimoTest;

std::string fuzzSeed(const char* name) {
    return (dataDir() / ".." / ".." / "fuzz" / "mxf-corpus" / name).lexically_normal().string();
}

TEST(ReadRegXML, WritesTheDocumentOfAnFfmpegFile) {
    const ToolRun run =
        mxfdict({"read", "--regxml", (dataDir() / "mxf" / "opatom-pcm.mxf").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    expectMatchesGolden(run.out, dataDir() / "mxf" / "opatom-pcm.regxml.expected");
}

TEST(ReadRegXML, WritesWhatItCanAndSaysWhatItCannot) {
    // A strong reference back to the Preface: a comment in its place, and
    // the problems as read reports them.
    const ToolRun cycle = mxfdict({"read", "--regxml", fuzzSeed("reference-cycle.mxf")});
    EXPECT_EQ(cycle.status, 4) << cycle.err;
    EXPECT_TRUE(contains(cycle.out, "<!--Circular strong reference to the set with InstanceID "
                                    "urn:uuid:adab4424-2f25-4dc7-92ff-000b00000000-->"));
    EXPECT_TRUE(contains(cycle.out, "</r0:Preface>\n"));
    EXPECT_TRUE(contains(cycle.err, "mxfdict: 2 problems in "));

    const TempDir dir;
    const MxfTest::Bytes bytes = MxfTest::headerFile(MxfTest::primer({}));
    const auto path = dir.write("no-preface.mxf", std::string(bytes.begin(), bytes.end()));
    const ToolRun noPreface = mxfdict({"read", "--regxml", path.string()});
    EXPECT_EQ(noPreface.status, 3);
    EXPECT_EQ(noPreface.out, "");
    EXPECT_TRUE(contains(noPreface.err, "mxfdict: cannot write RegXML of " + path.string() +
                                            ": the header metadata has no Preface set\n"))
        << noPreface.err;

    for (const char* other : {"--json", "--tree"}) {
        const ToolRun both = mxfdict({"read", "--regxml", other, fuzzSeed("op1a-header.mxf")});
        EXPECT_EQ(both.status, 2) << other;
        EXPECT_TRUE(contains(both.err, "excludes")) << both.err;
    }
}

} // namespace
