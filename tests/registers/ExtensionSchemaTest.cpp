// The extraction of a file's own dictionary: the hand-made file that extends
// the example by two levels of classes and a property of every kind, written
// as a schema set (against golden files) that the loader loads, and that
// decodes the file without the file's dictionary exactly as the file's
// dictionary does.
#include <Palimo/Registers/ExtensionSchema.h>

#include "../mxf/ExampleDictionary.h"
#include "../mxf/FileDictionaryFiles.h"
#include "../mxf/ValueDescription.h"
#include "registers/RegisterFixtures.h"
#include "support/Describe.h"

#include <Palimo/MXF/FileReader.h>

using namespace MxfTest;
using namespace MxfTest::Own;
using namespace PalimoTest;

namespace {

namespace fs = std::filesystem;
using Palimo::MXF::DecodedFile;

DecodedFile read(const Bytes& bytes, const Palimo::MetaMetadata::Dictionary& dictionary,
                 const Palimo::TypeDefinitions::TypeDictionary& types,
                 Palimo::MXF::FileDefinitions definitions) {
    const Palimo::MXF::MemorySource source(bytes.data(), bytes.size());
    return Palimo::MXF::readMXFFile(source, dictionary, &types, Palimo::MXF::PartitionChoice::Best,
                                    definitions);
}

TEST(ExtensionSchema, EveryKindIsWrittenLoadsAndDecodesAsTheFilesDictionary) {
    const Bytes bytes = ownDictionaryFile();
    const DecodedFile withOwn =
        read(bytes, example().dictionary, example().types, Palimo::MXF::FileDefinitions::Use);
    ASSERT_TRUE(withOwn.fileDictionary);

    const TempDir dir;
    const Palimo::Registers::ExtensionReport report = Palimo::Registers::writeExtensionSchema(
        *withOwn.fileDictionary, example().dictionary, &example().types, exampleTop(), dir.path(),
        "every-kind.mxf");
    EXPECT_EQ(report.addedSets, 2u);
    EXPECT_EQ(report.extendedSets, 1u);
    EXPECT_EQ(report.elements, 17u);
    EXPECT_EQ(report.typeDefinitions, 15u);
    const fs::path golden = dataDir() / "registers" / "every-kind-extension";
    for (const char* file :
         {"MXFDictionary.xsd", "MXFSets.xsd", "MXFElements.xsd", "MXFTypeDefinitions.xsd"})
        expectMatchesGolden(
            replaceAll(readText(dir.path() / file), report.dictionaryLocation, "DICTIONARY"),
            golden / file);

    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
    Palimo::TypeDefinitions::loadDictionary((dir.path() / "MXFDictionary.xsd").string(), {},
                                            dictionary, types);
    // The example and what the file adds, and nothing twice.
    EXPECT_EQ(dictionary.metaElementCount(), example().dictionary.metaElementCount() + 17);
    EXPECT_EQ(dictionary.metaMetadataSetCount(), example().dictionary.metaMetadataSetCount() + 2);
    EXPECT_EQ(types.typeCount(), example().types.typeCount() + 15);
    // The written schema holds every definition; the example, which it extends, none.
    EXPECT_EQ(Palimo::Registers::definitionsNotLoaded(*withOwn.fileDictionary, dictionary, types),
              std::vector<std::string>());
    const std::vector<std::string> lacking = Palimo::Registers::definitionsNotLoaded(
        *withOwn.fileDictionary, example().dictionary, example().types);
    // The member added to a set of the example, the 2 sets, 17 elements and 15 types.
    ASSERT_EQ(lacking.size(), 1u + 2u + 17u + 15u);
    EXPECT_EQ(lacking.front(),
              "member 06.0e.2b.34.01.01.01.01.0e.7e.02.01.00.00.00.00 of set SubDescriptor");
    EXPECT_EQ(lacking[1], "set CameraSubDescriptor");
    EXPECT_EQ(lacking[3], "element Note");
    EXPECT_EQ(lacking.back(), "type definition CameraWeakReference");

    const DecodedFile withSchema =
        read(bytes, dictionary, types, Palimo::MXF::FileDefinitions::Ignore);
    EXPECT_EQ(describeDecoding(withSchema), describeDecoding(withOwn));
    EXPECT_NE(describeDecoding(withOwn).find("  Mount WeakReference CameraWeakReference AUID label "
                                             "06.0e.2b.34.04.01.01.01.0e.7e.04.01.00.00.00.00 -> "),
              std::string::npos)
        << describeDecoding(withOwn);
    // Read with the schema and its own dictionary, the file adds nothing.
    const DecodedFile both = read(bytes, dictionary, types, Palimo::MXF::FileDefinitions::Use);
    ASSERT_TRUE(both.fileDictionary);
    EXPECT_TRUE(both.fileDictionary->classes().empty());
    EXPECT_TRUE(both.fileDictionary->properties().empty());
    EXPECT_EQ(both.fileDictionary->types().typeCount(), 0u);
}

} // namespace
