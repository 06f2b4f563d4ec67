#include "RegisterLabels.h"

#include <gtest/gtest.h>

using namespace Palimo::Registers;

TEST(RegisterLabels, OnlyTheUrnFormIsARegisterLabel) {
    const std::pair<const char*, const char*> cases[] = {
        {"urn:smpte:ul:060e2b34.01010101.01011502.00000000",
         "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"},
        {"URN:SMPTE:UL:060E2B34.027F0101.0D010101.01012F00",
         "06.0e.2b.34.02.7f.01.01.0d.01.01.01.01.01.2f.00"},
        {"urn:smpte:ul:060e2b34.01010101.01011502.0000000", nullptr},
        {"urn:smpte:ul:060e2b34-01010101.01011502.00000000", nullptr},
        {"urn:smpte:ul:060e2b34.01010101.01011502.0000000g", nullptr},
        {"urn:smpte:ul:060e2b3401010101.01011502.00000000.", nullptr},
        {"urn:smpte:ul:06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", nullptr},
        {"06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", nullptr},
        {"060e2b34010101010101150200000000", nullptr},
        {"", nullptr},
    };
    for (const auto& [text, dotted] : cases) {
        const std::optional<Label> label = parseRegisterLabel(text);
        ASSERT_EQ(label.has_value(), dotted != nullptr) << text;
        if (label) {
            EXPECT_EQ(label->dotted(), dotted);
        }
    }
    const Label group = *parseRegisterLabel("urn:smpte:ul:060e2b34.027f0101.0d010101.01012f00");
    EXPECT_EQ(localSetKey(group).dotted(), "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00");
}
