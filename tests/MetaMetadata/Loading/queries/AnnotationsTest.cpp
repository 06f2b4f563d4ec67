// A declaration's facts read by one query (for itself, for every top-level
// component at once, or for the members of a type at once) answer what the
// per-fact expressions answer.
#include "QuerySchemas.h"

#include "MetaMetadata/Loading/schema/Annotations.h"
#include "MetaMetadata/Loading/sets/MemberGathering.h"

#include <optional>

namespace {

using namespace PalimoTest;

const char16_t* const kSources[] = {u"RP210",
                                    u"UL Designator",
                                    u"Local Tag",
                                    u"use",
                                    u"Length",
                                    u"XMLNamespaceURI",
                                    u"Distinguished Value",
                                    u"RequiresSemanticsValidation",
                                    u"Name In Specification"};

struct Answers {
    std::vector<std::optional<WString>> texts; // one per source
    std::optional<WString> name;
};

Answers askLiterally(Loading::LoaderState& state, const xercesc::DOMElement* declaration) {
    Answers answers;
    for (const char16_t* source : kSources)
        answers.texts.push_back(Loading::selectOptionalText(
            state, declaration,
            u"./xs:annotation/xs:appinfo[@source='" + WString(source) + u"']/text()"));
    answers.name =
        Loading::selectOptionalText(state, declaration, u"./@name", Loading::Resolver::None);
    return answers;
}

Answers askThroughFacts(Loading::LoaderState& state, const xercesc::DOMElement* declaration) {
    Answers answers;
    for (const char16_t* source : kSources)
        answers.texts.push_back(Loading::appinfoText(state, declaration, source));
    answers.name = Loading::nameAttributeText(state, declaration);
    return answers;
}

enum class Order { DocumentOrder, MembersFirst };

void compareFacts(Order order) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        Loading::LoaderState& state = schema->state();
        // Top-level components, members at any depth, and the types holding them.
        Loading::DeclarationList declarations = schema->elements("/xs:schema/*");
        for (const char* nested : {"//xs:element", "//xs:attribute", "//xs:complexType"}) {
            const Loading::DeclarationList more = schema->elements(nested);
            declarations.insert(declarations.end(), more.begin(), more.end());
        }
        std::vector<Answers> expected;
        for (const xercesc::DOMElement* declaration : declarations)
            expected.push_back(askLiterally(state, declaration));

        if (order == Order::MembersFirst) {
            Loading::DeclarationList members;
            for (const xercesc::DOMElement* type : schema->elements("//xs:complexType"))
                Loading::collectLocalDeclarations(state, type, members);
        }
        for (std::size_t i = 0; i < declarations.size(); ++i) {
            SCOPED_TRACE(i);
            const Answers answers = askThroughFacts(state, declarations[i]);
            EXPECT_EQ(answers.texts, expected[i].texts);
            EXPECT_EQ(answers.name, expected[i].name);
        }
    }
}

TEST(Annotations, AnswerAsThePerFactExpressionsInDocumentOrder) {
    compareFacts(Order::DocumentOrder);
}

TEST(Annotations, AnswerAsThePerFactExpressionsWhenMembersWereReadWithTheirType) {
    compareFacts(Order::MembersFirst);
}

TEST(Annotations, FirstTextOfTheFirstMatchingAppinfoCounts) {
    QuerySchemas schemas;
    for (const auto& schema : schemas.load()) {
        if (schema->name() != "awkward cases")
            continue;
        Loading::LoaderState& state = schema->state();
        const auto c = schema->elements("//xs:element[@ref='ff:C']");
        ASSERT_EQ(c.size(), 1u);
        EXPECT_EQ(Loading::appinfoText(state, c[0], u"use"), WString(u"required"));
        EXPECT_EQ(Loading::appinfoText(state, c[0], u"Distinguished Value"), WString(u"7"));
        EXPECT_EQ(Loading::nameAttributeText(state, c[0]), std::nullopt);
        const auto nested = schema->elements("//xs:element[@name='Nested']");
        ASSERT_EQ(nested.size(), 1u);
        EXPECT_EQ(Loading::appinfoText(state, nested[0], u"RequiresSemanticsValidation"),
                  WString(u"yes"));
        EXPECT_EQ(Loading::appinfoText(state, nested[0], u"use"), std::nullopt);
        const auto a = schema->elements("xs:element[@name='A']");
        ASSERT_EQ(a.size(), 2u);
        EXPECT_EQ(Loading::appinfoText(state, a[0], u"UL Designator"), WString(u" padded "));
        EXPECT_EQ(Loading::appinfoText(state, a[0], u"Local Tag"), WString(u"second annotation"));
        EXPECT_EQ(Loading::appinfoText(state, a[0], u"RP210"), WString(u"A"));
        EXPECT_EQ(Loading::appinfoText(state, a[1], u"RP210"), std::nullopt);
    }
}

} // namespace
