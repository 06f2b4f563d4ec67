// Item values decoded by data type, and the bytes that do not fit a type.
#include "MxfBytes.h"

#include <Palimo/MXF/ValueDecoder.h>

#include <gtest/gtest.h>

namespace {

using namespace MxfTest;
using namespace Palimo::Types::Identifiers;
using Palimo::MXF::decodeValue;
using Palimo::MXF::Value;

struct Case {
    Palimo::Types::Identifier type;
    const char* bytes;
    Value::Kind kind;
    const char* text; // render()ed
    Palimo::Types::Identifier subType = NoIdentifier;
};

TEST(ValueDecoder, DecodesEveryType) {
    const Case cases[] = {
        {Int8, "ff", Value::Kind::Integer, "-1"},
        {Int16, "80 00", Value::Kind::Integer, "-32768"},
        {Int32, "ff ff ff fe", Value::Kind::Integer, "-2"},
        {Int64, "80 00 00 00 00 00 00 00", Value::Kind::Integer, "-9223372036854775808"},
        {Length, "ff ff ff ff ff ff ff ff", Value::Kind::Integer, "-1"},
        {Position, "00 00 00 00 00 00 01 00", Value::Kind::Integer, "256"},
        {UInt8, "ff", Value::Kind::Unsigned, "255"},
        {UInt16, "01 02", Value::Kind::Unsigned, "258"},
        {UInt32, "ff ff ff ff", Value::Kind::Unsigned, "4294967295"},
        {UInt64, "ff ff ff ff ff ff ff ff", Value::Kind::Unsigned, "18446744073709551615"},
        {Boolean, "00", Value::Kind::Boolean, "false"},
        {Boolean, "02", Value::Kind::Boolean, "true"},
        {UTF16String, "00 46 00 46 00 00 00 41", Value::Kind::String, "FF"},
        {UTF16String, "00 e9 d8 3d de 00", Value::Kind::String, "\xc3\xa9\xf0\x9f\x98\x80"},
        {UTF16String, "d8 00 00 41", Value::Kind::String,
         "\xef\xbf\xbd"
         "A"},
        {UTF16String, "", Value::Kind::String, ""},
        {UTF16, "00 41", Value::Kind::String, "A"},
        {ISO7String, "41 42 80 00 43", Value::Kind::String, "AB\xef\xbf\xbd"},
        {UniversalLabel, "06 0e 2b 34 04 01 01 01 0d 01 02 01 01 01 09 00", Value::Kind::Label,
         "06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00"},
        {UUID, "ad ab 44 24 2f 25 4d c7 92 ff 00 0b 00 00 00 00", Value::Kind::UUID,
         "adab4424-2f25-4dc7-92ff-000b00000000"},
        {StrongReference, "ad ab 44 24 2f 25 4d c7 92 ff 00 0b 00 00 00 01", Value::Kind::UUID,
         "adab4424-2f25-4dc7-92ff-000b00000001"},
        {UMID32,
         "06 0a 2b 34 01 01 01 05 01 01 0d 00 13 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
         "00 00 01",
         Value::Kind::UMID,
         "06.0a.2b.34.01.01.01.05.01.01.0d.00.13.00.00.00.00.00.00.00.00.00.00.00.00.00.00.00.00."
         "00.00.01"},
        {Rational, "00 00 75 30 00 00 03 e9", Value::Kind::Rational, "30000/1001"},
        {Rational, "ff ff ff ff 00 00 00 00", Value::Kind::Rational, "-1/0"},
        {Timestamp, "07 df 05 13 08 34 08 52", Value::Kind::Timestamp, "2015-05-19T08:52:08.328Z"},
        {Timestamp, "00 00 00 00 00 00 00 00", Value::Kind::Timestamp, "0000-00-00T00:00:00.000Z"},
        {Timestamp, "ff ff 01 01 00 00 00 00", Value::Kind::Timestamp, "-0001-01-01T00:00:00.000Z"},
        {VersionType, "01 03", Value::Kind::Version, "1.3"},
        {ProductVersion, "00 01 00 02 00 03 01 00 00 04", Value::Kind::Version, "1.2.3.256.4"},
        {Batch, "00 00 00 00 00 00 00 10", Value::Kind::List, "[]", UniversalLabel},
        {Array, "00 00 00 02 00 00 00 04 00 00 00 07 00 00 01 40", Value::Kind::List, "[7, 320]",
         Int32},
        {Array, "00 00 00 01 00 00 00 10 ad ab 44 24 2f 25 4d c7 92 ff 00 0c 00 00 00 00",
         Value::Kind::List, "[adab4424-2f25-4dc7-92ff-000c00000000]", StrongReference},
        {Array, "00 00 00 02 00 00 00 02 00 41 00 42", Value::Kind::List, "[A, B]", UTF16String},
        {Float32, "3f c0 00 00", Value::Kind::Real, "1.5"},
        {Float32, "7f c0 00 00", Value::Kind::Real, "NaN"},
        {Float64, "c0 09 21 fb 54 44 2d 18", Value::Kind::Real, "-3.1415926535897931"},
        {Float64, "ff f0 00 00 00 00 00 00", Value::Kind::Real, "-Infinity"},
        {UTF8String, "c3 a9 74 c3 a9 00 41", Value::Kind::String, "\xc3\xa9t\xc3\xa9"},
        {AUID, "06 0e 2b 34 04 01 01 01 0d 01 02 01 01 01 09 00", Value::Kind::Label,
         "06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00"},
        {AUID, "ad ab 44 24 2f 25 4d c7 92 ff 00 0c 00 00 00 01", Value::Kind::UUID,
         "adab4424-2f25-4dc7-92ff-000c00000001"},
        {DateStruct, "07 df 05 13", Value::Kind::Timestamp, "2015-05-19"},
        {TimeStruct, "08 34 08 52", Value::Kind::Timestamp, "08:52:08.328"},
        {RGBAComponent, "52 08", Value::Kind::Record, "R8"},
        {RGBAComponent, "00 00", Value::Kind::Record, "0x000"},
        {ColorPrimary, "7d 00 40 e2", Value::Kind::Record, "32000,16610"},
        {J2KComponentSizing, "07 01 02", Value::Kind::Record, "7,1,2"},
        {Batch, "00 00 00 01 00 00 00 10 06 0e 2b 34 04 01 01 01 0d 01 03 01 02 06 01 00",
         Value::Kind::List, "[06.0e.2b.34.04.01.01.01.0d.01.03.01.02.06.01.00]", AUID},
    };
    for (const Case& c : cases) {
        const Bytes bytes = hex(c.bytes);
        const auto decoded = decodeValue(c.type, c.subType, bytes.data(), bytes.size());
        ASSERT_TRUE(decoded.value) << c.bytes << ": " << decoded.problem;
        EXPECT_EQ(decoded.value->kind, c.kind) << c.bytes;
        EXPECT_EQ(render(*decoded.value), c.text) << c.bytes;
        EXPECT_EQ(decoded.problem, "");
    }
}

TEST(ValueDecoder, BytesThatDoNotFitAreProblemsAndTypesWithoutDecodingRaw) {
    struct Bad {
        Palimo::Types::Identifier type;
        const char* bytes;
        const char* problem; // "" for raw without a problem
        Palimo::Types::Identifier subType = NoIdentifier;
    };
    const Bad cases[] = {
        {UInt16, "00 00 01", "3 bytes where UInt16 takes 2"},
        {UUID, "", "0 bytes where UUID takes 16"},
        {UTF16String, "00 41 00", "3 bytes, an odd number, for UTF-16 text"},
        {Timestamp, "07 df 0d 01 00 00 00 00", "timestamp field out of range (07df0d0100000000)"},
        {Timestamp, "07 df 01 01 00 00 00 fa", "timestamp field out of range (07df0101000000fa)"},
        {Array, "00 00 00", "3 bytes, too few for the 8-byte header of the Array of UInt8", UInt8},
        {Array, "00 00 00 03 00 00 00 01 01 02",
         "the header of the Array of UInt8 says 3 items of 1 bytes, 2 bytes follow it", UInt8},
        {Batch, "ff ff ff ff 00 00 00 00",
         "the header of the Batch of UInt8 says 4294967295 items of 0 bytes, 0 bytes follow it",
         UInt8},
        {Array, "00 00 00 01 00 00 00 04 00 00 00 01",
         "items of 4 bytes in the Array of UInt16, whose items take 2", UInt16},
        {Array, "00 00 00 01 00 00 00 08 07 df 0d 01 00 00 00 00",
         "item 0 of the Array of Timestamp: timestamp field out of range (07df0d0100000000)",
         Timestamp},
        {DataValue, "01 02", ""},
        {Opaque, "01", ""},
        {NoIdentifier, "01", ""},
        {Float64, "00 00 00 00", "4 bytes where Float64 takes 8"},
        {DateStruct, "07 df 0d 01", "date field out of range (07df0d01)"},
        {TimeStruct, "18 00 00 00", "time field out of range (18000000)"},
        {Stream, "01", ""},
        {static_cast<Palimo::Types::Identifier>(LastIdentifier + 1), "01", ""},
        {Array, "00 00 00 01 00 00 00 01 05", "", DataValue},
    };
    for (const Bad& c : cases) {
        const Bytes bytes = hex(c.bytes);
        const auto decoded = decodeValue(c.type, c.subType, bytes.data(), bytes.size());
        EXPECT_FALSE(decoded.value) << c.bytes;
        EXPECT_EQ(decoded.problem, c.problem) << c.bytes;
    }
}

} // namespace
