#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/Pipeline.h"
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include <xqilla/exceptions/XQillaException.hpp>

#include <set>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using PalimoTest::schema;
using PalimoTest::SchemaFixture;
using PalimoTest::TempDir;
using PalimoTest::W;

const std::string kBody = R"(
  <xs:element name="A" type="xs:string"/>
  <xs:element name="B" type="ff:Ref" substitutionGroup="ff:S"/>)";

xercesc::DOMXPathExpression* compiled(LoaderState& state, const char* text, Resolver resolver) {
    const auto found = state.queryCache->expressions.find(std::make_pair(resolver, W(text)));
    return found != state.queryCache->expressions.end() ? found->second : nullptr;
}

TEST(QueryCache, CompilesEachTextOnceForEachResolverChoice) {
    SchemaFixture f(schema(kBody));
    DeclarationList elements;
    selectElements(f.state, f.root(), W("./xs:element"), elements);
    ASSERT_NE(f.state.queryCache, nullptr);
    xercesc::DOMXPathExpression* first = compiled(f.state, "./xs:element", Resolver::Schema);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(selectFirstText(f.state, f.root(), W("./xs:element/@name")), u"A");
    selectElements(f.state, f.root(), W("./xs:element"), elements);
    EXPECT_EQ(compiled(f.state, "./xs:element", Resolver::Schema), first);
    EXPECT_EQ(elements.size(), 4u);

    EXPECT_EQ(compiled(f.state, "./*", Resolver::None), nullptr);
    selectElements(f.state, f.root(), W("./*"), elements, Resolver::None);
    EXPECT_NE(compiled(f.state, "./*", Resolver::None), nullptr);
    EXPECT_EQ(compiled(f.state, "./*", Resolver::Schema), nullptr);
    // Only list queries are recorded as such.
    EXPECT_EQ(f.state.queryCache->listExpressions, (std::set<WString>{u"./xs:element", u"./*"}));
}

TEST(QueryCache, AFailedCompilationKeepsNothingAndFailsAgain) {
    SchemaFixture f(schema(kBody));
    const WString broken = W("./xs:element[@name='it's']");
    EXPECT_THROW(selectFirstNode(f.state, f.root(), broken), XQillaException);
    EXPECT_TRUE(f.state.queryCache->expressions.empty());
    EXPECT_THROW(selectFirstNode(f.state, f.root(), broken), XQillaException);
}

TEST(QueryCache, NewBindingsOrAnotherResolverStartAFreshCache) {
    SchemaFixture f(schema(kBody));
    selectFirstNode(f.state, f.root(), W("./xs:element"));
    ASSERT_NE(f.state.queryCache, nullptr);
    bindSchemaNamespaces(f.state, f.state.schemaDocument);
    EXPECT_EQ(f.state.queryCache, nullptr);

    selectFirstNode(f.state, f.root(), W("./xs:element"));
    ASSERT_FALSE(f.state.queryCache->expressions.empty());
    f.state.nsResolver = f.state.schemaDocument->createNSResolver(nullptr);
    EXPECT_TRUE(queryCache(f.state)->expressions.empty());
    EXPECT_EQ(queryCache(f.state)->resolver, f.state.nsResolver);
}

TEST(QueryCache, ALoadReleasesItWhetherItSucceedsOrFails) {
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
        ASSERT_NE(state.schemaDocument, nullptr);
        EXPECT_EQ(state.queryCache, nullptr);
    }
}

} // namespace
