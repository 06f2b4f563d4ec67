// mxfdict run as a user runs it: exit statuses, output and error text.
#include "support/Describe.h"
#include "support/TestSupport.h"

#include "ToolRun.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <map>
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

// Each command's exit status, standard output and standard error.
std::string transcript(const std::vector<std::vector<std::string>>& commands) {
    std::string text;
    for (const auto& args : commands) {
        const ToolRun run = mxfdict(args);
        text += "$ mxfdict";
        for (const auto& arg : args)
            text += " '" + masked(arg) + "'";
        text += "\nexit " + std::to_string(run.status) + '\n' + masked(run.out) +
                "-- standard error\n" + masked(run.err);
    }
    return text;
}

// Usage errors (exit status 2: also empty arguments and directories for
// schema files) and help, each subcommand's with its own exit statuses;
// failed loads with their class, code and message, and where in the schema
// files they stopped (diff reports one like diff(1) reports trouble); check's
// findings, each line naming its file and line, also for a load that fails on
// a label; diff of equal and of changed schemas.
TEST(Mxfdict, GoldenCommands) {
    const std::string data = dataDir().string();
    const std::string badLabel = data + "/failures/designator-of-wrong-length.xsd";
    expectMatchesGolden(
        transcript({{},
                    {"--help"},
                    {"show", "--help"},
                    {"lookup", "--help"},
                    {"diff", "--help"},
                    {"check", "--help"},
                    {"read", "--help"},
                    {"import-registers", "--help"},
                    {"frobnicate"},
                    {"--version"},
                    {"show", "--no-such-option"},
                    {"lookup", "DropFrame"},
                    {"diff", example()},
                    {"show", "a.xsd", "b.xsd"},
                    {"show", ""},
                    {"check", ""},
                    {"lookup"},
                    {"lookup", ""},
                    {"lookup", example(), ""},
                    {"lookup", "", "x"},
                    {"diff", data + "/tools", example()},
                    {"read", ""},
                    {"read", "--schema", "", "x.mxf"},
                    {"import-registers", "", "out"},
                    {"show", data + "/tools"},
                    {"show", badLabel},
                    {"check", badLabel},
                    {"show", data + "/failures/unknown-type-in-included-file/main.xsd"},
                    {"lookup", data + "/failures/missing-include.xsd", "x"},
                    {"lookup", data + "/tools/missing.xsd", "x"},
                    {"diff", example(), badLabel},
                    {"check", example()},
                    {"check", data + "/failures/truncated-file.xsd"},
                    {"check", fixture("check/MXFDictionary.xsd")},
                    {"check", fixture("check-broken/MXFDictionary.xsd")},
                    {"diff", fixture("diff/old.xsd"), fixture("diff/old.xsd")},
                    {"diff", fixture("diff/old.xsd"), fixture("diff/new.xsd")}}),
        golden("commands.expected"));
}

// A full disk must not pass for success: every subcommand, and help.
TEST(Mxfdict, WriteErrorsOnStandardOutputFail) {
    const std::vector<std::vector<std::string>> cases = {
        {"show", "--json", example()},
        {"show", example()},
        {"lookup", example(), "InstanceID"},
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
    std::vector<std::vector<std::string>> commands;
    for (const char* key : keys)
        commands.push_back({"lookup", example(), key});
    expectMatchesGolden(transcript(commands), golden("lookup.expected"));
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
        {{"check", "--json", fixture("check-broken/MXFDictionary.xsd")},
         "check-broken.json.expected"},
    };
    for (const auto& [args, name] : cases) {
        const ToolRun run = mxfdict(args);
        EXPECT_TRUE(matchesOutputSchema(run.out)) << args[0] << ' ' << args.back();
        if (!name.empty())
            expectMatchesGolden(masked(run.out), golden(name));
    }
}

// MXFDICT_SCHEMA stands for the schema wherever one may be left out; set but
// empty, it is as if unset.
TEST(Mxfdict, DefaultSchemaFromTheEnvironment) {
    const std::string old = fixture("diff/old.xsd");
    const ToolRun named = mxfdict({"show", old});
    ASSERT_EQ(named.status, 0) << named.err;
    const ToolRun byDefault = mxfdict({"show"}, "", old);
    ASSERT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.out, named.out);

    EXPECT_EQ(mxfdict({"lookup", "TrackID"}, "", old).out, mxfdict({"lookup", old, "TrackID"}).out);
    EXPECT_EQ(mxfdict({"check", "--json"}, "", old).out, mxfdict({"check", "--json", old}).out);
    const std::string mxf = (dataDir() / "mxf" / "opatom-pcm.mxf").string();
    EXPECT_EQ(mxfdict({"read", mxf}, "", example()).out, mxfdict({"read", mxf}).out);
    // A schema on the command line wins.
    EXPECT_EQ(mxfdict({"lookup", example(), "InstanceID"}, "", old).status, 0);

    const ToolRun missing = mxfdict({"show"}, "", "/nonexistent/none.xsd");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.err, "/nonexistent/none.xsd")) << missing.err;
}

// The completion offers what each subcommand's help lists, and files elsewhere.
TEST(Mxfdict, BashCompletionOffersEachSubcommandsOwnOptions) {
    const TempDir dir;
    dir.write("only.xsd", "");
    const struct {
        std::string words;
        std::string expected;
    } cases[] = {
        {"mxfdict sh", "show\n"},
        {"mxfdict im", "import-registers\n"},
        {"mxfdict --v", "--version\n"},
        {"mxfdict show --j", "--json\n"},
        {"mxfdict --help show --l", "--length-description\n"},
        {"mxfdict read --sc", "--schema\n"},
        {"mxfdict read --f", "--files-from\n"},
        {"mxfdict check --d", ""},
        {"mxfdict lookup " + (dir.path() / "on").string(),
         (dir.path() / "only.xsd").string() + "\n"},
    };
    for (const auto& c : cases) {
        const std::string script = "source '" + std::string(MXFDICT_BASH_COMPLETION) +
                                   "'\nCOMP_WORDS=(" + c.words +
                                   ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_mxfdict\n"
                                   "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        const std::string out = bashOutput(script);
        EXPECT_EQ(out, c.expected.empty() ? std::string("\n") : c.expected) << c.words;
    }
}

// Every set and element that the example shares with the registers (the
// same label, whatever the version byte) has the register's symbol as its
// name, so that one script reads files with either. Needs a register
// snapshot (PALIMO_REGISTERS_SNAPSHOT); skipped without one.
TEST(Mxfdict, TheExampleNamesWhatItSharesWithTheRegistersAsTheyDo) {
    const std::filesystem::path registers = PalimoTest::registersSnapshot();
    if (!std::filesystem::exists(registers / "Elements.xml"))
        GTEST_SKIP() << "no register snapshot at " << registers;
    const TempDir dir;
    const std::string imported = (dir.path() / "smpte").string();
    ASSERT_EQ(mxfdict({"import-registers", registers.string(), imported}).status, 0);

    // Label or key without its version byte -> name, for "elements" and "sets".
    const auto names = [](const std::string& schema) {
        const ToolRun run = mxfdict({"show", "--json", schema});
        EXPECT_EQ(run.status, 0) << run.err;
        const nlohmann::json json = nlohmann::json::parse(run.out);
        std::map<std::string, std::string> result;
        for (const auto& element : json["elements"])
            result["element " + element["ul"].get<std::string>().replace(21, 2, "xx")] =
                element["name"];
        for (const auto& set : json["sets"])
            result["set " + set["key"].get<std::string>().replace(21, 2, "xx")] =
                set["properties"]["XMLTagName"];
        return result;
    };
    const auto inRegisters = names(imported + "/MXFDictionary.xsd");
    std::size_t shared = 0;
    for (const auto& [label, name] : names(example())) {
        const auto found = inRegisters.find(label);
        if (found == inRegisters.end())
            continue;
        ++shared;
        EXPECT_EQ(name, found->second) << label;
    }
    EXPECT_GT(shared, 150u);
}

// The manual page as the build writes it from the help texts.
TEST(Mxfdict, GoldenManPage) {
    expectMatchesGolden(readFile(MXFDICT_MAN_PAGE), golden("mxfdict.1.expected"));
}

} // namespace
