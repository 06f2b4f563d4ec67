// The type definitions that the import writes and that the example dictionary
// carries keep the form of docs/type-definitions.md, read as a reader of them
// reads it; the checker itself finds breaches of that form.
#include <Palimo/Registers/Importer.h>

#include "registers/RegisterFixtures.h"
#include "registers/TypeDefinitionsContract.h"
#include "support/TestSupport.h"

#include <cstdlib>

using namespace Palimo::Registers;
using namespace PalimoTest;

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

void expectCountsOf(const ImportReport& report, const TypeDefinitionCounts& counts) {
    EXPECT_EQ(counts.types, report.typeDefinitions);
    EXPECT_EQ(counts.typedElements, report.typedElements);
    EXPECT_EQ(counts.typedElements + counts.untypedElements, report.elements);
    EXPECT_EQ(counts.uniqueIdentifiers, report.uniqueIdentifiers);
    EXPECT_EQ(counts.labelNames, report.labelNames.value_or(0));
}

} // namespace

TEST(TypeDefinitionsContract, TheImportOfTheSmallRegistersKeepsTheForm) {
    const TempDir dir;
    const ImportReport report = importRegisters(smallRegisters(), dir.path());
    TypeDefinitionCounts counts;
    EXPECT_EQ(joined(typeDefinitionBreaches(dir.path(), counts)), "");
    expectCountsOf(report, counts);
    EXPECT_EQ(counts.untypedElements, 2u); // Blob has no type, Sample's is left out
}

// Every element of the example names its type; PackageID and LinkedPackageID
// identify their sets; the labels of the test files have names.
TEST(TypeDefinitionsContract, TheExampleDictionaryKeepsTheForm) {
    TypeDefinitionCounts counts;
    EXPECT_EQ(joined(typeDefinitionBreaches(dataDir() / ".." / ".." / "examples" / "mxf-dictionary",
                                            counts)),
              "");
    EXPECT_EQ(counts.untypedElements, 0u);
    EXPECT_EQ(counts.typedElements, 162u);
    EXPECT_EQ(counts.uniqueIdentifiers, 2u);
    EXPECT_EQ(counts.labelNames, 14u);
    EXPECT_GT(counts.types, 60u);
}

TEST(TypeDefinitionsContract, AnImportOfARegisterSnapshotKeepsTheForm) {
    const std::filesystem::path snapshot = PalimoTest::registersSnapshot();
    if (!std::filesystem::exists(snapshot / "Elements.xml"))
        GTEST_SKIP() << "no register snapshot at " << snapshot;
    const TempDir dir;
    const ImportReport report = importRegisters(snapshot, dir.path());
    TypeDefinitionCounts counts;
    EXPECT_EQ(joined(typeDefinitionBreaches(dir.path(), counts)), "");
    expectCountsOf(report, counts);
}

TEST(TypeDefinitionsContract, TheCheckerFindsBreaches) {
    struct Breach {
        const char* file;
        const char* from;
        const char* to;
        const char* found;
    };
    const Breach breaches[] = {
        {"MXFTypeDefinitions.xsd", "<xs:appinfo source=\"Element Count\">4</xs:appinfo>",
         "<xs:appinfo source=\"Element Count\">5</xs:appinfo>",
         "type ToyLayout's item element occurs 4 to 4\n"},
        {"MXFTypeDefinitions.xsd", "<xs:element name=\"Numerator\" type=\"Int32\"/>",
         "<xs:element name=\"Numerator\" type=\"Int31\"/>",
         "type Rational names type Int31, which is not defined\n"},
        {"MXFTypeDefinitions.xsd", "urn:smpte:ul:060e2b34.0401010e.0e550102.01000000 KindSmall",
         "06.0e.2b.34.04.01.01.0e.0e.55.01.02.01.00.00.00 KindSmall",
         "the label names line \"06.0e.2b.34.04.01.01.0e.0e.55.01.02.01.00.00.00 KindSmall\" is "
         "no urn and symbol\n"},
        {"MXFTypeDefinitions.xsd", "<xs:appinfo source=\"Size\">1</xs:appinfo>", "",
         "type UInt8 has the size \n"},
        {"MXFTypeDefinitions.xsd", "<xs:appinfo source=\"Signed\">true</xs:appinfo>",
         "<xs:appinfo source=\"Signed\">yes</xs:appinfo>", "type Int32 has no \"Signed\"\n"},
        {"MXFElements.xsd", "<xs:appinfo source=\"Type Definition\">Rational</xs:appinfo>",
         "<xs:appinfo source=\"Type Definition\">Ratio</xs:appinfo>",
         "element AspectRatio names type Ratio, which is not defined\n"},
        {"MXFSets.xsd", "<xs:appinfo source=\"Unique Identifier\">true</xs:appinfo>",
         "<xs:appinfo source=\"Unique Identifier\">1</xs:appinfo>",
         "member ff:PartID has \"Unique Identifier\" 1\n"},
    };
    for (const Breach& breach : breaches) {
        SCOPED_TRACE(breach.from);
        const TempDir dir;
        importRegisters(smallRegisters(), dir.path());
        replaceFirst(dir.path() / breach.file, breach.from, breach.to);
        TypeDefinitionCounts counts;
        EXPECT_EQ(joined(typeDefinitionBreaches(dir.path(), counts)), breach.found);
    }
}
