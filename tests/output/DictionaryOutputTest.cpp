// The dictionary writers of the output library, called as a host calls them,
// give the bytes of mxfdict's goldens: the tool only prints what they write.
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <Palimo/Diff/DictionaryDiff.h>
#include <Palimo/Output/DictionaryJson.h>
#include <Palimo/Output/DictionaryText.h>
#include <Palimo/Output/DiffOutput.h>
#include <Palimo/Output/LookupOutput.h>
#include <Palimo/Query/Lookup.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>

namespace {

using namespace Palimo;
using PalimoTest::dataDir;

struct Loaded {
    MetaMetadata::Dictionary dictionary;
    TypeDefinitions::TypeDictionary types;
};

const Loaded& load(const std::string& name) {
    static std::map<std::string, std::unique_ptr<Loaded>> loaded;
    std::unique_ptr<Loaded>& entry = loaded[name];
    if (!entry) {
        entry = std::make_unique<Loaded>();
        const std::string path =
            name == "example"
                ? (dataDir() / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd")
                      .string()
                : (dataDir() / "tools" / "diff" / (name + ".xsd")).string();
        TypeDefinitions::loadDictionary(path, {}, entry->dictionary, entry->types);
    }
    return *entry;
}

void lookupJson(std::ostream& out, const std::string& key) {
    const Loaded& example = load("example");
    Output::writeLookupJson(out, example.dictionary, &example.types, key,
                            Query::lookup(example.dictionary, key));
}

void diffJson(std::ostream& out, const std::string& before, const std::string& after) {
    Output::writeDiffJson(out,
                          Diff::diffDictionaries(load(before).dictionary, load(after).dictionary));
}

TEST(DictionaryOutput, WritersGiveTheToolsGoldens) {
    const std::vector<std::pair<std::string, std::function<void(std::ostream&)>>> cases = {
        {"show.expected",
         [](std::ostream& out) {
             const Loaded& example = load("example");
             Output::printDictionarySummary(out, "<example>", example.dictionary);
             Output::printDictionary(out, example.dictionary, &example.types);
         }},
        {"show.json.expected",
         [](std::ostream& out) {
             const Loaded& example = load("example");
             Output::writeDictionaryJson(out, example.dictionary, &example.types);
         }},
        {"lookup-tag.json.expected",
         [](std::ostream& out) {
             lookupJson(out, "3b.03");
         }},
        {"lookup-version.json.expected",
         [](std::ostream& out) {
             lookupJson(out, "06.0e.2b.34.02.53.01.7f.0d.01.01.01.01.01.2f.00");
         }},
        {"lookup-none.json.expected",
         [](std::ostream& out) {
             lookupJson(out, "NoSuchThing");
         }},
        {"diff.json.expected",
         [](std::ostream& out) {
             diffJson(out, "old", "new");
         }},
        {"diff-same.json.expected",
         [](std::ostream& out) {
             diffJson(out, "example", "example");
         }},
    };
    for (const auto& [golden, write] : cases) {
        std::ostringstream out;
        write(out);
        SCOPED_TRACE(golden);
        PalimoTest::expectMatchesGolden(out.str(), dataDir() / "tools" / "output" / golden);
    }
}

// The text form of a diff writes each value as its JSON on one line, and
// "(absent)" for none.
TEST(DictionaryOutput, DiffTextWritesValuesAsOneLineJson) {
    Diff::DictionaryDiff diff;
    Diff::EntryDiff entry;
    entry.change = Diff::Change::Changed;
    entry.name = "Track";
    Diff::FieldChange defaultValue;
    defaultValue.field = Diff::Field::Default;
    defaultValue.before = Diff::Value(std::monostate());
    defaultValue.after = Diff::Value(std::string("1"));
    Diff::FieldChange property;
    property.field = Diff::Field::Property;
    property.property = "note";
    property.after = Diff::Value(std::string("say \"hi\""));
    entry.fields = {defaultValue, property};
    diff.elements.push_back(entry);
    std::ostringstream out;
    Output::printDiff(out, diff);
    EXPECT_EQ(out.str(), "~ element " + entry.id.dotted() +
                             " Track\n"
                             "    default: null -> \"1\"\n"
                             "    properties.note: \"(absent)\" -> \"say \\\"hi\\\"\"\n");
}

} // namespace
