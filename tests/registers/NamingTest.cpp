#include "registers/Naming.h"

#include <gtest/gtest.h>

#include <deque>

using namespace Palimo::Registers;

namespace {

struct NameCase {
    bool isSet;
    const char* symbol;
    std::uint8_t lastByte; // of the UL; entries come in the order of their ULs
    const char* name;
    const char* reason;              // of the rename, "" when the symbol is the name
    const char* type = nullptr;      // of a set
    const char* reference = nullptr; // the name of a set's reference declaration
};

const char* const kLower = "a set with a lower UL has the symbol";
const char* const kNoXmlName = "the symbol is no XML name";
const char* const kSetHasIt = "a set has the symbol";

// Renames are listed sets first, then elements, those renamed for a clash
// last: the rows with a reason are in that order.
const NameCase kNames[] = {
    {true, "Clip", 1, "Clip", "", "ClipType", "ClipReference_0e55000000000001"},
    {true, "Clip", 2, "Clip_0e55000000000002", kLower, "Clip_0e55000000000002Type",
     "Clip_0e55000000000002Reference"},
    // Its type would be the data type VersionType.
    {true, "Version", 3, "Version", "", "VersionSetType", "VersionReference"},
    {true, "Odd Set", 4, "Odd_Set", kNoXmlName, "Odd_SetType", "Odd_SetReference"},
    {false, "2D", 0, "_2D", kNoXmlName},
    {false, "Clip", 1, "Clip_0e55000000000001", kSetHasIt},
    // Keeps its symbol, which the clashing Clip before it would otherwise take.
    {false, "ClipItem", 2, "ClipItem", ""},
    {false, "Clip", 3, "Clip_0e55000000000003", kSetHasIt},
    {false, "Length", 4, "Length", ""},
    {false, "Length", 5, "LengthItem", "an element with a lower UL has the symbol"},
    // Taken before the first set's reference declaration is named.
    {false, "ClipReference", 7, "ClipReference", ""},
};

} // namespace

TEST(Naming, ElementsKeepClearOfSetsAndOfEachOther) {
    std::deque<GroupEntry> groups;
    std::deque<ElementEntry> elements;
    Selection selection;
    for (const NameCase& c : kNames) {
        Label ul{0x06, 0x0e, 0x2b, 0x34, std::uint8_t(c.isSet ? 2 : 1), 1, 1, 0x0e, 0x0e, 0x55};
        ul[15] = c.lastByte;
        if (c.isSet) {
            groups.push_back({});
            groups.back().symbol = c.symbol;
            groups.back().ul = ul;
            selection.sets.push_back({&groups.back(), nullptr, {}});
        } else {
            elements.push_back({});
            elements.back().symbol = c.symbol;
            elements.back().ul = ul;
            selection.elements.push_back(&elements.back());
        }
    }
    const Names names = assignNames(selection);
    std::vector<std::string> expectedRenames;
    std::size_t set = 0, element = 0;
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.name);
        if (c.isSet) {
            const GroupEntry* group = &groups[set++];
            EXPECT_EQ(names.sets.at(group), c.name);
            EXPECT_EQ(names.types.at(group), c.type);
            EXPECT_EQ(names.references.at(group), c.reference);
        } else {
            EXPECT_EQ(names.elements.at(&elements[element++]), c.name);
        }
        if (*c.reason)
            expectedRenames.push_back(std::string(c.isSet ? "set " : "element ") + c.symbol +
                                      " -> " + c.name + ": " + c.reason);
    }
    std::vector<std::string> renames;
    for (const Rename& r : names.renames)
        renames.push_back(r.what + " " + r.symbol + " -> " + r.name + ": " + r.reason);
    EXPECT_EQ(renames, expectedRenames);
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
