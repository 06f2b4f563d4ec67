#include "MetaMetadata/Loading/sets/SetBuilder.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "MetaMetadata/Loading/sets/SetSchemaText.h"

namespace {

using namespace Palimo::MetaMetadata;
using namespace Palimo::MetaMetadata::Loading;
using namespace SetsTest;
namespace Id = Palimo::Types::Identifiers;
using Palimo::Exceptions::ParseError;
using PalimoTest::N;
using PalimoTest::SchemaFixture;
using PalimoTest::W;

/// Keeps a copy of every set offered, in order, besides storing it.
class RecordingDictionary : public Dictionary {
public:
    void addMetaMetadataSet(const Palimo::KLV::Key& key, const MetaMetadataSet& set) override {
        offers.push_back(set);
        Dictionary::addMetaMetadataSet(key, set);
    }
    std::vector<MetaMetadataSet> offers;
};

std::vector<std::pair<const MetaElement*, std::string>> members(const MetaMetadataSet& set) {
    std::vector<std::pair<const MetaElement*, std::string>> result;
    for (const MetaAttributePtr& attribute : set.attributes())
        result.emplace_back(&attribute->metaElement(), N(attribute->getProperty(u"SchemaIndex")));
    return result;
}

Palimo::KLV::Key key(int n) {
    return Palimo::KLV::Key(W(label(n).c_str()).c_str(), Palimo::Types::DottedHex);
}

class SetBuilder : public ::testing::Test {
protected:
    void load(const std::string& body) {
        fixture = std::make_unique<SchemaFixture>(PalimoTest::schema(body));
        count =
            &elements.add<MetaSimpleElement>(fixture->state.elements, "Count", nullptr, Id::UInt8);
        name = &elements.add<MetaSimpleElement>(fixture->state.elements, "Name", nullptr,
                                                Id::UTF16String);
    }
    const Schema& schema() { return fixture->schema(); }
    auto_ptr<MetaMetadataSet> build(const char* setName) {
        return buildSet(schema(), fixture->state.options, fixture->state.elements,
                        topElement(schema(), setName));
    }

    std::unique_ptr<SchemaFixture> fixture;
    RegisteredElements elements;
    const MetaElement* count = nullptr;
    const MetaElement* name = nullptr;
};

TEST_F(SetBuilder, MembersFollowTheChainAndPositionsKeepGaps) {
    load(complexType("A", "", member("element", "ff:Count")) +
         complexType("B", "ff:A", member("element", "ff:Unknown")) +
         complexType("C", "ff:B", "", member("attribute", "ff:Name")) +
         setDeclaration("Desc", "ff:C", label(1)));
    const auto set = build("Desc");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->key(), key(1));
    EXPECT_EQ(members(*set), (decltype(members(*set)){{count, "0"}, {name, "2"}}));
    EXPECT_EQ(N(set->getProperty(u"XMLTagName")), "Desc");
    EXPECT_EQ(N(set->getProperty(u"XMLDefaultPrefix")), "ff");
    // The set holds the only share of each attribute.
    EXPECT_EQ(set->attributes().front().useCount(), 1);
}

TEST_F(SetBuilder, SetsWithoutKnownMembersAreStillBuilt) {
    load(complexType("Empty", "", member("element", "ff:Unknown")) +
         setDeclaration("Hollow", "Empty", label(1)) + setDeclaration("Untyped", "", label(2)));
    for (const char* setName : {"Hollow", "Untyped"}) {
        const auto set = build(setName);
        ASSERT_NE(set, nullptr) << setName;
        EXPECT_TRUE(set->attributes().empty()) << setName;
        EXPECT_EQ(N(set->getProperty(u"name")), std::string(setName) + " Set");
    }
}

TEST_F(SetBuilder, SetsAreOfferedInOrderUntilTheFirstFailure) {
    load(complexType("T", "", member("element", "ff:Count")) + setDeclaration("NoKey", "T", "") +
         setDeclaration("First", "T", label(1)) +
         setDeclaration("NoNamespace", "T", label(2), false) +
         setDeclaration("Never", "T", label(3)));
    DeclarationList declarations;
    for (const char* setName : {"NoKey", "First", "First", "NoNamespace", "Never"})
        declarations.push_back(topElement(schema(), setName));

    RecordingDictionary dictionary;
    EXPECT_THROWS_EXACTLY(ParseError,
                          buildSets(schema(), fixture->state.options, fixture->state.elements,
                                    declarations, dictionary),
                          "!namespaceURI.empty (): Couldn't retrieve node's NamespaceURI: "
                          "NoNamespace Set");
    ASSERT_EQ(dictionary.offers.size(), 2u);
    for (const MetaMetadataSet& offered : dictionary.offers) {
        EXPECT_EQ(offered.key(), key(1));
        EXPECT_EQ(members(offered), (decltype(members(offered)){{count, "0"}}));
    }
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 1u);
    ASSERT_NE(dictionary.findMetaMetadataSet(key(1)), nullptr);
    EXPECT_EQ(dictionary.findMetaMetadataSet(key(3)), nullptr);
}

} // namespace
