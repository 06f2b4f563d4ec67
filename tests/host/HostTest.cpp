// A host of the loader library: only the public headers and the shared
// libraries. Every failure is caught by its class across the library boundary.
#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include "support/TestSupport.h"

#include <memory>

namespace {

using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::InvalidULDesignator;
using Palimo::Exceptions::ParseError;
using Palimo::MetaMetadata::Dictionary;
using Palimo::MetaMetadata::Loading::XSDDictionaryLoader;
using PalimoTest::N;
using PalimoTest::W;

// Loads a case of the failure catalogue with a loader on the heap.
void load(const char* failure, Dictionary& dictionary) {
    const std::string path = (PalimoTest::dataDir() / "failures" / failure).string();
    auto loader = std::make_unique<XSDDictionaryLoader>();
    loader->load(W(path.c_str()).c_str(), dictionary);
}

template <class E>
void expectCaught(const char* failure, int code, const std::string& messageStart) {
    SCOPED_TRACE(failure);
    try {
        Dictionary dictionary;
        load(failure, dictionary);
        ADD_FAILURE() << "nothing thrown";
    } catch (const E& e) {
        EXPECT_EQ(e.exceptionCode(), code);
        EXPECT_EQ(N(e.message()).rfind(messageStart, 0), 0u) << e.what();
    }
}

TEST(Host, LoadsASchemaFileAndCatchesEachFailureByItsClass) {
    Dictionary dictionary;
    EXPECT_NO_THROW(load("nesting-at-the-limit-loads/main.xsd", dictionary));
    EXPECT_EQ(dictionary.metaElementCount(), 2u);
    expectCaught<ParseError>("apostrophe-in-a-set-type.xsd", 33, "XQillaException:: ");
    expectCaught<InvalidULDesignator>("designator-of-wrong-length.xsd", 25, "06.0e.2b.34");
    expectCaught<InvalidMetaElementDeclaration>(
        "no-designator.xsd", 20, "MetaElement Declaration with no UL Designator in Bad");
}

TEST(HostAllocation, LoadersUseTheirClassAllocationOperators) {
    XSDDictionaryLoader* loaders = new XSDDictionaryLoader[2];
    delete[] loaders;
    alignas(XSDDictionaryLoader) unsigned char storage[sizeof(XSDDictionaryLoader)];
    XSDDictionaryLoader* placed = new (storage) XSDDictionaryLoader;
    placed->~XSDDictionaryLoader();
}

} // namespace
