#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/KLV/Key.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

#include "support/TestSupport.h"

using namespace Palimo::Types;
using Palimo::Exceptions::InvalidStringRepresentation;
using Palimo::KLV::Key;
using PalimoTest::N;
using PalimoTest::W;

namespace {
const char kLabel[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.06.10.00.00";
const std::string kUuid = "01234567-89ab-cdef-0123-456789abcdef";

std::string repeatDotted(const char* byte, int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += (i ? "." : "") + std::string(byte);
    return s;
}

template <class T>
void read(const std::string& text) {
    T(W(text.c_str()).c_str(), DottedHex);
}
} // namespace

TEST(ByteIdentifierText, LabelsRoundTripThroughLabelAndKey) {
    const UniversalLabel label(u"06.0E.2B.34.01.01.01.02.06.01.01.04.06.10.00.00", DottedHex);
    EXPECT_EQ(label.text(), kLabel);
    EXPECT_EQ(N(label.toString(DottedHex)), kLabel);
    const Key key(label.toString(DottedHex).c_str(), DottedHex);
    EXPECT_EQ(key.bytes(), label.array());
    EXPECT_EQ(N(key.toString(DottedHex)), kLabel);
    EXPECT_EQ(UniversalLabel(label.array()), label);
}

TEST(ByteIdentifierText, LocalTagsUuidsAndUmidsAcceptTheirNotations) {
    for (const char* text : {"3c.0a", "3C0A", "3c0a", "0x3c0a", "0x3C0a"}) {
        const LocalTag tag(W(text).c_str(), DottedHex);
        EXPECT_EQ(tag.value(), 0x3c0a) << text;
        EXPECT_EQ(tag.text(), "3c.0a");
        EXPECT_EQ(LocalTag(tag.toString(DottedHex).c_str(), DottedHex), tag);
    }
    for (const std::string& text :
         {kUuid, std::string("01234567-89AB-CDEF-0123-456789ABCDEF"), "urn:uuid:" + kUuid,
          std::string("01.23.45.67.89.ab.cd.ef.01.23.45.67.89.ab.cd.ef")})
        EXPECT_EQ(UUID(W(text.c_str()).c_str(), DottedHex).text(), kUuid) << text;

    const std::string dotted32 = repeatDotted("ab", 32);
    const UMID32 fromDotted(W(dotted32.c_str()).c_str(), DottedHex);
    EXPECT_EQ(fromDotted.text(), dotted32);
    EXPECT_EQ(fromDotted.bytes(), std::vector<std::uint8_t>(32, 0xab));
    EXPECT_EQ(UMID32(W(std::string(64, 'A').c_str()).c_str(), DottedHex).bytes(),
              std::vector<std::uint8_t>(32, 0xaa));
    EXPECT_EQ(UMID64(W(std::string(128, 'f').c_str()).c_str(), DottedHex).bytes(),
              std::vector<std::uint8_t>(64, 0xff));
}

TEST(ByteIdentifierText, RefusalsQuoteTheTextIntact) {
    const std::vector<std::string> labels = {
        "",
        "06.0e.2b.34.01.01.01.02.06.01.01.04.06.10.00", // 15 bytes
        std::string(kLabel) + ".00",                    // 17 bytes
        std::string(kLabel) + ".",                      // trailing dot
        "060e2b34010101020601010406100000",             // no dots
        "06.0e.2b.34.01.01.01.02.06.01.01.04.06.10.00.0",
        "06.0e.2b.34.01.01.01.02.06.01.01.04.06.10..00.00",
        "urn:smpte:ul:060e2b34.01010102.06010104.06100000",
        "06.0e.\xC3\xA9",
    };
    const struct {
        std::string kind;
        void (*read)(const std::string&);
        std::vector<std::string> texts;
    } cases[] = {
        {"universal label", read<UniversalLabel>, labels},
        {"key", read<Key>, labels},
        {"local tag",
         read<LocalTag>,
         {"", "3c", "3c0", "3c0a0", "3c.0a.", "3c-0a", "0x3c", "x3c0a", "0x3c.0a", "3c.a",
          "0x 3c0a", "3g0a"}},
        {"UUID",
         read<UUID>,
         {"", "0123456789abcdef0123456789abcdef", "urn:uuid:", "urn:uuid:" + kUuid + "0",
          kUuid.substr(0, 35), "{" + kUuid + "}", "01234567-89ab-cdef-0123_456789abcdef",
          "0123456-789ab-cdef-0123-456789abcdef",
          "urn:uuid:01.23.45.67.89.ab.cd.ef.01.23.45.67.89.ab.cd.ef"}},
        {"UMID32",
         read<UMID32>,
         {repeatDotted("ab", 31), std::string(62, 'a'), std::string(66, 'a'),
          repeatDotted("ab", 64), ""}},
        {"UMID64", read<UMID64>, {repeatDotted("ab", 32), std::string(64, 'a')}},
    };
    for (const auto& c : cases) {
        for (const std::string& text : c.texts)
            EXPECT_THROWS_EXACTLY(InvalidStringRepresentation, c.read(text),
                                  "Invalid " + c.kind + " text: \"" + text + "\"");
    }
    EXPECT_THROWS_EXACTLY(InvalidStringRepresentation, UniversalLabel(nullptr, DottedHex),
                          "Invalid universal label text: \"\"");
}
