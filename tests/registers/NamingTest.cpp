#include "Naming.h"

#include <gtest/gtest.h>

#include <deque>

using namespace Palimo::Registers;

namespace {

Label label(std::uint8_t kind, std::uint8_t last) {
    return Label(Label::Bytes{0x06, 0x0e, 0x2b, 0x34, kind, 0x01, 0x01, 0x0e, 0x0e, 0x55, 0, 0, 0,
                              0, 0, last});
}

} // namespace

TEST(Naming, ElementsKeepClearOfSetsAndOfEachOther) {
    std::deque<GroupEntry> groups;
    std::deque<ElementEntry> elements;
    Selection selection;
    auto group = [&](const char* symbol, std::uint8_t last) {
        GroupEntry& g = groups.emplace_back();
        g.symbol = symbol;
        g.ul = label(0x02, last);
        selection.sets.push_back({&g, nullptr, {}});
    };
    auto element = [&](const char* symbol, std::uint8_t last) {
        ElementEntry& e = elements.emplace_back();
        e.symbol = symbol;
        e.ul = label(0x01, last);
        selection.elements.push_back(&e);
    };
    group("Clip", 1);
    group("Clip", 2);       // repeats a set's name
    group("Version", 3);    // its type would be the data type VersionType
    group("Odd Set", 4);    // no XML name
    element("Clip", 1);     // a set has the name
    element("ClipItem", 2); // keeps its symbol, which Clip would otherwise take
    element("Clip", 3);
    element("Length", 4);
    element("Length", 5);
    element("2D", 6);
    element("ClipReference", 7); // the name of Clip's reference declaration

    const Names names = assignNames(selection);
    const std::vector<std::string> sets = {names.sets.at(&groups[0]), names.sets.at(&groups[1]),
                                           names.sets.at(&groups[2]), names.sets.at(&groups[3])};
    EXPECT_EQ(sets,
              (std::vector<std::string>{"Clip", "Clip_0e55000000000002", "Version", "Odd_Set"}));
    std::vector<std::string> elementNames;
    for (const ElementEntry& e : elements)
        elementNames.push_back(names.elements.at(&e));
    EXPECT_EQ(elementNames, (std::vector<std::string>{"Clip_0e55000000000001", "ClipItem",
                                                      "Clip_0e55000000000003", "Length",
                                                      "LengthItem", "_2D", "ClipReference"}));
    EXPECT_EQ(names.references.at(&groups[0]), "ClipReference_0e55000000000001");
    EXPECT_EQ(names.types.at(&groups[2]), "VersionSetType");
    EXPECT_EQ(names.types.at(&groups[1]), "Clip_0e55000000000002Type");

    std::vector<std::string> renames;
    for (const Rename& r : names.renames)
        renames.push_back(r.what + " " + r.symbol + " -> " + r.name + ": " + r.reason);
    EXPECT_EQ(renames,
              (std::vector<std::string>{
                  "set Clip -> Clip_0e55000000000002: a set with a lower UL has the symbol",
                  "set Odd Set -> Odd_Set: the symbol is no XML name",
                  "element 2D -> _2D: the symbol is no XML name",
                  "element Clip -> Clip_0e55000000000001: a set has the symbol",
                  "element Clip -> Clip_0e55000000000003: a set has the symbol",
                  "element Length -> LengthItem: an element with a lower UL has the symbol"}));
}

TEST(Naming, NamespacePrefixesComeFromTheirURIs) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://www.smpte-ra.org/reg/335/2012", "smpte-ra-reg-335-2012"},
        {"http://www.example.org/reg/395/2014/13/1/aaf", "example-reg-395-2014-13-1-aaf"},
        {"https://example.com/a.b/", "example-a-b"},
        {"urn:SMPTE:MXF:file_format", "ff"},
        {"urn:example:toy", "example-toy"},
        {"http://xml.example.org/x", "ns-xml-example-x"},
        {"http://9.example/x", "ns-9-x"},
    };
    for (const auto& [uri, prefix] : cases)
        EXPECT_EQ(namespacePrefix(uri), prefix) << uri;

    const std::map<std::string, std::string> prefixes = namespacePrefixes(
        {"http://a.org/b-c", "http://a.org/b/c", "urn:SMPTE:MXF:file_format", "urn:xs"});
    EXPECT_EQ(prefixes, (std::map<std::string, std::string>{{"http://a.org/b-c", "a-b-c"},
                                                            {"http://a.org/b/c", "a-b-c-2"},
                                                            {"urn:SMPTE:MXF:file_format", "ff"},
                                                            {"urn:xs", "xs-2"}}));
}
