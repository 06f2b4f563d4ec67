// Imports of the small registers: the schema files and the report against
// golden files beside the registers, and the loaded dictionary against a
// describe() golden. To write them again: PALIMO_UPDATE_GOLDEN=1.
#include <Palimo/Registers/Importer.h>

#include "registers/RegisterFixtures.h"
#include "support/Describe.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

using namespace Palimo;
using namespace Palimo::Registers;
using namespace PalimoTest;

namespace {

const char* const kSchemaFiles[] = {"MXFDictionary.xsd", "MXFTypes.xsd", "MXFSets.xsd",
                                    "MXFElements.xsd", "MXFTypeDefinitions.xsd"};

std::string loadAndDescribe(const std::filesystem::path& directory) {
    MetaMetadata::Dictionary dictionary;
    MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(W((directory / kTopFileName).string().c_str()).c_str(), dictionary);
    return describe(dictionary);
}

} // namespace

TEST(Import, SmallRegistersGiveTheGoldenSchemaReportAndDictionary) {
    const TempDir dir;
    const ImportReport report = importRegisters(smallRegisters(), dir.path());
    const std::filesystem::path golden = smallImportGolden();
    for (const char* file : kSchemaFiles)
        expectMatchesGolden(readText(dir.path() / file), golden / file);
    std::ostringstream text;
    writeReport(report, text);
    for (const std::string& note : report.notes)
        text << "note: " << note << '\n';
    expectMatchesGolden(replaceAll(text.str(), dir.path().string(), "OUT"), golden / "report.txt");
    expectMatchesGolden(loadAndDescribe(dir.path()), golden / "dictionary.txt");
}

// The loader reads none of the type definitions, the links to them and the
// unique identifiers: the dictionary is the one of the schema without them.
TEST(Import, TypeDefinitionsChangeNothingTheLoaderBuilds) {
    const TempDir dir;
    importRegisters(smallRegisters(), dir.path() / "with");
    importRegisters(smallRegisters(), dir.path() / "without");
    removeTypeDefinitions(dir.path() / "without");
    ASSERT_EQ(readText(dir.path() / "without" / "MXFElements.xsd").find("Type Definition"),
              std::string::npos);
    EXPECT_EQ(loadAndDescribe(dir.path() / "with"), loadAndDescribe(dir.path() / "without"));
}

TEST(Import, WithoutLabelsLabelValuesStayUnnamedAndTheSameRegistersGiveTheSameBytes) {
    const TempDir dir;
    const std::filesystem::path registers = copySmallRegisters(dir);
    std::filesystem::remove(registers / "Labels.xml");
    const ImportReport first = importRegisters(registers, dir.path() / "first");
    EXPECT_FALSE(first.labelsPresent);
    EXPECT_FALSE(first.labelNames.has_value());
    // No label names, and the extendible enumeration's values are named by
    // no facet: it lists none.
    const std::string types = readText(dir.path() / "first" / "MXFTypeDefinitions.xsd");
    EXPECT_EQ(types.find("Label Names"), std::string::npos);
    EXPECT_NE(types.find("<xs:simpleType name=\"WidgetKindType\">"), std::string::npos);
    EXPECT_EQ(types.find("urn:smpte:ul:060e2b34.0401010e.0e550102"), std::string::npos);
    EXPECT_NE(
        readText(dir.path() / "first" / "MXFElements.xsd")
            .find("<xs:enumeration value=\"06.0e.2b.34.04.01.01.0e.0e.55.01.02.01.00.00.00\"/>"),
        std::string::npos);
    importRegisters(registers, dir.path() / "second");
    for (const char* file : kSchemaFiles)
        EXPECT_EQ(readText(dir.path() / "first" / file), readText(dir.path() / "second" / file))
            << file;
    EXPECT_NO_THROW(loadAndDescribe(dir.path() / "first"));
}
