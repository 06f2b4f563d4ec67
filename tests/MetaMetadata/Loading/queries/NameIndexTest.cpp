// Name lookups through the per-load indexes answer what the pasted
// expressions answer, for every name a schema carries and for names it
// does not.
#include "QuerySchemas.h"

#include "MetaMetadata/Loading/schema/NameIndex.h"

#include <set>

namespace {

using namespace PalimoTest;

// Every name attribute of the schema, and names that no declaration has.
std::set<WString> namesToLookUp(QuerySchema& schema) {
    std::set<WString> names = {u"", u"NoSuchName", u"ff:A", u"A ", u"a"};
    for (const xercesc::DOMNode* name : schema.nodes("//@name"))
        names.insert(Loading::toWstring(name->getNodeValue()));
    return names;
}

TEST(NameIndex, AnswersAsTheExpressionWithThePastedName) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        Loading::LoaderState& state = schema->state();
        for (const WString& name : namesToLookUp(*schema)) {
            SCOPED_TRACE(N(name));
            if (!Loading::isPlainLiteralText(name))
                continue; // looked up by the pasted expression itself
            EXPECT_EQ(Loading::findTopLevelElement(state, name),
                      Loading::selectFirstElement(state, schema->root(),
                                                  u"./xs:element[@name='" + name + u"']"));
            EXPECT_EQ(
                Loading::findTopLevelComplexType(state, name),
                Loading::selectFirstElement(state, schema->root(),
                                            u"/xs:schema/xs:complexType[@name='" + name + u"']"));
        }
    }
}

// The lists read from the index of top-level elements are the lists of the
// scans they replace, in the same order.
TEST(NameIndex, ListsByTypeAndGroupAreTheScansTheyReplace) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        Loading::LoaderState& state = schema->state();
        for (const char16_t* type : {u"Ref", u"ff:Ref", u"T", u"", u"UInt8"}) {
            SCOPED_TRACE(N(type));
            Loading::DeclarationList found;
            Loading::findTopLevelElementsOfType(state, type, found);
            EXPECT_EQ(found, schema->elements("./xs:element[@type='" + N(type) + "']"));
        }
        Loading::DeclarationList candidates;
        Loading::findSubstitutionCandidates(state, candidates);
        EXPECT_EQ(candidates, schema->elements("/xs:schema/xs:element[(@substitutionGroup) and "
                                               "(@type!='Ref') and (@type!='ff:Ref')]"));
    }
}

TEST(NameIndex, FirstDeclarationOfANameWinsAndOthersAreFoundToo) {
    QuerySchemas schemas;
    for (const auto& schema : schemas.load()) {
        if (schema->name() != "awkward cases")
            continue;
        Loading::LoaderState& state = schema->state();
        const auto types = schema->elements("xs:complexType[@name='Base']");
        ASSERT_EQ(types.size(), 2u);
        EXPECT_EQ(Loading::findTopLevelComplexType(state, u"Base"), types[0]);
        EXPECT_EQ(Loading::findTopLevelElement(state, u"A"), schema->elements("xs:element")[0]);
        EXPECT_NE(Loading::findTopLevelElement(state, u"amp&ersand"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(state, u"line\nbreak"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(state, u"quote\"d"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(state, u"\U0001D11Eclef"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(state, u""), nullptr);
        EXPECT_EQ(Loading::findTopLevelElement(state, u"Nested"), nullptr);
        EXPECT_EQ(Loading::findTopLevelComplexType(state, u"Simple"), nullptr);
    }
}

TEST(NameIndex, CompilesButNeverAsksAnExpressionWrittenByAName) {
    QuerySchemas schemas;
    for (const auto& schema : schemas.load()) {
        SCOPED_TRACE(schema->name());
        Loading::LoaderState& state = schema->state();
        // Asked, error() would fail the lookup; the name itself is no declaration's.
        const WString widened = u"x' or error() or '";
        EXPECT_EQ(Loading::findTopLevelElement(state, widened), nullptr);
        EXPECT_EQ(Loading::findTopLevelComplexType(state, widened), nullptr);
        EXPECT_ANY_THROW(Loading::findTopLevelElement(state, u"O'Neil"));
        EXPECT_ANY_THROW(Loading::findTopLevelComplexType(state, u"O'Neil"));
    }
}

TEST(NameIndex, TellsWhichNamesStandForThemselvesInAnExpression) {
    const struct {
        const char16_t* name;
        bool plain;
    } cases[] = {
        {u"InterchangeObject", true},
        {u"", true},
        {u"quote\"d", true},
        {u"\U0001D11Eclef", true},
        {u"it's", false},
        {u"amp&ersand", false},
        {u"line\nbreak", false},
        {u"carriage\r", false},
        {u"tab\t", false},
        {u"next\u0085line", false},
        {u"line\u2028", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Loading::isPlainLiteralText(c.name), c.plain) << N(c.name);
}

} // namespace
