// The schema's evaluation of expressions: first results and lists, the
// resolver choice, expressions compiled once per text and resolver, and the
// schema of a load released whether the load succeeds or fails.
#include "schema/Schema.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"
#include "Pipeline.h"
#include "schema/DomText.h"

#include <Palimo/MetaMetadata/Dictionary.h>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMText.hpp>

#include <xqilla/exceptions/XQillaException.hpp>

#include <map>
#include <utility>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using PalimoTest::N;
using PalimoTest::schema;
using PalimoTest::SchemaFixture;
using PalimoTest::TempDir;
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

// Counts what a schema compiles and evaluates, by text and resolver choice.
struct Counts : QueryObserver {
    void compiled(const WString& expression, Resolver resolver) override {
        ++compilations[{expression, resolver}];
    }
    void evaluated(const WString& expression, bool) override { ++evaluations[expression]; }
    std::map<std::pair<WString, Resolver>, int> compilations;
    std::map<WString, int> evaluations;
};

TEST(Schema, FirstResultsTellAbsentFromPresentAndListsAppend) {
    SchemaFixture f(schema(kBody));
    const Schema& s = f.schema();
    // Several matches: only the first in document order is read.
    EXPECT_EQ(N(*s.selectOptionalText(f.root(), W("./xs:element/@name"))), "A");
    EXPECT_EQ(N(attributeText(s.selectFirstElement(f.root(), W("./xs:element")), "name")), "A");
    EXPECT_NE(s.selectFirstNode(f.root(), W("./xs:complexType")), nullptr);

    const WString nothing = W("./xs:element[@name='Z']/@name");
    EXPECT_EQ(s.selectFirstNode(f.root(), nothing), nullptr);
    EXPECT_EQ(s.selectFirstElement(f.root(), nothing), nullptr);
    EXPECT_FALSE(s.selectOptionalText(f.root(), nothing).has_value());
    // A node that is not an element gives no element.
    EXPECT_EQ(s.selectFirstElement(f.root(), W("./xs:element/@name")), nullptr);

    // Lists append in result order.
    DeclarationList elements;
    f.schema().selectElements(f.root(), W("./xs:element[@name!='A']"), elements);
    f.schema().selectElements(f.root(), W("./xs:element[@name='A']"), elements);
    EXPECT_EQ(names(elements), (std::vector<std::string>{"B", "C", "A"}));

    std::vector<WString> texts{W("kept")};
    f.schema().selectTexts(f.root(), W("./*/@name"), texts);
    std::vector<std::string> narrow;
    for (const WString& text : texts)
        narrow.push_back(N(text));
    EXPECT_EQ(narrow, (std::vector<std::string>{"kept", "A", "B", "C", "T"}));
}

TEST(Schema, CompilesEachTextOnceForEachResolverChoice) {
    Counts counts;
    SchemaFixture f(schema(kBody), &counts);
    counts.compilations.clear();
    DeclarationList elements;
    for (int i = 0; i < 3; ++i) {
        f.schema().selectElements(f.root(), W("./xs:element"), elements);
        f.schema().selectElements(f.root(), W("./*"), elements, Resolver::None);
    }
    EXPECT_EQ(elements.size(), 21u);
    EXPECT_EQ(counts.compilations,
              (std::map<std::pair<WString, Resolver>, int>{
                  {{W("./xs:element"), Resolver::Schema}, 1}, {{W("./*"), Resolver::None}, 1}}));
    EXPECT_EQ(counts.evaluations.at(W("./xs:element")), 3);
    // Without a resolver a prefixed name cannot be compiled.
    EXPECT_THROW(f.schema().selectFirstNode(f.root(), W("./xs:element"), Resolver::None),
                 XQillaException);
}

TEST(Schema, AFailedCompilationKeepsNothingAndFailsAgain) {
    Counts counts;
    SchemaFixture f(schema(kBody), &counts);
    const WString broken = W("./xs:element[@name='it's']");
    EXPECT_THROW(f.schema().selectFirstNode(f.root(), broken), XQillaException);
    EXPECT_THROW(f.schema().selectFirstNode(f.root(), broken), XQillaException);
    EXPECT_THROW(f.schema().compileOnly(broken), XQillaException);
    EXPECT_EQ(counts.compilations.count({broken, Resolver::Schema}), 0u);
    // The schema stays usable after the failure.
    EXPECT_NE(f.schema().selectFirstElement(f.root(), W("./xs:element")), nullptr);
}

TEST(Schema, ADocumentWithoutRootIsAParseError) {
    SchemaFixture f(schema(kBody));
    xercesc::DOMDocument& document = f.document();
    f.state.schema.reset();
    document.removeChild(document.getDocumentElement())->release();
    EXPECT_THROWS_EXACTLY(Palimo::Exceptions::ParseError, Schema{document},
                          "document -> getDocumentElement (): "
                          "Unable to retrieve root element from document!");
}

TEST(Schema, ALoadReleasesItWhetherItSucceedsOrFails) {
    // The second schema's RP210 element has no label: its load fails.
    const std::string unlabelled = R"(<xs:element name="E"><xs:annotation>
      <xs:appinfo source="RP210"/></xs:annotation></xs:element>)";
    for (const bool fails : {false, true}) {
        TempDir dir;
        dir.write("main.xsd", schema(fails ? kBody + unlabelled : kBody));
        LoaderState state;
        Palimo::MetaMetadata::Dictionary dictionary;
        bool failed = false;
        try {
            runPipeline(state, W(dir.path().string().c_str()), W("main.xsd"), dictionary);
        } catch (const Palimo::Exceptions::BaseException&) {
            failed = true;
        }
        EXPECT_EQ(failed, fails);
        EXPECT_EQ(state.schema, nullptr);
    }
}

TEST(DomText, AttributesAreVerbatimAndPrefixesEndAtTheFirstColon) {
    SchemaFixture f(schema(kBody));
    const xercesc::DOMElement* b =
        f.schema().selectFirstElement(f.root(), W("./xs:element[@name='B']"));
    EXPECT_EQ(N(attributeText(b, u"substitutionGroup")), "ff:S");
    EXPECT_EQ(N(attributeText(b, "abstract")), "");
    EXPECT_EQ(N(attributeText(nullptr, "name")), "");
    const std::pair<const char*, const char*> cases[] = {
        {"xs:string", "string"}, {"a:b:c", "b:c"}, {"plain", "plain"},
        {":lead", "lead"},       {"tail:", ""},    {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(N(stripNamespacePrefix(W(text))), expected) << text;

    // Node texts are Xerces' own values: of an attribute with an entity, an
    // empty one, one of two text children, and of an element (none).
    SchemaFixture g(schema(R"(<xs:element name="a&amp;b" type=""/>)"));
    xercesc::DOMElement* e = g.root()->getFirstElementChild();
    xercesc::DOMAttr* type = e->getAttributeNode(u"type");
    EXPECT_EQ(N(toWstring(nodeText(e->getAttributeNode(u"name")))), "a&b");
    EXPECT_EQ(N(toWstring(nodeText(type))), "");
    type->appendChild(g.document().createTextNode(u"x"));
    type->appendChild(g.document().createTextNode(u"y"));
    EXPECT_EQ(N(toWstring(nodeText(type))), "xy");
    EXPECT_EQ(nodeText(e), nullptr);
}

} // namespace
