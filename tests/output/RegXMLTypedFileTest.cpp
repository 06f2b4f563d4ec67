// RegXML of the reader's hand-made typed files (tests/mxf/TypedFiles.h, read
// with data/mxf/typed-fixture.*), rooted at their first set, against golden
// files (PALIMO_UPDATE_GOLDEN=1 writes them again): every kind of value, and
// what references and unknown items become; and the roots refused.
#include "XmlCanonical.h"
#include "support/Describe.h"

#include "mxf/TypeFixture.h"
#include "mxf/TypedFiles.h"

#include <Palimo/MXF/FileReader.h>
#include <Palimo/Output/OutputError.h>
#include <Palimo/Output/RegXML.h>

#include <sstream>

namespace {

using namespace MxfTest;
using Palimo::Output::RegXMLOptions;

Palimo::MXF::DecodedFile read(const Bytes& bytes) {
    const Palimo::MXF::MemorySource source(bytes.data(), bytes.size());
    return Palimo::MXF::readMXFFile(source, typedFixtureDictionary(), &fixtureTypes());
}

std::string regxml(const Palimo::MXF::DecodedFile& file, RegXMLOptions options) {
    std::ostringstream out;
    Palimo::Output::writeRegXML(out, file, fixtureTypes(), options);
    return out.str();
}

void expectGolden(const std::string& document, const char* name) {
    PalimoTest::expectMatchesGolden(document, PalimoTest::dataDir() / "output" / name);
    EXPECT_NO_THROW(OutputTest::canonicalLines(document)) << name;
}

TEST(RegXMLTypedFile, EveryKindOfValue) {
    RegXMLOptions options;
    options.leadingComments = {"From: every-kind.mxf", "a -- b"};
    options.root = 0;
    expectGolden(regxml(read(everyKindFile()), options), "every-kind.regxml.expected");
}

// Thing 1 owns Thing 2 twice, a set that is not there, a set the dictionary
// does not know and itself; Thing 2 owns Thing 1 (a cycle). Thing 1 refers
// weakly to a package that is not there and holds an enumeration value that
// is not named, a text with control characters and one with a NUL, an item
// the dictionary does not know and one whose tag the primer lacks.
TEST(RegXMLTypedFile, ReferencesAndUnknownItems) {
    const char kUnknownKey[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7e.00";
    const Bytes metadata =
        primer({{0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"},
                {FrameLayout, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.01.06"},
                {PackageRef, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.01.08"},
                {Title, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.01.0a"},
                {Children, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.01.0d"},
                {0xffff, "ae.58.78.e0.41.45.41.79.ff.dd.41.e1.ae.2c.49.c6"}}) +
        set(kThing, 1,
            {{Children, array({uid(2), uid(2), uid(9), uid(8), uid(1)}, 16)},
             {FrameLayout, hex("07")},
             {PackageRef, uid(7)},
             {0xffff, hex("00 01 02")},
             {0x7f12, hex("ff")},
             {Title, utf16("$1\r\x01") + Bytes{0xd8, 0x00, 0xdc, 0x00}}}) +
        set(kThing, 2,
            {{Children, array({uid(1)}, 16)}, {Title, utf16("cut") + Bytes{0, 0} + utf16("off")}}) +
        localSet(kUnknownKey, {{0x3c0a, uid(8)}});
    RegXMLOptions options;
    options.root = 0;
    expectGolden(regxml(read(headerFile(metadata)), options), "references.regxml.expected");
}

TEST(RegXMLTypedFile, RefusesRootsItCannotWrite) {
    using Palimo::Output::RegXMLError;
    const auto file = read(everyKindFile());
    std::ostringstream out;
    EXPECT_THROWS_EXACTLY(RegXMLError, Palimo::Output::writeRegXML(out, file, fixtureTypes()),
                          "the header metadata has no Preface set");
    RegXMLOptions options;
    options.root = file.sets.size();
    EXPECT_THROWS_EXACTLY(RegXMLError,
                          Palimo::Output::writeRegXML(out, file, fixtureTypes(), options),
                          "no set 5 to write as the root: the header metadata has 5 sets");
    // A Preface the dictionary does not know.
    const auto withPreface = read(
        typedFile(localSet("06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00", {{0x3c0a, uid(1)}})));
    EXPECT_THROWS_EXACTLY(RegXMLError,
                          Palimo::Output::writeRegXML(out, withPreface, fixtureTypes()),
                          "the set at byte 478 (key 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f."
                          "00) is not in the dictionary: it cannot be the root");
    EXPECT_EQ(out.str(), "");
}

} // namespace
