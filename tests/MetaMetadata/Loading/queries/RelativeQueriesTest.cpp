// The list queries that the loader asks relative to the schema element, and
// the member lists it reads together with their facts, give the nodes of the
// expressions they replace, in the same order.
#include "QuerySchemas.h"

#include "MetaMetadata/Loading/schema/Annotations.h"
#include "MetaMetadata/Loading/sets/MemberGathering.h"

#include <optional>

namespace {

using namespace PalimoTest;

struct Rewrite {
    const char* replaced;
    const char* asked;
};

// Each pair: the expression as the schema layer states it, and the one the
// loader evaluates instead, both asked of the document element.
const Rewrite kRewrites[] = {
    {"/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']",
     "self::xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"},
    {"/xs:schema/xs:element[(@substitutionGroup) and (@type!='Ref') and (@type!='ff:Ref')]",
     "self::xs:schema/xs:element[(@substitutionGroup) and (@type!='Ref') and (@type!='ff:Ref')]"},
    {"/xs:schema/xs:complexType/@name", "self::xs:schema/xs:complexType/@name"},
    {"/xs:schema/*", "self::xs:schema/*"},
};

TEST(RelativeQueries, GiveTheNodesOfTheAbsoluteExpressionsInOrder) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        for (const Rewrite& rewrite : kRewrites) {
            SCOPED_TRACE(rewrite.asked);
            const auto replaced = schema->nodes(rewrite.replaced);
            EXPECT_EQ(schema->nodes(rewrite.asked), replaced);
        }
        EXPECT_FALSE(schema->nodes("/xs:schema/*").empty());
    }
}

// Registered components are read with the facts of all top-level components.
TEST(RelativeQueries, RegisteredComponentsAreThoseOfTheSourceScan) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        Loading::DeclarationList registered;
        Loading::findRegisteredComponents(schema->state(), registered);
        EXPECT_EQ(registered,
                  schema->elements("/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"));
    }
}

// Every complex type of the schema, top-level or inline.
Loading::DeclarationList complexTypes(QuerySchema& schema) {
    return schema.elements("//xs:complexType");
}

TEST(RelativeQueries, MemberListsReadWithTheirFactsAreTheTwoDescendantLists) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        for (const xercesc::DOMElement* type : complexTypes(*schema)) {
            Loading::DeclarationList expected = schema->elements(".//xs:element", type);
            const Loading::DeclarationList attributes = schema->elements(".//xs:attribute", type);
            expected.insert(expected.end(), attributes.begin(), attributes.end());

            Loading::DeclarationList read;
            Loading::readDeclarationFacts(schema->state(), type, u".//xs:element, .//xs:attribute",
                                          read);
            EXPECT_EQ(read, expected);
            // Asked twice: the second answer comes from the facts kept.
            Loading::DeclarationList collected;
            Loading::collectLocalDeclarations(schema->state(), type, collected);
            Loading::collectLocalDeclarations(schema->state(), type, collected);
            expected.insert(expected.end(), expected.begin(), expected.end());
            EXPECT_EQ(collected, expected);
        }
    }
}

} // namespace

namespace {

TEST(RelativeQueries, OneSequenceGivesTheFirstBaseAtDepthThreeElseAtDepthTwo) {
    for (const auto& schema : PalimoTest::QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        Loading::LoaderState& state = schema->state();
        for (const xercesc::DOMElement* declaration : schema->elements("/xs:schema/*")) {
            std::optional<Palimo::WString> expected = Loading::selectOptionalText(
                state, declaration, u"./*/*/*/@base", Loading::Resolver::None);
            if (!expected)
                expected = Loading::selectOptionalText(state, declaration, u"./*/*/@base",
                                                       Loading::Resolver::None);
            const std::optional<Palimo::WString> base = Loading::selectOptionalText(
                state, declaration, u"(./*/*/*/@base, ./*/*/@base)", Loading::Resolver::None);
            EXPECT_EQ(base, expected);
        }
    }
}

} // namespace
