// Item values decoded from bytes, one value a line: by the flat data types of
// the core (data/mxf/values.expected) and by type definitions
// (data/mxf/typed-values.expected, with the types of typed-fixture.types).
// A line is "TYPE BYTES => RESULT": the decoded value (ValueDescription.h),
// "problem: ..." for bytes that do not fit the type, "note: ..." for remarks,
// "raw" for a flat type that is not decoded. The tests decode the left sides
// and compare whole files (PALIMO_UPDATE_GOLDEN=1 writes the right sides
// again).
#include "MxfBytes.h"
#include "TypeFixture.h"
#include "ValueDescription.h"
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/ValueDecoder.h>

#include <cctype>
#include <fstream>
#include <functional>

namespace {

using namespace MxfTest;
using namespace Palimo::Types::Identifiers;
using Palimo::MXF::DecodedValue;
using Palimo::MXF::decodeValue;

Identifier type(const std::string& name) {
    if (std::isdigit(static_cast<unsigned char>(name[0])))
        return static_cast<Identifier>(std::stoi(name));
    return stringToIdentifier(PalimoTest::W(name.c_str()));
}

std::string result(const DecodedValue& decoded) {
    std::string text;
    if (decoded.value)
        text += " => " + describe(*decoded.value);
    if (!decoded.problem.empty())
        text += (decoded.value ? "; problem: " : " => problem: ") + decoded.problem;
    for (const std::string& note : decoded.notes)
        text += "; note: " + note;
    if (!decoded.value && decoded.problem.empty())
        text += " => raw";
    return text;
}

// Decodes the left side of every line of the golden file `name` with
// `decode(type, bytes)` and compares the file with the results.
void checkGolden(const std::string& name,
                 const std::function<DecodedValue(const std::string&, const Bytes&)>& decode) {
    const auto path = PalimoTest::dataDir() / "mxf" / name;
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    std::string line, actual;
    while (std::getline(in, line)) {
        const bool comment = line.empty() || line[0] == '#';
        const std::string input = comment ? line : line.substr(0, line.find(" =>"));
        actual += input;
        if (!comment) {
            const std::string types = input.substr(0, input.find(' '));
            actual += result(decode(types, hex(input.substr(types.size()))));
        }
        actual += '\n';
    }
    PalimoTest::expectMatchesGolden(actual, path);
}

TEST(ValueDecoder, DecodesByFlatTypeAsTheGoldenTableSays) {
    checkGolden("values.expected", [](const std::string& types, const Bytes& bytes) {
        const auto slash = types.find('/');
        return decodeValue(type(types.substr(0, slash)),
                           slash == std::string::npos ? NoIdentifier
                                                      : type(types.substr(slash + 1)),
                           bytes.data(), bytes.size(), &fixtureTypes());
    });
}

TEST(ValueDecoder, DecodesByDefinitionAsTheGoldenTableSays) {
    checkGolden("typed-values.expected", [](const std::string& symbol, const Bytes& bytes) {
        return decodeValue(fixtureType(symbol), fixtureTypes(), bytes.data(), bytes.size());
    });
}

// What the golden lines do not show: every value names the definition it
// was decoded by, members and items theirs.
TEST(ValueDecoder, ValuesKeepTheirDefinitions) {
    const auto decoded =
        decodeValue(fixtureType("RGBALayout"), fixtureTypes(),
                    hex("52 08 47 08 42 08 00 00 00 00 00 00 00 00 00 00").data(), 16);
    ASSERT_TRUE(decoded.value);
    EXPECT_EQ(decoded.value->type, &fixtureType("RGBALayout"));
    const auto& items = std::get<Palimo::MXF::List>(decoded.value->data).items;
    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[0].type, &fixtureType("RGBAComponent"));
    const auto& fields = std::get<Palimo::MXF::Record>(items[0].data).fields;
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].member, &fixtureType("RGBAComponent").members[0]);
    EXPECT_EQ(fields[0].value.type, &fixtureType("RGBAComponentKind"));
    EXPECT_EQ(std::get<Palimo::MXF::Enumerated>(fields[0].value.data).known,
              &fixtureType("RGBAComponentKind").values[1]);

    // A rename keeps its own name; its values decode by what it renames.
    const auto umid = decodeValue(fixtureType("UMID"), fixtureTypes(), Bytes(32, 1).data(), 32);
    ASSERT_TRUE(umid.value);
    EXPECT_EQ(umid.value->type, &fixtureType("UMID"));
    EXPECT_TRUE(std::holds_alternative<Palimo::Identifiers::UMID>(umid.value->data));

    // The type of an Indirect value is the one its tag names.
    const auto indirect = decodeValue(fixtureType("Indirect"), fixtureTypes(),
                                      hex("42 01 01 03 00 00 00 00 00 06 0e 2b 34 01 04 01 01 "
                                          "00 00 00 07")
                                          .data(),
                                      21);
    ASSERT_TRUE(indirect.value);
    const auto& tagged = std::get<Palimo::MXF::Indirect>(indirect.value->data);
    EXPECT_EQ(tagged.type, &fixtureType("UInt32"));
    ASSERT_EQ(tagged.value.size(), 1u);
    EXPECT_EQ(tagged.value[0].type, &fixtureType("UInt32"));
}

// An empty value of every type, as an empty vector's data() gives it (a null
// pointer): decoded or refused, never read (the sanitizers watch).
TEST(ValueDecoder, EmptyValuesOfEveryType) {
    for (int id = 0; id <= LastIdentifier; ++id) {
        const auto type = static_cast<Identifier>(id);
        const DecodedValue decoded = decodeValue(type, UInt8, nullptr, 0, &fixtureTypes());
        // Strings may be empty; values of other types take bytes.
        const bool text = type == ISO7String || type == UTF16String || type == UTF8String;
        EXPECT_EQ(decoded.value.has_value(), text) << id;
    }
    for (const auto& definition : fixtureTypes().types()) {
        const DecodedValue decoded = decodeValue(definition, fixtureTypes(), nullptr, 0);
        EXPECT_TRUE(decoded.value || !decoded.problem.empty()) << definition.symbol;
    }
}

// Indirect values inside Indirect values: deep nesting ends in a problem,
// not in a deep recursion.
TEST(ValueDecoder, NestingIsBounded) {
    // The tag of the Indirect type, stored as an Indirect value stores it.
    const Bytes indirectTag = hex("42 04 10 03 00 00 00 00 00 06 0e 2b 34 01 04 01 01");
    Bytes bytes = hex("01");
    const Bytes uint8Tag = hex("42 01 01 01 00 00 00 00 00 06 0e 2b 34 01 04 01 01");
    bytes = uint8Tag + bytes;
    for (int depth = 0; depth < 40; ++depth)
        bytes = indirectTag + bytes;
    const auto decoded =
        decodeValue(fixtureType("Indirect"), fixtureTypes(), bytes.data(), bytes.size());
    EXPECT_FALSE(decoded.value);
    EXPECT_NE(decoded.problem.find("nested more than 32 deep"), std::string::npos)
        << decoded.problem;
}

} // namespace
