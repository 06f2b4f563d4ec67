// mxfdict run as a user runs it: exit statuses, output and error text.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/MetaMetadata/Dictionary.h>

#include <nlohmann/json.hpp>

#include "ToolRun.h"

#include <string>
#include <vector>

namespace {

using namespace PalimoTest;

std::string fixture(const char* name) {
    return toolFixture(name);
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

TEST(Mxfdict, ShowPrintsSummaryAndEntries) {
    const ToolRun run = mxfdict({"show"}); // the shipped example
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "Elements:  162 (140 simple, 8 collection, 4 reference, 10 "
                                  "reference collection)"))
        << run.out.substr(0, 400);
    EXPECT_TRUE(contains(run.out, "Sets:      32"));
    // Timings on standard error: two outputs compare with diff(1).
    EXPECT_FALSE(contains(run.out, "Load time: "));
    EXPECT_TRUE(contains(run.err, "Load time: "));
    EXPECT_TRUE(
        contains(run.out, "set Preface  key 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00"));
    EXPECT_TRUE(contains(run.out, "default 25/1"));
    EXPECT_FALSE(contains(run.out, "Documentation: "));

    const ToolRun documented =
        mxfdict({"show", "--documentation", "--length-description", example()});
    ASSERT_EQ(documented.status, 0);
    EXPECT_TRUE(contains(documented.out, "Documentation: Unique identifier of this instance"));
    EXPECT_TRUE(contains(documented.out, "LengthDescription: 16"));
}

TEST(Mxfdict, JsonMatchesTheDictionary) {
    const ToolRun run = mxfdict({"show", "--json", example()});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(json.at("formatVersion"), 1);

    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(W(example().c_str()).c_str(), dictionary);

    const auto& elements = json.at("elements");
    ASSERT_EQ(elements.size(), dictionary.metaElementCount());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const auto* element = dictionary.metaElements()[i];
        EXPECT_EQ(elements[i].at("ul"),
                  PalimoTest::N(element->universalLabel().toString(Palimo::Types::DottedHex)));
        EXPECT_EQ(elements[i].at("properties").size(), element->properties().size());
    }
    const auto sets = dictionary.metaMetadataSets();
    ASSERT_EQ(json.at("sets").size(), sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(json["sets"][i].at("key"), sets[i]->key().text());
        EXPECT_EQ(json["sets"][i].at("attributes").size(), sets[i]->attributes().size());
    }

    // A few entries in full.
    const auto& instanceUID = elements[0];
    EXPECT_EQ(instanceUID.dump(),
              R"({"name":"InstanceUID","ul":"06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00",)"
              R"("kind":"simple","dataType":"UUID","subType":null,"localTag":"3c.0a",)"
              R"("targets":null,"properties":{"name":"Instance UID","XMLTagName":"InstanceUID",)"
              R"("XMLNamespaceURI":"urn:SMPTE:MXF:file_format","XMLDefaultPrefix":"ff"}})");
    const auto& preface = json["sets"][1];
    EXPECT_EQ(preface.at("properties").at("XMLTagName"), "Preface");
    EXPECT_EQ(
        preface.at("attributes")[4].dump(),
        R"({"element":"ObjectModelVersion","ul":"06.0e.2b.34.01.01.01.02.03.01.02.01.04.00.00.00",)"
        R"("required":"optional","default":"1","localTag":"3b.07","properties":)"
        R"({"SchemaIndex":"4","RequiresSemanticsValidation":""}})");
    bool sawCollection = false;
    for (const auto& element : elements) {
        if (element.at("name") == "Tracks") {
            EXPECT_EQ(element.at("kind"), "referenceCollection");
            EXPECT_EQ(element.at("dataType"), "Array");
            EXPECT_EQ(element.at("subType"), "StrongReference");
            EXPECT_EQ(element.at("targets").size(), 4u);
        }
        if (element.at("name") == "EssenceContainers") {
            sawCollection = true;
            EXPECT_EQ(element.at("kind"), "collection");
            EXPECT_EQ(element.at("subType"), "UniversalLabel");
            EXPECT_EQ(element.at("targets"), nullptr);
        }
    }
    EXPECT_TRUE(sawCollection);
}

TEST(Mxfdict, LookupByEachKindOfKey) {
    const char kVersion[] = "ignoring the version byte (byte 8): ";
    const char kCase[] = "matched ignoring case";
    struct Case {
        const char* key;
        int status;
        const char* note; // on standard error when the match needed a looser rule
        std::vector<const char*> expected;
    };
    const std::vector<Case> cases = {
        {"06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", 0, nullptr, {"element InstanceUID"}},
        {"06.0E.2B.34.02.53.01.01.0D.01.01.01.01.01.2F.00", 0, nullptr, {"set Preface  key"}},
        {"060E2B34010101010101150200000000", 0, nullptr, {"element InstanceUID"}},
        {"urn:smpte:ul:060e2b34.01010101.01011502.00000000", 0, nullptr, {"element InstanceUID"}},
        {"URN:SMPTE:UL:060E2B34.02530101.0D010101.01012F00", 0, nullptr, {"set Preface  key"}},
        // Version byte 05 instead of 01: found, and said so.
        {"06.0e.2b.34.01.01.01.05.01.01.15.02.00.00.00.00",
         0,
         kVersion,
         {"06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", "element InstanceUID"}},
        {"06.0e.2b.34.02.53.01.7f.0d.01.01.01.01.01.2f.00", 0, kVersion, {"set Preface  key"}},
        {"3b.03",
         0,
         nullptr,
         {"local tag 3b.03 is", "element ContentStorageObject", "targets: ContentStorage",
          "held by: Preface\n"}},
        {"0x3C0A", 0, nullptr, {"element InstanceUID"}},
        {"0X3c0a", 0, nullptr, {"element InstanceUID"}},
        {"3C0A", 0, nullptr, {"element InstanceUID"}},
        {"DropFrame",
         0,
         nullptr,
         {"element DropFrame", "type Boolean", "held by: TimecodeComponent\n"}},
        {"Source Clip", 0, nullptr, {"set SourceClip", "StartPosition"}},
        {"dropframe", 0, kCase, {"element DropFrame"}},
        {"NoSuchThing", 3, nullptr, {}},
        // Another byte than the version differs: no match.
        {"06.0e.2b.34.01.01.01.01.7f.01.15.02.00.00.00.00", 3, nullptr, {}},
        {"7f.7f", 3, nullptr, {}},
        // Dots inside a byte, or a digit short: no label, no tag.
        {"0.60e2b34010101010101150200000000", 3, nullptr, {}},
        {"060e2b3401010101010115020000000", 3, nullptr, {}},
        {"3c.0a.", 3, nullptr, {}},
    };
    for (const Case& c : cases) {
        const ToolRun run = mxfdict({"lookup", example(), c.key});
        EXPECT_EQ(run.status, c.status) << c.key << '\n' << run.err;
        for (const char* part : c.expected)
            EXPECT_TRUE(contains(run.out, part)) << c.key << ": " << part << '\n' << run.out;
        EXPECT_FALSE(contains(run.out, "note:")) << c.key;
        EXPECT_EQ(contains(run.err, "note: no exact match"), c.note != nullptr) << c.key;
        if (c.note) {
            EXPECT_TRUE(contains(run.err, c.note)) << c.key << '\n' << run.err;
        }
        if (c.status == 3) {
            EXPECT_TRUE(contains(run.err, "nothing in")) << c.key;
        }
    }
}

// Every --json document is one the shipped JSON Schema describes.
TEST(Mxfdict, JsonDocumentsMatchTheOutputSchema) {
    const std::vector<std::vector<std::string>> cases = {
        {"show", "--json", "--documentation", example()},
        {"lookup", "--json", example(), "3b.03"},
        {"lookup", "--json", example(), "06.0e.2b.34.02.53.01.7f.0d.01.01.01.01.01.2f.00"},
        {"lookup", "--json", example(), "NoSuchThing"},
        {"diff", "--json", fixture("diff/old.xsd"), fixture("diff/new.xsd")},
        {"diff", "--json", example(), example()},
        {"check", "--json", fixture("check/MXFDictionary.xsd")},
    };
    for (const auto& args : cases) {
        const ToolRun run = mxfdict(args);
        EXPECT_TRUE(matchesOutputSchema(run.out)) << args[0] << ' ' << args.back();
    }

    const ToolRun lookup = mxfdict({"lookup", "--json", example(), "3b.03"});
    const auto json = nlohmann::ordered_json::parse(lookup.out);
    EXPECT_EQ(json.at("matchedBy"), "localTag");
    EXPECT_EQ(json.at("localTagLabel"), "06.0e.2b.34.01.01.01.02.06.01.01.04.02.01.00.00");
    EXPECT_EQ(json.at("elements")[0].at("heldBy").dump(),
              R"([{"key":"06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00","name":"Preface"}])");

    const ToolRun diff =
        mxfdict({"diff", "--json", fixture("diff/old.xsd"), fixture("diff/new.xsd")});
    EXPECT_EQ(diff.status, 1);
    const auto changes = nlohmann::ordered_json::parse(diff.out);
    bool sawTrackID = false;
    for (const auto& element : changes.at("elements"))
        if (element.at("name") == "TrackID") {
            sawTrackID = true;
            EXPECT_EQ(element.at("change"), "changed");
            EXPECT_EQ(element.at("fields")[0].dump(),
                      R"({"field":"dataType","before":"UInt32","after":"UInt16"})");
        }
    EXPECT_TRUE(sawTrackID);
}

TEST(Mxfdict, DiffListsAddedRemovedAndChangedEntries) {
    const ToolRun same = mxfdict({"diff", fixture("diff/old.xsd"), fixture("diff/old.xsd")});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_TRUE(same.out.empty()) << same.out;

    const ToolRun run = mxfdict({"diff", fixture("diff/old.xsd"), fixture("diff/new.xsd")});
    EXPECT_EQ(run.status, 1) << run.err;
    const char kTrackID[] = "06.0e.2b.34.01.01.01.02.01.07.01.01.00.00.00.00";
    for (const std::string& line : std::vector<std::string>{
             "+ element 06.0e.2b.34.01.01.01.02.07.02.01.03.01.03.00.00 Origin\n",
             "- element 06.0e.2b.34.01.01.01.02.01.07.01.02.01.00.00.00 TrackName\n",
             std::string("~ element ") + kTrackID +
                 " TrackID\n"
                 "    dataType: \"UInt32\" -> \"UInt16\"\n"
                 "    localTag: \"48.01\" -> \"48.11\"\n",
             "+ set 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.33.00 Note\n",
             "- set 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.41.00 Marker\n",
             "~ set 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.11.00 Clip\n"
             "    properties.name: \"Clip\" -> \"Source Clip\"\n",
             "    + member 06.0e.2b.34.01.01.01.02.07.02.01.03.01.03.00.00 Origin\n",
             "    - member 06.0e.2b.34.01.01.01.02.01.07.01.02.01.00.00.00 TrackName\n",
             std::string("    ~ member ") + kTrackID +
                 " TrackID: required: \"optional\" -> \"required\"\n",
             std::string("    ~ member ") + kTrackID + " TrackID: default: \"1\" -> \"2\"\n",
             "    member order changed\n"})
        EXPECT_TRUE(contains(run.out, line)) << line << "\nin\n" << run.out;
    // Nothing is said of StartPosition as an element: it did not change.
    EXPECT_FALSE(contains(run.out, "~ element 06.0e.2b.34.01.01.01.02.07.02.01.03.01.04.00.00"));
}

} // namespace
