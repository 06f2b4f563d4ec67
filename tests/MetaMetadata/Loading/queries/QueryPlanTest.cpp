// No list query that a load asks is planned with a sort into document order:
// such a sort compares nodes through their sibling lists and makes a load of
// a large dictionary quadratic. The plan is the engine's own, printed from
// the compiled expression.
#include "QuerySchemas.h"

#include "elements/ElementBuilder.h"
#include "sets/SetBuilder.h"
#include "sets/SetDiscovery.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/XMLUtils/Initializer.h>

#include <xqilla/optimizer/ASTToXML.hpp>
#include <xqilla/xqilla-simple.hpp>

#include <set>

namespace {

using namespace PalimoTest;

// The engine's plan of `expression`, compiled as an XPath 2.0 expression with
// the bindings the loader's expressions use.
std::string planOf(const WString& expression) {
    Palimo::XMLUtils::Initializer::instance(); // the engine, also when this test runs alone
    AutoDelete<DynamicContext> context(XQilla::createContext(XQilla::XPATH2));
    context->setNamespaceBinding(u"xs", u"http://www.w3.org/2001/XMLSchema");
    context->setNamespaceBinding(u"ff", u"urn:SMPTE:MXF:file_format");
    AutoDelete<XQQuery> query(
        XQilla::parse(expression.c_str(), context.get(), nullptr, XQilla::NO_ADOPT_CONTEXT));
    return ASTToXML().print(query.get(), context.get());
}

bool sortsIntoDocumentOrder(const WString& expression) {
    return planOf(expression).find("<DocumentOrder") != std::string::npos;
}

// Keeps the text of every expression evaluated for a list of nodes.
struct ListExpressions : Loading::QueryObserver {
    void compiled(const WString&, Loading::Resolver) override {}
    void evaluated(const WString& expression, bool list) override {
        if (list)
            texts.insert(expression);
    }
    std::set<WString> texts;
};

// The list expressions that whole loads of every schema evaluated, with the
// switches on so that every question is asked.
std::set<WString> listExpressionsOfLoads() {
    ListExpressions observer;
    for (const auto& schema : QuerySchemas().load(&observer)) {
        Loading::LoaderState& state = schema->state();
        state.options.metaElementDocumentation = true;
        state.options.metaElementLengthDescription = true;
        Palimo::MetaMetadata::Dictionary dictionary;
        try {
            Loading::DeclarationList elements;
            Loading::DeclarationList sets;
            Loading::findElementDeclarations(schema->schema(), elements);
            Loading::findSetDeclarations(schema->schema(), sets);
            Loading::registerSetKeys(schema->schema(), sets, state.setKeys);
            Loading::buildMetaElements(schema->schema(), state.options, state.setKeys, elements,
                                       dictionary, state.elements);
            Loading::buildSets(schema->schema(), state.options, state.elements, sets, dictionary);
        } catch (const Palimo::Exceptions::BaseException&) {
            // Fixtures of failures: the queries asked before the failure count.
        }
    }
    return observer.texts;
}

TEST(QueryPlans, NoListQueryOfALoadSortsIntoDocumentOrder) {
    const std::set<WString> expressions = listExpressionsOfLoads();
    // The questions of discovery, names, facts and members were all asked.
    for (const char16_t* asked :
         {u"for $d in self::xs:schema/* return ($d, $d/@*, "
          u"$d/xs:annotation/xs:appinfo/@source, $d/xs:annotation/xs:appinfo/text())",
          u"self::xs:schema/xs:complexType/@name", u"./*/*/*/xs:choice/xs:element/@ref",
          u"for $t in ./xs:complexType return ($t, ($t/*/*/@base)[1], "
          u"for $d in ($t//xs:element, $t//xs:attribute) "
          u"return ($d, $d/@*, $d/xs:annotation/xs:appinfo/text()))"})
        EXPECT_EQ(expressions.count(asked), 1u) << N(asked);
    for (const WString& expression : expressions) {
        EXPECT_FALSE(sortsIntoDocumentOrder(expression)) << N(expression);
        EXPECT_NE(expression.rfind(u"/", 0), 0u) << "absolute: " << N(expression);
    }
}

TEST(QueryPlans, APathFromTheRootIsPlannedWithASort) {
    EXPECT_TRUE(
        sortsIntoDocumentOrder(u"/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"));
    EXPECT_TRUE(sortsIntoDocumentOrder(u"./@name | ./xs:annotation/xs:appinfo/text()"));
    EXPECT_FALSE(
        sortsIntoDocumentOrder(u"self::xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"));
}

} // namespace
