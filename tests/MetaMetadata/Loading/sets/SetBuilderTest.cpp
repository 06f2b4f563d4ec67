#include "sets/SetBuilder.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>

namespace PalimoTest {
namespace {

using namespace Palimo::MetaMetadata;

/// Keeps a copy of every set offered, in order, besides storing it.
class RecordingDictionary : public Dictionary {
public:
    void addMetaMetadataSet(const Palimo::KLV::Key& key, const MetaMetadataSet& set) override {
        offers.push_back(set);
        Dictionary::addMetaMetadataSet(key, set);
    }
    std::vector<MetaMetadataSet> offers;
};

Palimo::KLV::Key key(int n) {
    return Palimo::KLV::Key(W(setLabel(n).c_str()).c_str(), Palimo::Types::DottedHex);
}

// What a set holds is in the golden load of sets/attributes.xsd; here, what
// the dictionary is offered when a set of the list fails.
TEST(BuildSets, SetsAreOfferedInOrderUntilTheFirstFailure) {
    Snippet fixture(complexType("T", "", refs("ff:Count")) +
                    R"(<xs:element name="NoKey" type="T"/>)" +
                    setDeclaration("First", "T", setLabel(1)) +
                    R"(<xs:element name="NoNamespace" type="T"><xs:annotation>
         <xs:appinfo source="Name In Specification">NoNamespace Set</xs:appinfo>
         <xs:appinfo source="UL Designator">)" +
                    setLabel(2) + "</xs:appinfo></xs:annotation></xs:element>" +
                    setDeclaration("Never", "T", setLabel(3)));
    MetaSimpleElement count(
        Palimo::Types::UniversalLabel(W(elementLabel(1).c_str()).c_str(), Palimo::Types::DottedHex),
        Palimo::Types::Identifiers::UInt8);
    fixture.state.elements.byName[u"Count"] = &count;
    fixture.state.elements.tags[&count] = nullptr;
    Loading::DeclarationList declarations;
    for (const char* setName : {"NoKey", "First", "First", "NoNamespace", "Never"})
        declarations.push_back(fixture.component(setName));

    RecordingDictionary dictionary;
    EXPECT_THROWS_EXACTLY(Palimo::Exceptions::ParseError,
                          Loading::buildSets(fixture.schema(), fixture.state.options,
                                             fixture.state.elements, declarations, dictionary),
                          "!namespaceURI.empty (): Couldn't retrieve node's NamespaceURI: "
                          "NoNamespace Set");
    ASSERT_EQ(dictionary.offers.size(), 2u);
    for (const MetaMetadataSet& offered : dictionary.offers) {
        EXPECT_EQ(offered.key(), key(1));
        ASSERT_EQ(offered.attributes().size(), 1u);
        EXPECT_EQ(&offered.attributes()[0]->metaElement(), &count);
    }
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 1u);
    EXPECT_EQ(dictionary.findMetaMetadataSet(key(3)), nullptr);
    // A set built holds the only share of each attribute.
    EXPECT_EQ(Loading::buildSet(fixture.schema(), fixture.state.options, fixture.state.elements,
                                fixture.component("First"))
                  ->attributes()
                  .front()
                  .useCount(),
              1);
}

} // namespace
} // namespace PalimoTest
