#include "MetaMetadata/Loading/LoaderState.h"
#include "MetaMetadata/Loading/Pipeline.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"

#include <array>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using Palimo::Exceptions::InvalidULDesignator;
using Palimo::MetaMetadata::Dictionary;
using PalimoTest::N;
using PalimoTest::schema;
using PalimoTest::TempDir;
using PalimoTest::W;

const std::string kLabel = PalimoTest::setLabel(0x2f);

/// A set reached through a reference, with a label: a load registers its key.
std::string labelledSet(const std::string& label) {
    return schema(R"(<xs:element name="Ref1" type="ff:Ref" substitutionGroup="ff:S"/>
      <xs:complexType name="ST"/>)" +
                  PalimoTest::setDeclaration("S", "ST", label));
}

void load(XSDDictionaryLoader& loader, const std::string& path, Dictionary& dictionary) {
    loader.load(W(path.c_str()).c_str(), dictionary);
}

TEST(SchemaPath, SplitsAtTheLastSlash) {
    const std::array<const char*, 3> cases[] = {
        {"C:/dict/main.xsd", "C:/dict", "main.xsd"},
        {"a/b/c.xsd", "a/b", "c.xsd"},
        {"main.xsd", ".", "main.xsd"},
        {"", ".", ""},
        {"/main.xsd", "", "main.xsd"},
        {"dict/", "dict", ""},
    };
    for (const auto& [path, directory, file] : cases) {
        WString split = W(path);
        WString into = W("stale");
        splitSchemaPath(split, into);
        EXPECT_EQ(N(into), directory) << path;
        EXPECT_EQ(N(split), file) << path;
    }
}

TEST(Pipeline, ASpentLoaderOnlyRecordsTheLocation) {
    LoaderState state;
    state.pendingLoad = false;
    Dictionary dictionary;
    runPipeline(state, W("/no/such/dir"), W("missing.xsd"), dictionary);
    EXPECT_EQ(N(state.schemaDirectory), "/no/such/dir");
    EXPECT_EQ(N(state.schemaFileName), "missing.xsd");
    EXPECT_EQ(state.schema, nullptr);
}

TEST(Loader, BackslashesAreSlashesAndOnlyTheFirstLoadReads) {
    TempDir dir;
    dir.write("sub/main.xsd", labelledSet(kLabel));
    const std::string other =
        dir.write("other.xsd", labelledSet(PalimoTest::setLabel(0x30))).string();
    XSDDictionaryLoader loader;
    Dictionary dictionary;
    EXPECT_NO_THROW(load(loader, dir.path().string() + "\\sub\\main.xsd", dictionary));
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 1u);
    // Spent: another schema, or a path that names nothing, is only recorded.
    EXPECT_NO_THROW(load(loader, other, dictionary));
    EXPECT_NO_THROW(load(loader, dir.path().string() + "/missing.xsd", dictionary));
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 1u);
    EXPECT_EQ(dictionary.metaElementCount(), 0u);
}

TEST(Loader, ALoaderIsSpentAfterAFailedLoad) {
    TempDir dir;
    dir.write("bad.xsd", labelledSet("06.0e"));
    dir.write("good.xsd", schema(""));
    XSDDictionaryLoader loader;
    Dictionary dictionary;
    EXPECT_THROWS_EXACTLY(InvalidULDesignator,
                          load(loader, (dir.path() / "bad.xsd").string(), dictionary), "06.0e");
    EXPECT_NO_THROW(load(loader, (dir.path() / "good.xsd").string(), dictionary));
}

TEST(Loader, SwitchesAreStoredAndAbstractGroupsChangesNothing) {
    TempDir dir;
    const std::string path = dir.write("main.xsd", labelledSet(kLabel)).string();
    Dictionary plain;
    Dictionary switched;
    XSDDictionaryLoader first;
    load(first, path, plain);
    XSDDictionaryLoader second;
    second.loadAbstractGroups(true);
    second.loadMetaElementDocumentation(true);
    second.loadMetaElementLengthDescription(true);
    second.loadAbstractGroups(false);
    second.loadAbstractGroups(true);
    load(second, path, switched);
    second.loadMetaElementDocumentation(false); // after the load: no effect, no failure
    EXPECT_EQ(plain.metaMetadataSetCount(), 1u);
    EXPECT_EQ(switched.metaElementCount(), plain.metaElementCount());
    EXPECT_EQ(switched.metaMetadataSetCount(), plain.metaMetadataSetCount());
}

TEST(Loader, ANullPathIsRefusedAndLeavesTheLoaderFresh) {
    XSDDictionaryLoader loader;
    Dictionary dictionary;
    EXPECT_THROW(loader.load(static_cast<const unsigned short*>(nullptr), dictionary),
                 Palimo::Exceptions::InvalidArgument);
    // The unsigned short form reads like the XMLCh form.
    TempDir dir;
    const WString path = W(dir.write("bad.xsd", labelledSet("06.0e")).string().c_str());
    std::vector<unsigned short> units(path.begin(), path.end());
    units.push_back(0);
    EXPECT_THROW(loader.load(units.data(), dictionary), InvalidULDesignator);
}

} // namespace
