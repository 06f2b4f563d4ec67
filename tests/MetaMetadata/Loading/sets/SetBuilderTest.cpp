#include "MetaMetadata/Loading/sets/SetBuilder.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "MetaMetadata/Loading/sets/SetSchemaText.h"

namespace {

using namespace Palimo::MetaMetadata;
using namespace Palimo::MetaMetadata::Loading;
using namespace SetsTest;
namespace Id = Palimo::Types::Identifiers;
namespace Snippets = PalimoTest;
using Palimo::Exceptions::ParseError;
using PalimoTest::N;
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

using Members = std::vector<std::pair<const MetaElement*, std::string>>;

Members members(const MetaMetadataSet& set) {
    Members result;
    for (const MetaAttributePtr& attribute : set.attributes())
        result.emplace_back(&attribute->metaElement(), N(attribute->getProperty(u"SchemaIndex")));
    return result;
}

Palimo::KLV::Key key(int n) {
    return Palimo::KLV::Key(W(label(n).c_str()).c_str(), Palimo::Types::DottedHex);
}

// Sets of the schema body built over the registered elements Count and Name.
struct SetBuilder : ::testing::Test {
    void load(const std::string& body) {
        fixture = std::make_unique<Snippets::Snippet>(body);
        count =
            &elements.add<MetaSimpleElement>(fixture->state.elements, "Count", nullptr, Id::UInt8);
        name = &elements.add<MetaSimpleElement>(fixture->state.elements, "Name", nullptr,
                                                Id::UTF16String);
    }
    auto_ptr<MetaMetadataSet> build(const char* setName) {
        return buildSet(fixture->schema(), fixture->state.options, fixture->state.elements,
                        fixture->component(setName));
    }

    std::unique_ptr<Snippets::Snippet> fixture;
    Snippets::RegisteredElements elements;
    const MetaElement* count = nullptr;
    const MetaElement* name = nullptr;
};

// A member position counts the members that are no known element too; sets
// without known members are still built.
TEST_F(SetBuilder, MembersFollowTheChainAndPositionsKeepGaps) {
    load(Snippets::complexType("A", "", Snippets::refs("ff:Count")) +
         Snippets::complexType("B", "ff:A", Snippets::refs("ff:Unknown")) +
         Snippets::complexType("C", "ff:B", "", Snippets::refs("ff:Name", "attribute")) +
         Snippets::setDeclaration("Desc", "ff:C", label(1)) +
         Snippets::complexType("Empty", "", Snippets::refs("ff:Unknown")) +
         Snippets::setDeclaration("Hollow", "Empty", label(2)) +
         Snippets::setDeclaration("Untyped", "", label(3)));
    const auto set = build("Desc");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->key(), key(1));
    EXPECT_EQ(members(*set), (Members{{count, "0"}, {name, "2"}}));
    EXPECT_EQ(N(set->getProperty(u"XMLTagName")), "Desc");
    EXPECT_EQ(N(set->getProperty(u"XMLDefaultPrefix")), "ff");
    // The set holds the only share of each attribute.
    EXPECT_EQ(set->attributes().front().useCount(), 1);
    for (const char* setName : {"Hollow", "Untyped"}) {
        const auto hollow = build(setName);
        ASSERT_NE(hollow, nullptr) << setName;
        EXPECT_TRUE(hollow->attributes().empty()) << setName;
        EXPECT_EQ(N(hollow->getProperty(u"name")), std::string(setName) + " Set");
    }
}

TEST_F(SetBuilder, SetsAreOfferedInOrderUntilTheFirstFailure) {
    load(Snippets::complexType("T", "", Snippets::refs("ff:Count")) +
         R"(<xs:element name="NoKey" type="T"/>)" +
         Snippets::setDeclaration("First", "T", label(1)) +
         R"(<xs:element name="NoNamespace" type="T"><xs:annotation>
         <xs:appinfo source="Name In Specification">NoNamespace Set</xs:appinfo>
         <xs:appinfo source="UL Designator">)" +
         label(2) + "</xs:appinfo></xs:annotation></xs:element>" +
         Snippets::setDeclaration("Never", "T", label(3)));
    DeclarationList declarations;
    for (const char* setName : {"NoKey", "First", "First", "NoNamespace", "Never"})
        declarations.push_back(fixture->component(setName));

    RecordingDictionary dictionary;
    EXPECT_THROWS_EXACTLY(ParseError,
                          buildSets(fixture->schema(), fixture->state.options,
                                    fixture->state.elements, declarations, dictionary),
                          "!namespaceURI.empty (): Couldn't retrieve node's NamespaceURI: "
                          "NoNamespace Set");
    ASSERT_EQ(dictionary.offers.size(), 2u);
    for (const MetaMetadataSet& offered : dictionary.offers) {
        EXPECT_EQ(offered.key(), key(1));
        EXPECT_EQ(members(offered), (Members{{count, "0"}}));
    }
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 1u);
    ASSERT_NE(dictionary.findMetaMetadataSet(key(1)), nullptr);
    EXPECT_EQ(dictionary.findMetaMetadataSet(key(3)), nullptr);
}

} // namespace
