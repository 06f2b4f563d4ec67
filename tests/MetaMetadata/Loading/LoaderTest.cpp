#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "Pipeline.h"
#include "support/TestSupport.h"

#include <Palimo/Exceptions/CoreExceptions.h>

#include <array>
#include <vector>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using Palimo::Exceptions::InvalidULDesignator;
using Palimo::MetaMetadata::Dictionary;
using PalimoTest::N;
using PalimoTest::W;

// Cases of the failure catalogue: two that load, one refused.
std::string catalogued(const char* name) {
    return (PalimoTest::dataDir() / "failures" / name).string();
}
const std::string kElementsOnly = catalogued("nesting-at-the-limit-loads/main.xsd");
const std::string kWithSets = catalogued("default-boolean-word-reads-as-true.xsd");
const std::string kBadLabel = catalogued("designator-of-wrong-length.xsd");

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

TEST(Loader, BackslashesAreSlashesAndOnlyTheFirstLoadReads) {
    XSDDictionaryLoader loader;
    Dictionary dictionary;
    EXPECT_NO_THROW(load(
        loader, PalimoTest::dataDir().string() + "\\failures\\nesting-at-the-limit-loads\\main.xsd",
        dictionary));
    EXPECT_EQ(dictionary.metaElementCount(), 2u);
    // Spent: another schema, or a path that names nothing, is only recorded.
    EXPECT_NO_THROW(load(loader, kWithSets, dictionary));
    EXPECT_NO_THROW(load(loader, catalogued("missing.xsd"), dictionary));
    EXPECT_EQ(dictionary.metaElementCount(), 2u);
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 0u);
}

TEST(Loader, ANullPathIsRefusedAndLeavesTheLoaderFreshAFailedLoadSpendsIt) {
    XSDDictionaryLoader loader;
    Dictionary dictionary;
    EXPECT_THROW(loader.load(static_cast<const unsigned short*>(nullptr), dictionary),
                 Palimo::Exceptions::InvalidArgument);
    // The unsigned short form reads like the XMLCh form.
    const WString path = W(kBadLabel.c_str());
    std::vector<unsigned short> units(path.begin(), path.end());
    units.push_back(0);
    EXPECT_THROW(loader.load(units.data(), dictionary), InvalidULDesignator);
    // That failed load spent the loader: the next one reads nothing.
    const std::size_t kept = dictionary.metaElementCount();
    EXPECT_NO_THROW(load(loader, kElementsOnly, dictionary));
    EXPECT_EQ(dictionary.metaElementCount(), kept);
}

} // namespace
