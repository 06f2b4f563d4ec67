// The text forms of labels, UUIDs, AUIDs, UMIDs and local tags.
#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Identifiers/Label.h>

#include <gtest/gtest.h>

namespace {

using namespace Palimo::Identifiers;

const char kDotted[] = "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00";

TEST(Label, ReadsEveryFormAndWritesEachForm) {
    for (const char* text :
         {kDotted, "060e2b34010101010101150200000000",
          "URN:SMPTE:UL:060E2B34.01010101.01011502.00000000", "060e2b34.01010101.01011502.00000000",
          "060e.2b34.0101010101011502.0000.0000"}) {
        const std::optional<Label> label = Label::parse(text);
        ASSERT_TRUE(label) << text;
        EXPECT_EQ(label->dotted(), kDotted) << text;
        EXPECT_EQ(label->plain(), "060e2b34010101010101150200000000");
        EXPECT_EQ(label->urn(), "urn:smpte:ul:060e2b34.01010101.01011502.00000000");
    }
}

TEST(Label, RefusesWhatIsNoLabel) {
    for (const char* text :
         {"", "06.0e", ".060e2b34010101010101150200000000", "060e2b34010101010101150200000000.",
          "06..0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", "060e2b3401010101010115020000000g",
          "060e2b34010101010101150200000000 ", "060e2b3401010101010115020000000000",
          "0.60e2b34010101010101150200000000",
          "urn:smpte:umid:060e2b34.01010101.01011502.00000000"})
        EXPECT_FALSE(Label::parse(text)) << text;
}

TEST(Label, VersionByteAndPrefix) {
    const Label a = *Label::parse(kDotted);
    Label::Bytes other = a.bytes();
    other[7] = 0x05;
    EXPECT_TRUE(a.equalIgnoringVersion(Label(other)));
    EXPECT_NE(a, Label(other));
    EXPECT_EQ(a.withoutVersion(), Label(other).withoutVersion());
    other[8] = 0x02;
    EXPECT_FALSE(a.equalIgnoringVersion(Label(other)));
    EXPECT_TRUE(a.isSMPTE());
    EXPECT_FALSE(Label().isSMPTE());
}

// Labels and UUIDs compare in the order of their bytes, as unsigned bytes,
// whichever byte differs; equal ones hash alike.
TEST(Label, OrderAndEqualityByteByByte) {
    const Label::Bytes base = Label::parse(kDotted)->bytes();
    for (const std::size_t index : {0u, 3u, 7u, 8u, 9u, 15u}) {
        for (const std::uint8_t value : {0x00, 0x01, 0x7f, 0x80, 0xff}) {
            Label::Bytes changed = base;
            changed[index] = value;
            const Label a(base), b(changed);
            const UUID ua(base), ub(changed);
            const bool less = base < changed, same = base == changed;
            EXPECT_EQ(a < b, less) << index << ' ' << int(value);
            EXPECT_EQ(b < a, !less && !same) << index << ' ' << int(value);
            EXPECT_EQ(a == b, same) << index << ' ' << int(value);
            EXPECT_EQ(a != b, !same);
            EXPECT_EQ(ua < ub, less);
            EXPECT_EQ(ua == ub, same);
            if (same) {
                EXPECT_EQ(std::hash<Label>()(a), std::hash<Label>()(b));
            }
        }
    }
}

TEST(AUID, SwapsTheHalvesOfAUUIDBack) {
    // As stored in a file, and the UUID it holds.
    const Label stored = *Label::parse("80ad0060.08143e6f.05cba731.1daa11d3");
    const AUID auid = AUID::fromLabel(stored);
    EXPECT_FALSE(auid.isLabel());
    EXPECT_EQ(auid.uuid().text(), "05cba731-1daa-11d3-80ad-006008143e6f");
    EXPECT_EQ(auid.urn(), "urn:uuid:05cba731-1daa-11d3-80ad-006008143e6f");
    EXPECT_EQ(AUID::fromUUID(auid.uuid()), auid);

    const AUID label = AUID::fromLabel(*Label::parse(kDotted));
    EXPECT_TRUE(label.isLabel());
    EXPECT_EQ(label.urn(), "urn:smpte:ul:060e2b34.01010101.01011502.00000000");
}

TEST(UUID, TextForms) {
    const std::optional<UUID> uuid = UUID::parse("urn:uuid:ADAB4424-2f25-4dc7-92ff-000b00000000");
    ASSERT_TRUE(uuid);
    EXPECT_EQ(uuid->text(), "adab4424-2f25-4dc7-92ff-000b00000000");
    EXPECT_EQ(uuid->urn(), "urn:uuid:adab4424-2f25-4dc7-92ff-000b00000000");
    for (const char* text :
         {"adab44242f254dc792ff000b00000000", "adab4424-2f25-4dc7-92ff-000b0000000",
          "adab4424-2f25-4dc7-92ff+000b00000000"})
        EXPECT_FALSE(UUID::parse(text)) << text;
}

TEST(UMID, BasicAndExtended) {
    const char kBasic[] =
        "urn:smpte:umid:060a2b34.01010105.01010f20.13000000.56170a82.41c044cc.11d9568c.47d46263";
    const std::optional<UMID> basic = UMID::parse(kBasic);
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->size(), 32u);
    EXPECT_EQ(basic->urn(), kBasic);
    EXPECT_EQ(basic->dotted().substr(0, 12), "06.0a.2b.34.");
    EXPECT_EQ(*UMID::parse(basic->dotted()), *basic);

    std::uint8_t bytes[64];
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    const UMID extended = UMID::fromBytes(bytes, 64);
    EXPECT_TRUE(extended.extended());
    EXPECT_EQ(*UMID::parse(extended.urn()), extended);
    EXPECT_NE(extended, *basic);
}

TEST(LocalTag, Forms) {
    const struct {
        const char* text;
        std::optional<std::uint16_t> tag;
    } cases[] = {{"3c.0a", 0x3c0a},      {"3c0a", 0x3c0a},        {"0x3C0A", 0x3c0a},
                 {"0X3c.0a", 0x3c0a},    {"08", 0x0008},          {"ffff", 0xffff},
                 {"", std::nullopt},     {"0x", std::nullopt},    {"12345", std::nullopt},
                 {"3c.0", std::nullopt}, {".3c0a", std::nullopt}, {"3c0g", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(parseLocalTag(c.text), c.tag) << c.text;
    EXPECT_EQ(localTagText(0x3c0a), "3c.0a");
    const std::uint8_t bytes[] = {0x06, 0x0e, 0xab};
    EXPECT_EQ(hexText(bytes, 3), "060eab");
    EXPECT_EQ(dottedHexText(bytes, 3), "06.0e.ab");
    EXPECT_EQ(dottedHexText(bytes, 0), "");
}

} // namespace
