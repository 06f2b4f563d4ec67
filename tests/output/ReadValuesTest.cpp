// The text and JSON of mxfdict read for values decoded by type definition:
// a file with an item of every kind (tests/mxf/TypedFiles.h) read with the
// hand-built type definitions, against golden files (PALIMO_UPDATE_GOLDEN=1
// writes them again; the tool's tests check the JSON golden against the
// output schema); and the text forms that the files do not show.
#include "support/Describe.h"
#include "support/TestSupport.h"

#include "mxf/TypeFixture.h"
#include "mxf/TypedFiles.h"

#include <Palimo/MXF/FileReader.h>
#include <Palimo/Output/ReadOutput.h>
#include <Palimo/Output/ValueJson.h>
#include <Palimo/Output/ValueText.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace {

using namespace MxfTest;
using Palimo::MXF::Value;

TEST(ReadValues, EveryKindAsTheGoldenFilesShowIt) {
    const Bytes bytes = everyKindFile();
    const Palimo::MXF::MemorySource source(bytes.data(), bytes.size());
    const auto file = Palimo::MXF::readMXFFile(source, typedFixtureDictionary(), &fixtureTypes());
    std::ostringstream text;
    Palimo::Output::printRead(text, "every-kind.mxf", file, true);
    PalimoTest::expectMatchesGolden(text.str(), PalimoTest::dataDir() / "mxf" /
                                                    "every-kind.read-tree.expected");
    std::ostringstream json;
    Palimo::Output::writeReadJson(json, "every-kind.mxf", file, false, false);
    PalimoTest::expectMatchesGolden(json.str(), PalimoTest::dataDir() / "mxf" /
                                                    "every-kind.read-json.expected");
}

// One value in both forms, the JSON as the streaming writer writes it on one
// line.
void expectForms(Value::Data data, const std::string& text, const std::string& json) {
    const Value value{nullptr, std::move(data)};
    EXPECT_EQ(Palimo::Output::valueText(value), text);
    std::ostringstream streamed;
    Palimo::Output::JsonStreamWriter writer(streamed,
                                            Palimo::Output::JsonStreamWriter::Layout::OneLine);
    Palimo::Output::describeValue(writer, value);
    writer.finish();
    EXPECT_EQ(streamed.str(), json + "\n") << text;
}

TEST(ReadValues, TextFormsOfNumbersAndTexts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    expectForms(0.1, "0.1", "0.1");
    expectForms(double(0.1f), "0.1", "0.10000000149011612"); // a Float32's own form
    expectForms(-2.5e-7, "-2.5e-07", "-2.5e-07");
    expectForms(nan, "NaN", "\"NaN\"");
    expectForms(-infinity, "-Infinity", "\"-Infinity\"");
    expectForms(std::int64_t{-3}, "-3", "-3");
    expectForms(true, "true", "true");
    expectForms(Palimo::MXF::Text{"a\"b\\c\nd\te\x01\xc3\xa9"},
                "\"a\\\"b\\\\c\\nd\\te\\u0001\xc3\xa9\"", "\"a\\\"b\\\\c\\nd\\te\\u0001\xc3\xa9\"");
    expectForms(Palimo::MXF::Date{-1, 1, 2}, "-0001-01-02", "\"-0001-01-02\"");
    expectForms(Palimo::MXF::Time{23, 59, 58, 249}, "23:59:58.996", "\"23:59:58.996\"");
    expectForms(Palimo::MXF::Enumerated{7, nullptr}, "7 (not named by the dictionary)",
                "{\"value\":7,\"symbol\":null}");
    expectForms(Palimo::MXF::Bytes{{0xde, 0xad}}, "bytes dead", "\"dead\"");
    Palimo::MXF::Indirect unknown;
    unknown.typeLabel =
        *Palimo::Identifiers::Label::parse("06.0e.2b.34.01.04.01.01.7f.00.00.00.00.00.00.00");
    unknown.littleEndian = true;
    unknown.value.push_back(Value{nullptr, Palimo::MXF::Bytes{{1}}});
    expectForms(unknown, "06.0e.2b.34.01.04.01.01.7f.00.00.00.00.00.00.00 bytes 01",
                "{\"type\":null,\"typeLabel\":\"06.0e.2b.34.01.04.01.01.7f.00.00.00.00.00.00.00\","
                "\"value\":\"01\"}");
}

} // namespace
