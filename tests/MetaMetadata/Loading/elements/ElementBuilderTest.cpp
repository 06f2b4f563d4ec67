#include "MetaMetadata/Loading/elements/ElementBuilder.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "MetaMetadata/Loading/sets/SetDiscovery.h"

namespace PalimoTest {
namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::InvalidULDesignator;
using namespace Palimo::MetaMetadata;
using Palimo::Types::LocalTag;
using Palimo::Types::UniversalLabel;

UniversalLabel ul(int n) {
    return UniversalLabel(W(elementLabel(n).c_str()).c_str(), Palimo::Types::DottedHex);
}

template <class T>
const T* as(const MetaElement* element) {
    GetMetaElementVisitor<T> visitor;
    if (element != nullptr)
        element->accept(visitor);
    return visitor.result();
}

// The element phase over every RP210 declaration of the schema, into `dictionary`.
struct ElementPhase : Snippet {
    using Snippet::Snippet;
    void run(Dictionary& into) {
        Loading::DeclarationList declarations;
        Loading::findElementDeclarations(schema(), declarations);
        Loading::buildMetaElements(schema(), state.options, state.setKeys, declarations, into,
                                   state.elements);
    }
    void run() { run(dictionary); }
    const MetaElement* byName(const std::string& name) {
        const auto found = state.elements.byName.find(W(name.c_str()));
        return found == state.elements.byName.end() ? nullptr : found->second;
    }
    Dictionary dictionary;
};

struct FailureCase {
    const char* name;
    std::string declaration;
    bool ulFailure; // InvalidULDesignator rather than InvalidMetaElementDeclaration
    std::string message;
};

class BuildFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BuildFailures, ReportTheDeclarationAndAddNothing) {
    const FailureCase& c = GetParam();
    ElementPhase phase(c.declaration);
    if (c.ulFailure)
        EXPECT_THROWS_EXACTLY(InvalidULDesignator, phase.run(), c.message);
    else
        EXPECT_THROWS_EXACTLY(InvalidMetaElementDeclaration, phase.run(), c.message);
    EXPECT_EQ(0u, phase.dictionary.metaElementCount());
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, BuildFailures,
    ::testing::Values(
        FailureCase{"NoLabelAndNoName", rp210("", "UInt8", ""), false,
                    "MetaElement Declaration with no UL Designator in "},
        // The label is read before the type.
        FailureCase{"LabelOfTheWrongLength", rp210("E", "Nope", " " + elementLabel(1)), true,
                    " " + elementLabel(1)},
        FailureCase{"CollectionNamedByItsTypeAttribute", rp210("E", "ff:Array", elementLabel(1)),
                    false,
                    "MetaElement Declaration of type collection with unknown sub data type: E"}),
    [](const auto& info) { return info.param.name; });

TEST(BuildMetaElements, NamesFileTheLaterDeclarationAndEmptyNames) {
    ElementPhase phase(rp210("Same", "UInt8", elementLabel(1)) +
                       rp210("Same", "UInt16", elementLabel(2)) +
                       rp210("", "Int8", elementLabel(3)));
    phase.run();
    EXPECT_EQ(3u, phase.dictionary.metaElementCount());
    EXPECT_EQ(2u, phase.state.elements.byName.size());
    EXPECT_EQ(phase.dictionary.findMetaElement(ul(2)), phase.byName("Same"));
    ASSERT_NE(nullptr, phase.byName(""));
    EXPECT_EQ(Ids::Int8, phase.byName("")->dataType());
    EXPECT_FALSE(phase.byName("")->hasProperty(W("XMLTagName")));
}

TEST(BuildMetaElements, RegisteredTagIsWhatTheDictionaryHoldsForTheLabel) {
    ElementPhase phase(rp210("Tagged", "UInt8", elementLabel(1), appinfo("Local Tag", "3c.0a")) +
                       rp210("Untagged", "UInt8", elementLabel(2)) +
                       rp210("SameLabel", "UInt8", elementLabel(1)));
    phase.run();
    const auto& registered = phase.state.elements.tags;
    ASSERT_EQ(3u, registered.size());
    const LocalTag* tagged = registered.at(phase.byName("Tagged"));
    ASSERT_NE(nullptr, tagged);
    EXPECT_EQ(LocalTag(0x3c0a), *tagged);
    EXPECT_EQ(tagged, phase.dictionary.findLocalTag(ul(1)));
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
    ElementPhase phase(rp210("Same", "UInt8", elementLabel(1)) +
                       rp210("Same", "UInt16", elementLabel(2)));
    RefusingDictionary dictionary;
    EXPECT_THROWS_EXACTLY(Palimo::Exceptions::InvalidArgument, phase.run(dictionary), "refused");
    const MetaElement* first = dictionary.findMetaElement(ul(1));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, phase.state.elements.byName.at(W("Same")));
    ASSERT_EQ(1u, phase.state.elements.tags.size());
    EXPECT_EQ(first, phase.state.elements.tags.begin()->first);
}

} // namespace
} // namespace PalimoTest
