#include "elements/LabelsAndTags.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

namespace PalimoTest {
namespace {

using Palimo::Exceptions::InvalidULDesignator;

const std::string kLabel = "06.0E.2B.34.01.01.01.02.06.01.01.04.01.02.00.00";

struct LabelCase {
    const char* name;
    std::string appinfos; // of the declaration "E"
    const char* label;    // the label read, in lower case; null: none
    std::string refused;  // the InvalidULDesignator message, when refused
    bool tagged;
};

class ReadLabelAndTag : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ReadLabelAndTag, OfTheFirstDesignator) {
    const LabelCase& c = GetParam();
    Snippet f(R"(<xs:element name="E"><xs:annotation>)" + c.appinfos +
              "</xs:annotation></xs:element>");
    const xercesc::DOMElement* e = f.component("E");
    if (!c.refused.empty()) {
        EXPECT_THROWS_EXACTLY(InvalidULDesignator, Loading::readUniversalLabel(f.schema(), e),
                              c.refused);
        EXPECT_THROWS_EXACTLY(InvalidULDesignator, Loading::readULKey(f.schema(), e), c.refused);
        return;
    }
    const auto label = Loading::readUniversalLabel(f.schema(), e);
    const auto key = Loading::readULKey(f.schema(), e);
    ASSERT_EQ(c.label != nullptr, static_cast<bool>(label));
    ASSERT_EQ(c.label != nullptr, static_cast<bool>(key));
    if (c.label) {
        EXPECT_EQ(N(label->toString(Palimo::Types::DottedHex)), c.label);
        EXPECT_EQ(key->bytes(), label->array());
    }
    const auto tag = Loading::readLocalTag(f.schema(), e);
    ASSERT_EQ(c.tagged, static_cast<bool>(tag));
    if (c.tagged) {
        EXPECT_EQ(Palimo::Types::LocalTag(0x3c0a), *tag);
    }
}

const char kLower[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.01.02.00.00";

INSTANTIATE_TEST_SUITE_P(
    Annotations, ReadLabelAndTag,
    ::testing::Values(
        LabelCase{"Valid", appinfo("UL Designator", kLabel) + appinfo("Local Tag", "3c.0a"), kLower,
                  "", true},
        LabelCase{"Absent", appinfo("RP210", "x"), nullptr, "", false},
        LabelCase{"Empty", appinfo("UL Designator", "") + appinfo("Local Tag", ""), nullptr, "",
                  false},
        LabelCase{"OnlyTheFirstIsRead",
                  appinfo("UL Designator", kLabel) + appinfo("UL Designator", "bad"), kLower, "",
                  false},
        LabelCase{"PaddedIsRefusedWithItsText", appinfo("UL Designator", "\n  " + kLabel + "\n"),
                  nullptr, "\n  " + kLabel + "\n", false},
        // Only the text before the comment is read.
        LabelCase{
            "SplitByAComment",
            appinfo("UL Designator", "06.0e.2b.34.01.01.01.02<!-- c -->.06.01.01.04.01.02.00.00"),
            nullptr, "06.0e.2b.34.01.01.01.02", false}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace PalimoTest
