#include "MetaMetadata/Loading/sets/MemberGathering.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/sets/SetSchemaText.h"

namespace {

using namespace Palimo::MetaMetadata::Loading;
using namespace SetsTest;
using Palimo::Exceptions::ParseError;
using PalimoTest::N;
using PalimoTest::SchemaFixture;
using PalimoTest::W;

// The ref (or else the name) of every declaration, in list order.
std::vector<std::string> refs(const DeclarationList& list) {
    std::vector<std::string> texts;
    for (const xercesc::DOMElement* declaration : list) {
        const WString ref = attributeText(declaration, "ref");
        texts.push_back(N(ref.empty() ? attributeText(declaration, "name") : ref));
    }
    return texts;
}

// A three-level chain: C restricts B, B extends A; B's element sits in a choice.
const std::string kChain =
    complexType("A", "", member("element", "ff:a1") + member("element", "ff:a2"),
                member("attribute", "ff:aAttr")) +
    complexType("B", "ff:A", "<xs:choice>" + member("element", "ff:b1") + "</xs:choice>",
                member("attribute", "ff:bAttr")) +
    complexType("C", "B", member("element", "ff:c1"), member("attribute", "ff:cAttr"),
                "restriction");

TEST(MemberGathering, InheritedMembersComeFirstElementsBeforeAttributes) {
    SchemaFixture fixture(PalimoTest::schema(kChain));
    const std::vector<std::string> expected = {"ff:a1",    "ff:a2", "ff:aAttr", "ff:b1",
                                               "ff:bAttr", "ff:c1", "ff:cAttr"};
    for (const char* name : {"ff:C", "C", "other:C"}) {
        DeclarationList out;
        gatherAttributeDeclarations(fixture.schema(), W(name), out);
        EXPECT_EQ(refs(out), expected) << name;
    }
    DeclarationList own;
    gatherAttributeDeclarations(fixture.schema(), W("A"), own);
    EXPECT_EQ(refs(own), (std::vector<std::string>{"ff:a1", "ff:a2", "ff:aAttr"}));
}

TEST(MemberGathering, BaseThatIsNoSchemaTypeEndsTheChain) {
    SchemaFixture fixture(
        PalimoTest::schema(complexType("T", "xs:anyType", member("element", "ff:t1"))));
    DeclarationList out;
    gatherAttributeDeclarations(fixture.schema(), W("T"), out);
    EXPECT_EQ(refs(out), std::vector<std::string>{"ff:t1"});
}

TEST(MemberGathering, ChainsThatReturnToATypeFail) {
    SchemaFixture fixture(PalimoTest::schema(complexType("A", "ff:B", member("element", "ff:a1")) +
                                             complexType("B", "A", member("element", "ff:b1")) +
                                             complexType("C", "A", member("element", "ff:c1"))));
    DeclarationList out;
    EXPECT_THROWS_EXACTLY(ParseError, gatherAttributeDeclarations(fixture.schema(), W("C"), out),
                          "Circular base type chain: C -> A -> B -> A");
    EXPECT_TRUE(out.empty());
}

TEST(MemberGathering, SetTypeComesFromTheTypeAttributeOrInline) {
    SchemaFixture fixture(PalimoTest::schema(
        kChain + setDeclaration("Typed", "ff:C", label(1)) +
        setDeclaration("Inline", "", label(2), true,
                       complexType("", "ff:A", member("element", "ff:i1"))) +
        setDeclaration("Untyped", "", label(3)) + "<xs:element name=\"Empty\" type=\"\"/>"));
    const Schema& schema = fixture.schema();

    DeclarationList typed, inlined, untyped;
    gatherSetMemberDeclarations(schema, topElement(schema, "Typed"), typed);
    EXPECT_EQ(refs(typed).size(), 7u);
    gatherSetMemberDeclarations(schema, topElement(schema, "Inline"), inlined);
    EXPECT_EQ(refs(inlined), (std::vector<std::string>{"ff:a1", "ff:a2", "ff:aAttr", "ff:i1"}));
    gatherSetMemberDeclarations(schema, topElement(schema, "Untyped"), untyped);
    EXPECT_TRUE(untyped.empty());

    DeclarationList lost;
    EXPECT_THROWS_EXACTLY(ParseError,
                          gatherSetMemberDeclarations(schema, topElement(schema, "Empty"), lost),
                          "Set Empty has an empty type, which names no top-level xs:complexType");
    EXPECT_THROWS_EXACTLY(ParseError, gatherAttributeDeclarations(schema, W("ff:Nope"), lost),
                          "Type ff:Nope names no top-level xs:complexType");
    // A type nested deeper than a set's own is none the index holds.
    const xercesc::DOMElement* nested = schema.selectFirstElement(
        fixture.root(), W("./xs:element[@name='Inline']/xs:complexType//xs:sequence"));
    ASSERT_NE(nested, nullptr);
    EXPECT_THROWS_EXACTLY(ParseError, collectLocalDeclarations(schema, nested, lost),
                          "facts != nullptr: No members indexed for the complex type "
                          "\"(inline type)\"");
}

} // namespace
