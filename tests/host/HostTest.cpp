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
using PalimoTest::schema;
using PalimoTest::TempDir;
using PalimoTest::W;

const char kAnnotation[] = "<xs:annotation><xs:appinfo source=\"RP210\">x</xs:appinfo>";

class Host : public ::testing::Test {
protected:
    void load(const std::string& body) {
        const std::string path = dir_.write("main.xsd", schema(body)).string();
        auto loader = std::make_unique<XSDDictionaryLoader>();
        loader->load(W(path.c_str()).c_str(), dictionary_);
    }

    Dictionary dictionary_;

private:
    TempDir dir_;
};

TEST_F(Host, LoadsASchemaFile) {
    EXPECT_NO_THROW(load("<xs:element name=\"Plain\"/>"));
    EXPECT_EQ(dictionary_.metaMetadataSetCount(), 0u);
}

TEST_F(Host, CatchesParseError) {
    try {
        load("<xs:element name=\"R\" type=\"ff:Ref\" substitutionGroup=\"a'b\"/>");
        ADD_FAILURE() << "nothing thrown";
    } catch (const ParseError& e) {
        EXPECT_EQ(e.exceptionCode(), 33);
        EXPECT_EQ(N(e.message()).rfind("XQillaException:: ", 0), 0u) << e.what();
    }
}

TEST_F(Host, CatchesInvalidULDesignator) {
    try {
        load("<xs:element name=\"R\" type=\"ff:Ref\" substitutionGroup=\"S\"/>"
             "<xs:element name=\"S\"><xs:annotation><xs:appinfo source=\"UL Designator\">"
             "06.0e</xs:appinfo></xs:annotation></xs:element>");
        ADD_FAILURE() << "nothing thrown";
    } catch (const InvalidULDesignator& e) {
        EXPECT_EQ(e.exceptionCode(), 25);
        EXPECT_EQ(N(e.message()), "06.0e");
    }
}

TEST_F(Host, CatchesInvalidMetaElementDeclaration) {
    try {
        load(std::string("<xs:element name=\"NoLabel\" type=\"UInt8\">") + kAnnotation +
             "</xs:annotation></xs:element>");
        ADD_FAILURE() << "nothing thrown";
    } catch (const InvalidMetaElementDeclaration& e) {
        EXPECT_EQ(e.exceptionCode(), 20);
        EXPECT_EQ(N(e.message()), "MetaElement Declaration with no UL Designator in NoLabel");
    }
}

TEST(HostAllocation, LoadersUseTheirClassAllocationOperators) {
    XSDDictionaryLoader* loaders = new XSDDictionaryLoader[2];
    delete[] loaders;
    alignas(XSDDictionaryLoader) unsigned char storage[sizeof(XSDDictionaryLoader)];
    XSDDictionaryLoader* placed = new (storage) XSDDictionaryLoader;
    placed->~XSDDictionaryLoader();
}

} // namespace
