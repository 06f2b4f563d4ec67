#include "sets/MemberGathering.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

namespace PalimoTest {
namespace {

using Palimo::Exceptions::ParseError;
using Strings = std::vector<std::string>;

// The ref (or else the name) of every declaration, in list order.
Strings referenced(const Loading::DeclarationList& list) {
    Strings texts;
    for (const xercesc::DOMElement* declaration : list) {
        const WString ref = Loading::attributeText(declaration, "ref");
        texts.push_back(N(ref.empty() ? Loading::attributeText(declaration, "name") : ref));
    }
    return texts;
}

// A three-level chain: C restricts B, B extends A; B's element sits in a choice.
const std::string kChain =
    complexType("A", "", refs("ff:a1 ff:a2"), refs("ff:aAttr", "attribute")) +
    complexType("B", "ff:A", "<xs:choice>" + refs("ff:b1") + "</xs:choice>",
                refs("ff:bAttr", "attribute")) +
    complexType("C", "B", refs("ff:c1"), refs("ff:cAttr", "attribute"), "restriction");

const Strings kChainMembers = {"ff:a1",    "ff:a2", "ff:aAttr", "ff:b1",
                               "ff:bAttr", "ff:c1", "ff:cAttr"};

Strings gather(const Snippet& fixture, const char* type) {
    Loading::DeclarationList out;
    Loading::gatherAttributeDeclarations(fixture.schema(), W(type), out);
    return referenced(out);
}

TEST(MemberGathering, InheritedMembersComeFirstElementsBeforeAttributes) {
    Snippet fixture(kChain);
    for (const char* name : {"ff:C", "C", "other:C"})
        EXPECT_EQ(gather(fixture, name), kChainMembers) << name;
    EXPECT_EQ(gather(fixture, "A"), (Strings{"ff:a1", "ff:a2", "ff:aAttr"}));
    // A base that is no schema type ends the chain.
    Snippet any(complexType("T", "xs:anyType", refs("ff:t1")));
    EXPECT_EQ(gather(any, "T"), Strings{"ff:t1"});
}

TEST(MemberGathering, ChainsThatReturnToATypeFail) {
    // Each type has a member of its own, none of which may be gathered.
    Snippet fixture(complexType("A", "ff:B", refs("ff:a1")) + complexType("B", "A", refs("ff:b1")) +
                    complexType("C", "A", refs("ff:c1")));
    Loading::DeclarationList out;
    EXPECT_THROWS_EXACTLY(ParseError,
                          Loading::gatherAttributeDeclarations(fixture.schema(), W("C"), out),
                          "Circular base type chain: C -> A -> B -> A");
    EXPECT_TRUE(out.empty());
}

TEST(MemberGathering, SetTypeComesFromTheTypeAttributeOrInline) {
    Snippet fixture(kChain + setDeclaration("Typed", "ff:C", setLabel(1)) +
                    "<xs:element name=\"Inline\">" + complexType("", "ff:A", refs("ff:i1")) +
                    R"(</xs:element><xs:element name="Untyped"/><xs:element name="Empty" type=""/>
        <xs:element name="InlineReference" type="ff:Ref" substitutionGroup="ff:Inline"/>)");
    const Loading::Schema& schema = fixture.schema();
    const auto members = [&](const char* set) {
        Loading::DeclarationList out;
        Loading::gatherSetMemberDeclarations(schema, fixture.component(set), out);
        return referenced(out);
    };
    EXPECT_EQ(members("Typed"), kChainMembers);
    EXPECT_EQ(members("Inline"), (Strings{"ff:a1", "ff:a2", "ff:aAttr", "ff:i1"}));
    EXPECT_TRUE(members("Untyped").empty());

    Loading::DeclarationList lost;
    EXPECT_THROWS_EXACTLY(ParseError, members("Empty"),
                          "Set Empty has an empty type, which names no top-level xs:complexType");
    EXPECT_THROWS_EXACTLY(ParseError,
                          Loading::gatherAttributeDeclarations(schema, W("ff:Nope"), lost),
                          "Type ff:Nope names no top-level xs:complexType");
    // A type nested deeper than a set's own is none the index holds.
    const xercesc::DOMElement* nested = schema.selectFirstElement(
        fixture.root(), W("./xs:element[@name='Inline']/xs:complexType//xs:sequence"));
    ASSERT_NE(nested, nullptr);
    EXPECT_THROWS_EXACTLY(ParseError, Loading::collectLocalDeclarations(schema, nested, lost),
                          "facts != nullptr: No members indexed for the complex type "
                          "\"(inline type)\"");
}

} // namespace
} // namespace PalimoTest
