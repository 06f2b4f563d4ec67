#include "MetaMetadata/Loading/schema/XPathQueries.h"
#include "MetaMetadata/Loading/SchemaFixture.h"

#include <xqilla/exceptions/XQillaException.hpp>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using PalimoTest::N;
using PalimoTest::schema;
using PalimoTest::SchemaFixture;
using PalimoTest::W;

const std::string kBody = R"(
  <xs:element name="A" type="xs:string"/>
  <xs:element name="B" type="ff:Ref" substitutionGroup="ff:S"/>
  <xs:element name="C"/>
  <xs:complexType name="T"/>)";

std::vector<std::string> names(const DeclarationList& elements) {
    std::vector<std::string> result;
    for (const xercesc::DOMElement* element : elements)
        result.push_back(element ? N(attributeText(element, "name")) : "<null>");
    return result;
}

TEST(XPathQueries, FirstResultHelpersTellAbsentFromPresent) {
    SchemaFixture f(schema(kBody));
    // Several matches: only the first in document order is read.
    EXPECT_EQ(N(selectFirstText(f.state, f.root(), W("./xs:element/@name"))), "A");
    EXPECT_EQ(N(attributeText(selectFirstElement(f.state, f.root(), W("./xs:element")), "name")),
              "A");
    EXPECT_NE(selectFirstNode(f.state, f.root(), W("./xs:complexType")), nullptr);
    EXPECT_EQ(N(*selectOptionalText(f.state, f.root(), W("./xs:element[@name='C']/@name"))), "C");

    const WString nothing = W("./xs:element[@name='Z']/@name");
    EXPECT_EQ(selectFirstNode(f.state, f.root(), nothing), nullptr);
    EXPECT_EQ(selectFirstElement(f.state, f.root(), nothing), nullptr);
    EXPECT_EQ(N(selectFirstText(f.state, f.root(), nothing)), "");
    EXPECT_FALSE(selectOptionalText(f.state, f.root(), nothing).has_value());
    // A node that is not an element gives no element.
    EXPECT_EQ(selectFirstElement(f.state, f.root(), W("./xs:element/@name")), nullptr);
}

TEST(XPathQueries, ListHelpersAppendInResultOrder) {
    SchemaFixture f(schema(kBody));
    DeclarationList elements;
    selectElements(f.state, f.root(), W("./xs:element[@name='Z']"), elements);
    EXPECT_TRUE(elements.empty());
    selectElements(f.state, f.root(), W("./xs:element[@name!='A']"), elements);
    selectElements(f.state, f.root(), W("./xs:element[@name='A']"), elements);
    EXPECT_EQ(names(elements), (std::vector<std::string>{"B", "C", "A"}));

    std::vector<WString> texts{W("kept")};
    selectTexts(f.state, f.root(), W("./*/@name"), texts);
    std::vector<std::string> narrow;
    for (const WString& text : texts)
        narrow.push_back(N(text));
    EXPECT_EQ(narrow, (std::vector<std::string>{"kept", "A", "B", "C", "T"}));
}

TEST(XPathQueries, ExpressionsWithoutPrefixesNeedNoResolver) {
    SchemaFixture f(schema(kBody));
    const xercesc::DOMElement* b =
        selectFirstElement(f.state, f.root(), W("./xs:element[@name='B']"));
    EXPECT_EQ(N(selectFirstText(f.state, b, W("./@substitutionGroup"), Resolver::None)), "ff:S");
    // Without a resolver a prefixed name cannot be compiled.
    EXPECT_THROW(selectFirstNode(f.state, f.root(), W("./xs:element"), Resolver::None),
                 XQillaException);
}

TEST(XPathQueries, AnApostropheInAnInsertedNameBreaksTheExpression) {
    SchemaFixture f(schema(kBody));
    const WString name = W("O'Brien");
    EXPECT_THROW(selectFirstElement(f.state, f.root(), u"./xs:element[@name='" + name + u"']"),
                 XQillaException);
    // The state stays usable after the failure.
    EXPECT_NE(selectFirstElement(f.state, f.root(), W("./xs:element")), nullptr);
}

TEST(XPathQueries, AttributeTextIsVerbatimOrEmpty) {
    SchemaFixture f(schema(kBody));
    const xercesc::DOMElement* b =
        selectFirstElement(f.state, f.root(), W("./xs:element[@name='B']"));
    EXPECT_EQ(N(attributeText(b, "type")), "ff:Ref");
    EXPECT_EQ(N(attributeText(b, u"substitutionGroup")), "ff:S");
    EXPECT_EQ(N(attributeText(b, "abstract")), "");
    EXPECT_EQ(N(attributeText(nullptr, "name")), "");
}

TEST(XPathQueries, StripNamespacePrefixRemovesUpToTheFirstColon) {
    const std::pair<const char*, const char*> cases[] = {
        {"xs:string", "string"}, {"a:b:c", "b:c"}, {"plain", "plain"},
        {":lead", "lead"},       {"tail:", ""},    {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(N(stripNamespacePrefix(W(text))), expected) << text;
}

} // namespace
