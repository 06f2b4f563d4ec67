// Whole loads of the committed schemas against golden texts of what a host
// reads back (tests/support/Describe.h says how to write them again).
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <regex>
#include <string>

namespace {

using PalimoTest::dataDir;

struct GoldenLoad {
    const char* schema;          // under tests/data, or the shipped example
    const char* golden;          // under tests/data
    bool switches;               // element documentation and length descriptions
    bool abstractGroups = false; // stored, and changes nothing
};

const GoldenLoad kLoads[] = {
    {"../../examples/mxf-dictionary/MXFDictionary.xsd", "example/MXFDictionary.expected", false},
    {"../../examples/mxf-dictionary/MXFDictionary.xsd", "example/MXFDictionary.switches.expected",
     true},
    {"../../examples/mxf-dictionary/MXFDictionary.xsd", "example/MXFDictionary.switches.expected",
     true, true},
    // Every kind of element over three files.
    {"elements/main.xsd", "elements/main.expected", false},
    {"elements/main.xsd", "elements/main.switches.expected", true},
    // Names and labels that two declarations have, and no name.
    {"elements/names.xsd", "elements/names.expected", false},
    // Inherited then own members, linked to the loaded elements.
    {"sets/members.xsd", "sets/members.expected", false},
    // Status, default, tag and position of members over elements of every kind.
    {"sets/attributes.xsd", "sets/attributes.expected", false},
    {"sets/redefine/top.xsd", "sets/redefine/top.expected", false},
    // A load with every warning that mxfdict check reports: what it keeps.
    {"tools/check/MXFDictionary.xsd", "tools/check/MXFDictionary.dictionary.expected", false},
    {"tools/diff/old.xsd", "tools/diff/old.dictionary.expected", false},
    {"tools/diff/new.xsd", "tools/diff/new.dictionary.expected", false},
};

void PrintTo(const GoldenLoad& c, std::ostream* out) {
    *out << c.schema << (c.switches ? " with both switches" : "")
         << (c.abstractGroups ? " and abstract groups" : "");
}

class GoldenLoads : public ::testing::TestWithParam<GoldenLoad> {};

TEST_P(GoldenLoads, DescribeMatchesTheGoldenFile) {
    const GoldenLoad& c = GetParam();
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.loadAbstractGroups(c.abstractGroups);
    if (c.switches) { // else both stay as a fresh loader has them: off
        loader.loadMetaElementDocumentation(true);
        loader.loadMetaElementLengthDescription(true);
    }
    const std::string path = (dataDir() / c.schema).lexically_normal().string();
    loader.load(PalimoTest::W(path.c_str()).c_str(), dictionary);
    PalimoTest::expectMatchesGolden(PalimoTest::describe(dictionary), dataDir() / c.golden);
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenLoads, ::testing::ValuesIn(kLoads),
                         [](const ::testing::TestParamInfo<GoldenLoad>& info) {
                             return std::regex_replace(info.param.golden,
                                                       std::regex("[^A-Za-z0-9]"), "_") +
                                    (info.param.abstractGroups ? "_abstractGroups" : "");
                         });

} // namespace
