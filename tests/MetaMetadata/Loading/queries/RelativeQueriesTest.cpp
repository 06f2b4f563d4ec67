// The list queries that the loader asks relative to the schema element give
// the nodes of the expressions they replace, in the same order, and one
// sequence gives the anonymous type base that two questions would.
#include "QuerySchemas.h"

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

} // namespace

namespace {

TEST(RelativeQueries, OneSequenceGivesTheFirstBaseAtDepthThreeElseAtDepthTwo) {
    for (const auto& schema : PalimoTest::QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        const Loading::Schema& s = schema->schema();
        for (const xercesc::DOMElement* declaration : schema->elements("/xs:schema/*")) {
            std::optional<Palimo::WString> expected =
                s.selectOptionalText(declaration, u"./*/*/*/@base", Loading::Resolver::None);
            if (!expected)
                expected =
                    s.selectOptionalText(declaration, u"./*/*/@base", Loading::Resolver::None);
            const std::optional<Palimo::WString> base = s.selectOptionalText(
                declaration, u"(./*/*/*/@base, ./*/*/@base)", Loading::Resolver::None);
            EXPECT_EQ(base, expected);
        }
    }
}

} // namespace
