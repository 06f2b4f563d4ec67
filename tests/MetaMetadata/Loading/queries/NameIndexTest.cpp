// Name lookups through the per-load indexes answer what the pasted
// expressions answer, for every name a schema carries and for names it
// does not.
#include "QuerySchemas.h"

#include "MetaMetadata/Loading/schema/NameIndex.h"

#include <set>

namespace {

using namespace PalimoTest;

// Every name attribute of the schema, and names that no declaration has.
std::set<WString> namesToLookUp(const QuerySchema& schema) {
    std::set<WString> names = {u"", u"NoSuchName", u"ff:A", u"A ", u"a"};
    for (const xercesc::DOMNode* name : schema.nodes("//@name"))
        names.insert(Loading::toWstring(name->getNodeValue()));
    return names;
}

TEST(NameIndex, AnswersAsTheExpressionWithThePastedName) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        const Loading::Schema& s = schema->schema();
        for (const WString& name : namesToLookUp(*schema)) {
            SCOPED_TRACE(N(name));
            if (!Loading::isPlainLiteralText(name))
                continue; // looked up by the pasted expression itself
            EXPECT_EQ(Loading::findTopLevelElement(s, name),
                      s.selectFirstElement(s.root(), u"./xs:element[@name='" + name + u"']"));
            EXPECT_EQ(Loading::findTopLevelComplexType(s, name),
                      s.selectFirstElement(s.root(),
                                           u"/xs:schema/xs:complexType[@name='" + name + u"']"));
        }
    }
}

// The lists read from the index of top-level elements are the lists of the
// scans they replace, in the same order.
TEST(NameIndex, ListsByTypeAreTheScansTheyReplace) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        for (const char16_t* type : {u"Ref", u"ff:Ref", u"T", u"", u"UInt8"}) {
            SCOPED_TRACE(N(type));
            Loading::DeclarationList found;
            Loading::findTopLevelElementsOfType(schema->schema(), type, found);
            EXPECT_EQ(found, schema->elements("./xs:element[@type='" + N(type) + "']"));
        }
    }
}

TEST(NameIndex, FirstDeclarationOfANameWinsAndOthersAreFoundToo) {
    QuerySchemas schemas;
    for (const auto& schema : schemas.load()) {
        if (schema->name() != "awkward cases")
            continue;
        const Loading::Schema& s = schema->schema();
        const auto types = schema->elements("xs:complexType[@name='Base']");
        ASSERT_EQ(types.size(), 2u);
        EXPECT_EQ(Loading::findTopLevelComplexType(s, u"Base"), types[0]);
        EXPECT_EQ(Loading::findTopLevelElement(s, u"A"), schema->elements("xs:element")[0]);
        EXPECT_NE(Loading::findTopLevelElement(s, u"amp&ersand"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(s, u"line\nbreak"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(s, u"quote\"d"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(s, u"\U0001D11Eclef"), nullptr);
        EXPECT_NE(Loading::findTopLevelElement(s, u""), nullptr);
        EXPECT_EQ(Loading::findTopLevelElement(s, u"Nested"), nullptr);
        EXPECT_EQ(Loading::findTopLevelComplexType(s, u"Simple"), nullptr);
    }
}

TEST(NameIndex, CompilesButNeverAsksAnExpressionWrittenByAName) {
    QuerySchemas schemas;
    for (const auto& schema : schemas.load()) {
        SCOPED_TRACE(schema->name());
        const Loading::Schema& s = schema->schema();
        // Asked, error() would fail the lookup; the name itself is no declaration's.
        const WString widened = u"x' or error() or '";
        EXPECT_EQ(Loading::findTopLevelElement(s, widened), nullptr);
        EXPECT_EQ(Loading::findTopLevelComplexType(s, widened), nullptr);
        EXPECT_ANY_THROW(Loading::findTopLevelElement(s, u"O'Neil"));
        EXPECT_ANY_THROW(Loading::findTopLevelComplexType(s, u"O'Neil"));
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
