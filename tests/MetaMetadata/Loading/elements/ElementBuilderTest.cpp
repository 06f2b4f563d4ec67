#include "MetaMetadata/Loading/elements/ElementBuilder.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "MetaMetadata/Loading/elements/DeclarationFixture.h"
#include "MetaMetadata/Loading/sets/SetDiscovery.h"

namespace PalimoTest {
namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::InvalidULDesignator;
using Palimo::MetaMetadata::Dictionary;
using Palimo::MetaMetadata::GetMetaElementVisitor;
using Palimo::MetaMetadata::MetaCollection;
using Palimo::MetaMetadata::MetaElement;
using Palimo::MetaMetadata::MetaReferenceCollection;
using Palimo::MetaMetadata::MetaReferenceElement;
using Palimo::MetaMetadata::MetaSimpleElement;
using Palimo::Types::LocalTag;
using Palimo::Types::UniversalLabel;

UniversalLabel ul(const std::string& last) {
    return UniversalLabel(W(label(last).c_str()).c_str(), Palimo::Types::DottedHex);
}

template <class T>
const T* as(const MetaElement* element) {
    GetMetaElementVisitor<T> visitor;
    if (element != nullptr)
        element->accept(visitor);
    return visitor.result();
}

// Runs the element phase over every RP210 declaration of the schema.
struct ElementPhase : DeclarationFixture {
    using DeclarationFixture::DeclarationFixture;
    void run() {
        Loading::DeclarationList declarations;
        Loading::findElementDeclarations(schema(), declarations);
        Loading::buildMetaElements(schema(), state.options, state.setKeys, declarations, dictionary,
                                   state.elements);
    }
    const MetaElement* byName(const std::string& name) {
        const auto found = state.elements.byName.find(W(name.c_str()));
        return found == state.elements.byName.end() ? nullptr : found->second;
    }
    Dictionary dictionary;
};

struct FailureCase {
    const char* what;
    std::string declaration;
    bool ulFailure; // InvalidULDesignator rather than InvalidMetaElementDeclaration
    std::string message;
};

class BuildFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BuildFailures, ReportTheDeclaration) {
    const FailureCase& c = GetParam();
    ElementPhase phase(c.declaration);
    if (c.ulFailure)
        EXPECT_THROWS_EXACTLY(InvalidULDesignator, phase.run(), c.message) << c.what;
    else
        EXPECT_THROWS_EXACTLY(InvalidMetaElementDeclaration, phase.run(), c.message) << c.what;
    EXPECT_EQ(0u, phase.dictionary.metaElementCount()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, BuildFailures,
    ::testing::Values(
        FailureCase{"no label and no name",
                    "<xs:element type=\"UInt8\">" + rp210("") + "</xs:element>", false,
                    "MetaElement Declaration with no UL Designator in "},
        FailureCase{"label of the wrong length comes before the type",
                    "<xs:element name=\"E\" type=\"Nope\">" + rp210(" " + label("01")) +
                        "</xs:element>",
                    true, " " + label("01")},
        FailureCase{
            "collection named by its type attribute",
            "<xs:element name=\"E\" type=\"ff:Array\">" + rp210(label("01")) + "</xs:element>",
            false, "MetaElement Declaration of type collection with unknown sub data type: E"}));

TEST(BuildMetaElements, NamesFileTheLaterDeclarationAndEmptyNames) {
    ElementPhase phase("<xs:element name=\"Same\" type=\"UInt8\">" + rp210(label("01")) +
                       "</xs:element><xs:element name=\"Same\" type=\"UInt16\">" +
                       rp210(label("02")) + "</xs:element><xs:element type=\"Int8\">" +
                       rp210(label("03")) + "</xs:element>");
    phase.run();
    EXPECT_EQ(3u, phase.dictionary.metaElementCount());
    EXPECT_EQ(2u, phase.state.elements.byName.size());
    EXPECT_EQ(phase.dictionary.findMetaElement(ul("02")), phase.byName("Same"));
    ASSERT_NE(nullptr, phase.byName(""));
    EXPECT_EQ(Ids::Int8, phase.byName("")->dataType());
    EXPECT_FALSE(phase.byName("")->hasProperty(W("XMLTagName")));
}

TEST(BuildMetaElements, RegisteredTagIsWhatTheDictionaryHoldsForTheLabel) {
    const std::string tag = "<xs:appinfo source=\"Local Tag\">3c.0a</xs:appinfo>";
    ElementPhase phase("<xs:element name=\"Tagged\" type=\"UInt8\">" + rp210(label("01"), tag) +
                       "</xs:element><xs:element name=\"Untagged\" type=\"UInt8\">" +
                       rp210(label("02")) +
                       "</xs:element><xs:element name=\"SameLabel\" type=\"UInt8\">" +
                       rp210(label("01")) + "</xs:element>");
    phase.run();
    const auto& registered = phase.state.elements.tags;
    ASSERT_EQ(3u, registered.size());
    const LocalTag* tagged = registered.at(phase.byName("Tagged"));
    ASSERT_NE(nullptr, tagged);
    EXPECT_EQ(LocalTag(0x3c0a), *tagged);
    EXPECT_EQ(tagged, phase.dictionary.findLocalTag(ul("01")));
    EXPECT_EQ(nullptr, registered.at(phase.byName("Untagged")));
    EXPECT_EQ(tagged, registered.at(phase.byName("SameLabel")));
}

// A dictionary that refuses its second element.
class RefusingDictionary : public Dictionary {
public:
    void addMetaElement(const UniversalLabel& label,
                        Palimo::Templates::auto_ptr<MetaElement> element) override {
        if (++calls_ == 2)
            throw Palimo::Exceptions::InvalidArgument(std::string("refused"), __FILE__, __LINE__);
        Dictionary::addMetaElement(label, std::move(element));
    }

private:
    int calls_ = 0;
};

TEST(BuildMetaElements, RefusedElementLeavesNoAddressBehind) {
    DeclarationFixture fixture("<xs:element name=\"Same\" type=\"UInt8\">" + rp210(label("01")) +
                               "</xs:element><xs:element name=\"Same\" type=\"UInt16\">" +
                               rp210(label("02")) + "</xs:element>");
    Loading::DeclarationList declarations;
    Loading::findElementDeclarations(fixture.schema(), declarations);
    RefusingDictionary dictionary;
    Loading::LoaderState& state = fixture.state;
    EXPECT_THROWS_EXACTLY(Palimo::Exceptions::InvalidArgument,
                          Loading::buildMetaElements(fixture.schema(), state.options, state.setKeys,
                                                     declarations, dictionary, state.elements),
                          "refused");
    const MetaElement* first = dictionary.findMetaElement(ul("01"));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, fixture.state.elements.byName.at(W("Same")));
    ASSERT_EQ(1u, fixture.state.elements.tags.size());
    EXPECT_EQ(first, fixture.state.elements.tags.begin()->first);
}

} // namespace
} // namespace PalimoTest
