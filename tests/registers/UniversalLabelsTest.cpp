#include "registers/UniversalLabels.h"

#include <gtest/gtest.h>

using namespace Palimo::Registers;

TEST(UniversalLabels, RegisterFormsBecomeDottedLabels) {
    const std::pair<const char*, const char*> cases[] = {
        {"urn:smpte:ul:060e2b34.01010101.01011502.00000000",
         "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"},
        {"URN:SMPTE:UL:060E2B34.027F0101.0D010101.01012F00",
         "06.0e.2b.34.02.7f.01.01.0d.01.01.01.01.01.2f.00"},
        {"urn:smpte:ul:060e2b34.01010101.01011502.0000000", nullptr},
        {"urn:smpte:ul:060e2b34-01010101.01011502.00000000", nullptr},
        {"urn:smpte:ul:060e2b34.01010101.01011502.0000000g", nullptr},
        {"06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", nullptr},
        {"", nullptr},
    };
    for (const auto& [text, dotted] : cases) {
        const std::optional<Label> label = parseRegisterLabel(text);
        ASSERT_EQ(label.has_value(), dotted != nullptr) << text;
        if (label) {
            EXPECT_EQ(dottedLabel(*label), dotted);
        }
    }
    const Label group = *parseRegisterLabel("urn:smpte:ul:060e2b34.027f0101.0d010101.01012f00");
    EXPECT_EQ(dottedLabel(localSetKey(group)), "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00");
}

TEST(UniversalLabels, LocalTagsOfOneToFourHexDigits) {
    const std::pair<const char*, int> cases[] = {{"3c0a", 0x3c0a}, {"3C0A", 0x3c0a}, {"08", 0x08},
                                                 {"1", 0x1},       {"", -1},         {"12345", -1},
                                                 {"0x12", -1},     {"3c.0a", -1}};
    for (const auto& [text, value] : cases) {
        const std::optional<std::uint16_t> tag = parseLocalTag(text);
        EXPECT_EQ(tag ? int(*tag) : -1, value) << text;
    }
    EXPECT_EQ(dottedLocalTag(0x0008), "00.08");
}
