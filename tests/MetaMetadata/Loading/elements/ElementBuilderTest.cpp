#include "elements/ElementBuilder.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "sets/SetDiscovery.h"

#include <Palimo/Exceptions/CoreExceptions.h>

namespace PalimoTest {
namespace {

using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::InvalidULDesignator;
using namespace Palimo::MetaMetadata;
using Palimo::Types::UniversalLabel;

UniversalLabel ul(int n) {
    return UniversalLabel(W(elementLabel(n).c_str()).c_str(), Palimo::Types::DottedHex);
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

// The refused element's name gets back the element it replaced, or goes.
TEST(BuildMetaElements, RefusedElementLeavesNoAddressBehind) {
    for (const char* second : {"Same", "Other"}) {
        ElementPhase phase(rp210("Same", "UInt8", elementLabel(1)) +
                           rp210(second, "UInt16", elementLabel(2)));
        RefusingDictionary dictionary;
        EXPECT_THROWS_EXACTLY(Palimo::Exceptions::InvalidArgument, phase.run(dictionary),
                              "refused");
        const MetaElement* first = dictionary.findMetaElement(ul(1));
        ASSERT_NE(nullptr, first);
        ASSERT_EQ(1u, phase.state.elements.byName.size()) << second;
        EXPECT_EQ(first, phase.state.elements.byName.at(W("Same")));
        ASSERT_EQ(1u, phase.state.elements.tags.size());
        EXPECT_EQ(first, phase.state.elements.tags.begin()->first);
    }
}

} // namespace
} // namespace PalimoTest
