// mxfdict check: what a load skips, reported without changing the load.
#include "ToolRun.h"

#include "registers/RegisterFixtures.h"

#include <nlohmann/json.hpp>

namespace {

using namespace PalimoTest;

std::string withoutDirectory(std::string text, const std::string& directory) {
    for (std::string::size_type at; (at = text.find(directory)) != std::string::npos;)
        text.erase(at, directory.size());
    return text;
}

// One mistake of each kind, over two files; each line names its file.
TEST(CheckCommand, ReportsEachKindOfMistakeWithItsFile) {
    const std::string schema = toolFixture("check/MXFDictionary.xsd");
    const ToolRun run = mxfdict({"check", schema});
    EXPECT_EQ(run.status, 4) << run.err;
    const std::string directory =
        std::filesystem::path(schema).parent_path().lexically_normal().string() + "/";
    EXPECT_EQ(withoutDirectory(run.out, directory),
              readText(toolFixture("check/MXFDictionary.expected")));
    EXPECT_EQ(run.err, "mxfdict: 10 findings in " + schema + "\n");

    // The same findings as JSON, in the same order.
    const ToolRun json = mxfdict({"check", "--json", schema});
    EXPECT_EQ(json.status, 4);
    const auto findings = nlohmann::json::parse(json.out).at("findings");
    ASSERT_EQ(findings.size(), 10u);
    EXPECT_EQ(findings[0].at("kind"), "setWithoutKey");
    EXPECT_EQ(findings[0].at("declaration"), "set Marker");
    EXPECT_EQ(findings[0].at("file"), directory + "Sets.xsd");
}

TEST(CheckCommand, CleanSchemaAndFailedLoad) {
    const ToolRun clean = mxfdict({"check", example()});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_TRUE(clean.out.empty());

    TempDir dir;
    const auto broken = dir.write("broken.xsd", "<xs:schema");
    const ToolRun failed = mxfdict({"check", broken.string()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(contains(failed.err, "mxfdict: cannot load " + broken.string())) << failed.err;
    EXPECT_TRUE(failed.out.empty());
}

// The check reads the schema a second time: the load's result is unchanged.
TEST(CheckCommand, LeavesTheLoadAsItIs) {
    const std::string schema = toolFixture("check/MXFDictionary.xsd");
    const ToolRun shown = mxfdict({"show", "--json", schema});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto json = nlohmann::json::parse(shown.out);
    // Clip keeps its members but the misspelt one; Marker is not there.
    for (const auto& set : json.at("sets"))
        if (set.at("properties").value("XMLTagName", "") == "Clip") {
            EXPECT_EQ(set.at("attributes").size(), 4u);
        }
    EXPECT_EQ(json.at("sets").size(), 2u); // Clip and one of Take and Twin
}

} // namespace
