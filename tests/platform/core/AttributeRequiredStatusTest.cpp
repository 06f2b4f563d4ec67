#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>

#include "support/TestSupport.h"

using Palimo::MetaMetadata::AttributeRequiredStatus;
using PalimoTest::W;

TEST(AttributeRequiredStatus, ReadsEverySpellingWithoutRegardToCase) {
    using S = AttributeRequiredStatus;
    const std::pair<const char*, S::Status> cases[] = {
        {"required", S::Required},      {"REQ", S::Required},
        {"Optional", S::Optional},      {"opt", S::Optional},
        {"Best Effort", S::BestEffort}, {"besteffort", S::BestEffort},
        {"best eff.", S::BestEffort},   {"Decoder Required", S::DecoderRequired},
        {"D/REQ", S::DecoderRequired},  {"encoder required", S::EncoderRequired},
        {"e/req", S::EncoderRequired},  {"", S::Unknown},
        {" required", S::Unknown},      {"best  effort", S::Unknown},
        {"best eff", S::Unknown},       {"r", S::Unknown},
        {"requiredx", S::Unknown},      {"be\xC5\xBFteffort", S::Unknown},
    };
    const auto& status = S::instance();
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(status.fromString(W(text)), expected) << '"' << text << '"';
    EXPECT_STREQ(status.toString(S::DecoderRequired), "DecoderRequired");
    EXPECT_STREQ(status.toString(static_cast<S::Status>(99)), "Unknown");
}
