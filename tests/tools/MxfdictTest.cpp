// mxfdict run as a user runs it: exit statuses, output and error text.
#include "support/Describe.h"
#include "support/TestSupport.h"

#include "ToolRun.h"

#include <string>
#include <vector>

namespace {

using namespace PalimoTest;

std::string fixture(const char* name) {
    return toolFixture(name);
}

// The output with the paths of this checkout replaced by names that hold
// everywhere: the shipped example and the fixtures directory.
std::string masked(std::string text) {
    for (const auto& [path, name] : {std::pair<std::string, std::string>{example(), "<example>"},
                                     {dataDir().string(), "<data>"}})
        for (auto at = text.find(path); at != std::string::npos; at = text.find(path, at))
            text.replace(at, path.size(), name);
    return text;
}

std::filesystem::path golden(const std::string& name) {
    return dataDir() / "tools" / "output" / name;
}

TEST(Mxfdict, UsageErrorsAndHelp) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {
        {{}, 2},
        {{"--help"}, 0},
        {{"show", "--help"}, 0},
        {{"frobnicate"}, 2},
        {{"--version"}, 0},
        {{"show", "--no-such-option"}, 2},
        {{"lookup", example()}, 2},
        {{"diff", example()}, 2},
        {{"show", "a.xsd", "b.xsd"}, 2},
    };
    for (const Case& c : cases) {
        const ToolRun run = mxfdict(c.args);
        std::string joined;
        for (const auto& a : c.args)
            joined += a + ' ';
        EXPECT_EQ(run.status, c.status) << joined << '\n' << run.err;
        if (c.status == 2) {
            EXPECT_FALSE(run.err.empty()) << joined;
        }
    }
    EXPECT_TRUE(contains(mxfdict({"--help"}).out, "lookup"));
    EXPECT_EQ(mxfdict({"--version"}).out, "mxfdict 0.1.0\n");
    EXPECT_TRUE(contains(mxfdict({"frobnicate"}).err,
                         "unknown subcommand 'frobnicate'; known: show lookup diff check"));
}

// Paths the loader would not name as such: said plainly, as a failed load.
TEST(Mxfdict, EmptyPathsAndDirectoriesAreRefused) {
    TempDir dir;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"show", ""}, "mxfdict: the schema path is empty\n"},
        {{"check", ""}, "mxfdict: the schema path is empty\n"},
        {{"show", dir.path().string()},
         "mxfdict: cannot load " + dir.path().string() +
             ": it is a directory; give the top schema file in it\n"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = mxfdict(args);
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_EQ(run.err, message);
        EXPECT_TRUE(run.out.empty());
    }
}

// A full disk must not pass for success: every subcommand, and help.
TEST(Mxfdict, WriteErrorsOnStandardOutputFail) {
    const std::vector<std::vector<std::string>> cases = {
        {"show", "--json", example()},
        {"show", example()},
        {"lookup", example(), "InstanceUID"},
        {"diff", fixture("diff/old.xsd"), fixture("diff/new.xsd")},
        {"check", "--json", example()},
    };
    for (const auto& args : cases) {
        const ToolRun run = mxfdict(args, "/dev/full");
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_TRUE(contains(run.err, "mxfdict: cannot write to standard output: No space left "
                                      "on device\n"))
            << args[0] << ": " << run.err;
    }
}

TEST(Mxfdict, FailedLoadsReportClassCodeAndMessage) {
    TempDir dir;
    const auto badLabel = dir.write(
        "bad.xsd", PalimoTest::schema(R"(<xs:element name="X" type="ff:UInt8"><xs:annotation>
            <xs:appinfo source="RP210"/><xs:appinfo source="UL Designator">06.0e</xs:appinfo>
            </xs:annotation></xs:element>)"));
    const ToolRun run = mxfdict({"show", badLabel.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "Palimo::Exceptions::InvalidULDesignator (code 25): 06.0e"))
        << run.err;
    EXPECT_TRUE(run.out.empty());

    const ToolRun missing = mxfdict({"lookup", (dir.path() / "missing.xsd").string(), "x"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.err, "missing.xsd")) << missing.err;
    EXPECT_TRUE(contains(missing.err, "(code ")) << missing.err;

    // diff reports a failed load like diff(1) reports trouble.
    EXPECT_EQ(mxfdict({"diff", example(), badLabel.string()}).status, 2);
}

TEST(Mxfdict, GoldenShowOutputs) {
    const ToolRun run = mxfdict({"show", example()});
    ASSERT_EQ(run.status, 0) << run.err;
    expectMatchesGolden(masked(run.out), golden("show.expected"));
    // Timings on standard error: two outputs compare with diff(1).
    EXPECT_TRUE(contains(run.err, "Load time: "));
    // Without a schema: the shipped example, found from the executable.
    const ToolRun byDefault = mxfdict({"show"});
    ASSERT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.out.substr(byDefault.out.find('\n')), run.out.substr(run.out.find('\n')));

    const ToolRun documented =
        mxfdict({"show", "--documentation", "--length-description", example()});
    ASSERT_EQ(documented.status, 0) << documented.err;
    EXPECT_TRUE(contains(documented.out, "Documentation: Unique identifier of this instance"));
    EXPECT_TRUE(contains(documented.out, "LengthDescription: 16"));
    EXPECT_FALSE(contains(run.out, "Documentation: "));
}

// Each form of key, the looser matches (noted on standard error) and keys
// that match nothing (exit status 3).
TEST(Mxfdict, GoldenLookups) {
    const char* const keys[] = {
        "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00",
        "06.0E.2B.34.02.53.01.01.0D.01.01.01.01.01.2F.00",
        "060E2B34010101010101150200000000",
        "urn:smpte:ul:060e2b34.01010101.01011502.00000000",
        "URN:SMPTE:UL:060E2B34.02530101.0D010101.01012F00",
        // Version byte 05 instead of 01, for an element and for a set.
        "06.0e.2b.34.01.01.01.05.01.01.15.02.00.00.00.00",
        "06.0e.2b.34.02.53.01.7f.0d.01.01.01.01.01.2f.00",
        "3b.03",
        "0x3C0A",
        "0X3c0a",
        "3C0A",
        "DropFrame",
        "Source Clip",
        "dropframe",
        "NoSuchThing",
        // Another byte than the version differs: no match.
        "06.0e.2b.34.01.01.01.01.7f.01.15.02.00.00.00.00",
        "7f.7f",
        // Dots inside a byte, or a digit short: no label, no tag.
        "0.60e2b34010101010101150200000000",
        "060e2b3401010101010115020000000",
        "3c.0a.",
    };
    std::string text;
    for (const char* key : keys) {
        const ToolRun run = mxfdict({"lookup", example(), key});
        text += std::string("$ mxfdict lookup <example> '") + key + "'\nexit " +
                std::to_string(run.status) + '\n' + masked(run.out) + "-- standard error\n" +
                masked(run.err);
    }
    expectMatchesGolden(text, golden("lookup.expected"));
}

// Every --json document is one the shipped JSON Schema describes.
TEST(Mxfdict, GoldenJsonDocumentsMatchTheOutputSchema) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"show", "--json", example()}, "show.json.expected"},
        {{"show", "--json", "--documentation", example()}, ""},
        {{"lookup", "--json", example(), "3b.03"}, "lookup-tag.json.expected"},
        {{"lookup", "--json", example(), "06.0e.2b.34.02.53.01.7f.0d.01.01.01.01.01.2f.00"},
         "lookup-version.json.expected"},
        {{"lookup", "--json", example(), "NoSuchThing"}, "lookup-none.json.expected"},
        {{"diff", "--json", fixture("diff/old.xsd"), fixture("diff/new.xsd")},
         "diff.json.expected"},
        {{"diff", "--json", example(), example()}, "diff-same.json.expected"},
        {{"check", "--json", fixture("check/MXFDictionary.xsd")}, "check.json.expected"},
    };
    for (const auto& [args, name] : cases) {
        const ToolRun run = mxfdict(args);
        EXPECT_TRUE(matchesOutputSchema(run.out)) << args[0] << ' ' << args.back();
        if (!name.empty())
            expectMatchesGolden(masked(run.out), golden(name));
    }
}

TEST(Mxfdict, GoldenDiff) {
    const ToolRun same = mxfdict({"diff", fixture("diff/old.xsd"), fixture("diff/old.xsd")});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_TRUE(same.out.empty()) << same.out;

    const ToolRun run = mxfdict({"diff", fixture("diff/old.xsd"), fixture("diff/new.xsd")});
    EXPECT_EQ(run.status, 1) << run.err;
    expectMatchesGolden(masked(run.out), golden("diff.expected"));
}

} // namespace
