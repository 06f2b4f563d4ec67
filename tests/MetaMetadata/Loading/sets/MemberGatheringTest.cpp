#include "MetaMetadata/Loading/sets/MemberGathering.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

namespace PalimoTest {
namespace {

using Palimo::Exceptions::ParseError;
using Strings = std::vector<std::string>;

// The ref (or else the name) of every declaration, in list order.
Strings refs(const Loading::DeclarationList& list) {
    Strings texts;
    for (const xercesc::DOMElement* declaration : list) {
        const WString ref = Loading::attributeText(declaration, "ref");
        texts.push_back(N(ref.empty() ? Loading::attributeText(declaration, "name") : ref));
    }
    return texts;
}

// A three-level chain: C restricts B, B extends A; B's element sits in a choice.
const char kChain[] = R"(
  <xs:complexType name="A"><xs:sequence><xs:element ref="ff:a1"/><xs:element ref="ff:a2"/>
    </xs:sequence><xs:attribute ref="ff:aAttr"/></xs:complexType>
  <xs:complexType name="B"><xs:complexContent><xs:extension base="ff:A"><xs:sequence><xs:choice>
    <xs:element ref="ff:b1"/></xs:choice></xs:sequence><xs:attribute ref="ff:bAttr"/>
    </xs:extension></xs:complexContent></xs:complexType>
  <xs:complexType name="C"><xs:complexContent><xs:restriction base="B"><xs:sequence>
    <xs:element ref="ff:c1"/></xs:sequence><xs:attribute ref="ff:cAttr"/>
    </xs:restriction></xs:complexContent></xs:complexType>)";

const Strings kChainMembers = {"ff:a1",    "ff:a2", "ff:aAttr", "ff:b1",
                               "ff:bAttr", "ff:c1", "ff:cAttr"};

Strings gather(const Snippet& fixture, const char* type) {
    Loading::DeclarationList out;
    Loading::gatherAttributeDeclarations(fixture.schema(), W(type), out);
    return refs(out);
}

TEST(MemberGathering, InheritedMembersComeFirstElementsBeforeAttributes) {
    Snippet fixture(kChain);
    for (const char* name : {"ff:C", "C", "other:C"})
        EXPECT_EQ(gather(fixture, name), kChainMembers) << name;
    EXPECT_EQ(gather(fixture, "A"), (Strings{"ff:a1", "ff:a2", "ff:aAttr"}));
    // A base that is no schema type ends the chain.
    Snippet any(R"(<xs:complexType name="T"><xs:complexContent><xs:extension base="xs:anyType">
        <xs:sequence><xs:element ref="ff:t1"/></xs:sequence></xs:extension></xs:complexContent>
        </xs:complexType>)");
    EXPECT_EQ(gather(any, "T"), Strings{"ff:t1"});
}

TEST(MemberGathering, ChainsThatReturnToATypeFail) {
    // Each type has a member of its own, none of which may be gathered.
    std::string types;
    for (const char* type : {"A:ff:B", "B:A", "C:A"})
        types += "<xs:complexType name=\"" + std::string(type, 1) +
                 "\"><xs:complexContent><xs:extension base=\"" + std::string(type + 2) +
                 "\"><xs:sequence><xs:element ref=\"ff:m\"/></xs:sequence></xs:extension>"
                 "</xs:complexContent></xs:complexType>";
    Snippet fixture(types);
    Loading::DeclarationList out;
    EXPECT_THROWS_EXACTLY(ParseError,
                          Loading::gatherAttributeDeclarations(fixture.schema(), W("C"), out),
                          "Circular base type chain: C -> A -> B -> A");
    EXPECT_TRUE(out.empty());
}

TEST(MemberGathering, SetTypeComesFromTheTypeAttributeOrInline) {
    Snippet fixture(kChain + setDeclaration("Typed", "ff:C", setLabel(1)) + R"(
      <xs:element name="Inline"><xs:complexType><xs:complexContent><xs:extension base="ff:A">
        <xs:sequence><xs:element ref="ff:i1"/></xs:sequence></xs:extension></xs:complexContent>
      </xs:complexType></xs:element>
      <xs:element name="Untyped"/>
      <xs:element name="Empty" type=""/>)");
    const Loading::Schema& schema = fixture.schema();
    const auto members = [&](const char* set) {
        Loading::DeclarationList out;
        Loading::gatherSetMemberDeclarations(schema, fixture.component(set), out);
        return refs(out);
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
