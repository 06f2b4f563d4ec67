// KLV headers: BER lengths and the checks of key and length against the file.
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/Klv.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::MalformedMXFFile;
using Palimo::MXF::MemorySource;
using Palimo::MXF::readBerLength;
using Palimo::MXF::readKlvHeader;

TEST(BerLength, ShortLongAndRefusedForms) {
    struct Case {
        const char* bytes;
        std::size_t taken; // 0: refused
        std::uint64_t length;
    };
    const Case cases[] = {
        {"00", 1, 0},
        {"7f", 1, 127},
        {"81 80", 2, 128},
        {"83 00 01 00", 4, 256},
        {"88 ff ff ff ff ff ff ff ff", 9, ~std::uint64_t{0}},
        {"80", 0, 0},                            // indefinite
        {"89 00 00 00 00 00 00 00 00 01", 0, 0}, // longer than 8 bytes
        {"84 00 00 01", 0, 0},                   // cut off
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        const Bytes bytes = hex(c.bytes);
        std::uint64_t length = 0;
        EXPECT_EQ(readBerLength(bytes.data(), bytes.size(), length), c.taken) << c.bytes;
        if (c.taken) {
            EXPECT_EQ(length, c.length) << c.bytes;
        }
    }
}

TEST(KlvHeader, RefusesWhatDoesNotFit) {
    const Bytes key = hex("06.0e.2b.34.01.02.03.04.05.06.07.08.09.0a.0b.0c");
    struct Case {
        Bytes file;
        const char* message;
    };
    const Case cases[] = {
        {key + hex("05 00 00"), "byte 0: KLV 06.0e.2b.34.01.02.03.04.05.06.07.08.09.0a.0b.0c: "
                                "length 5 runs past the end of the file (19 bytes)"},
        {key + hex("88 7f ff ff ff ff ff ff ff 00"),
         "byte 0: KLV 06.0e.2b.34.01.02.03.04.05.06.07.08.09.0a.0b.0c: length "
         "9223372036854775807 runs past the end of the file (26 bytes)"},
        {key + hex("80 00"), "byte 0: KLV 06.0e.2b.34.01.02.03.04.05.06.07.08.09.0a.0b.0c: bad "
                             "BER length (first byte 80)"},
        {key + hex("84 00 00"),
         "byte 0: KLV key and length cut off by the end of the file (19 bytes)"},
        {key, "byte 0: KLV key and length cut off by the end of the file (16 bytes)"},
        {hex("06.0e.2b.35") + Bytes(14, 0), "byte 0: no SMPTE key here (060e2b35...)"},
    };
    for (const Case& c : cases) {
        const MemorySource source(c.file.data(), c.file.size());
        EXPECT_THROWS_EXACTLY(MalformedMXFFile, readKlvHeader(source, 0), c.message);
    }
}

} // namespace
