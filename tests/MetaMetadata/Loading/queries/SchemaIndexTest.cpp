// The schema index answers what the expressions it replaces answer, on every
// schema of QuerySchemas: the facts of each declaration, the registered
// components, the base and members of each complex type and the members of
// each substitution group.
#include "QuerySchemas.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/schema/Annotations.h"

#include <map>
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

Answers askLiterally(const Loading::Schema& schema, const xercesc::DOMElement* declaration) {
    Answers answers;
    for (const char16_t* source : kSources)
        answers.texts.push_back(schema.selectOptionalText(
            declaration, u"./xs:annotation/xs:appinfo[@source='" + WString(source) + u"']/text()"));
    answers.name = schema.selectOptionalText(declaration, u"./@name", Loading::Resolver::None);
    return answers;
}

Answers askTheIndex(const Loading::Schema& schema, const xercesc::DOMElement* declaration) {
    Answers answers;
    for (const char16_t* source : kSources)
        answers.texts.push_back(Loading::appinfoText(schema, declaration, source));
    answers.name = Loading::nameAttributeText(schema, declaration);
    return answers;
}

// The complex types whose members a set can gather.
const char kIndexedTypes[] = "(/xs:schema/xs:complexType, /xs:schema/xs:element/xs:complexType)";

TEST(SchemaIndex, FactsAreThoseOfThePerFactExpressions) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        const Loading::Schema& s = schema->schema();
        Loading::DeclarationList declarations = schema->elements("/xs:schema/*");
        for (const xercesc::DOMElement* type : schema->elements(kIndexedTypes)) {
            for (const char* members : {".//xs:element", ".//xs:attribute"}) {
                const Loading::DeclarationList more = schema->elements(members, type);
                declarations.insert(declarations.end(), more.begin(), more.end());
            }
        }
        for (const xercesc::DOMElement* declaration : declarations) {
            SCOPED_TRACE(N(Loading::attributeText(declaration, "name")));
            const Answers expected = askLiterally(s, declaration);
            const Answers answers = askTheIndex(s, declaration);
            EXPECT_EQ(answers.texts, expected.texts);
            EXPECT_EQ(answers.name, expected.name);
        }
    }
}

TEST(SchemaIndex, RegisteredComponentsAreThoseOfTheSourceScan) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        EXPECT_EQ(schema->index().registeredComponents(),
                  schema->elements("/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"));
    }
}

TEST(SchemaIndex, ComplexTypesHaveTheBaseAndTheTwoDescendantLists) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        const Loading::DeclarationList indexed = schema->elements(kIndexedTypes);
        for (const xercesc::DOMElement* type : schema->elements("//xs:complexType")) {
            const Loading::ComplexTypeFacts* facts = schema->index().complexTypeFacts(type);
            if (std::find(indexed.begin(), indexed.end(), type) == indexed.end()) {
                EXPECT_EQ(facts, nullptr);
                continue;
            }
            ASSERT_NE(facts, nullptr);
            Loading::DeclarationList expected = schema->elements(".//xs:element", type);
            const Loading::DeclarationList attributes = schema->elements(".//xs:attribute", type);
            expected.insert(expected.end(), attributes.begin(), attributes.end());
            EXPECT_EQ(facts->localDeclarations, expected);
            EXPECT_EQ(facts->base,
                      schema->schema()
                          .selectOptionalText(type, u"./*/*/@base", Loading::Resolver::None)
                          .value_or(WString()));
        }
    }
}

TEST(SchemaIndex, GroupMembersAreTheCandidatesOfTheScanByGroup) {
    for (const auto& schema : QuerySchemas().load()) {
        SCOPED_TRACE(schema->name());
        Loading::GroupMembers expected;
        for (const xercesc::DOMElement* candidate :
             schema->elements("/xs:schema/xs:element[(@substitutionGroup) and (@type!='Ref') and "
                              "(@type!='ff:Ref')]"))
            expected[Loading::stripNamespacePrefix(
                         Loading::attributeText(candidate, "substitutionGroup"))]
                .push_back(Loading::attributeText(candidate, "name"));
        EXPECT_EQ(schema->index().groupMembers(), expected);
    }
}

TEST(SchemaIndex, FirstTextOfTheFirstMatchingAppinfoCounts) {
    QuerySchemas schemas;
    for (const auto& schema : schemas.load()) {
        if (schema->name() != "awkward cases")
            continue;
        const Loading::Schema& s = schema->schema();
        const auto c = schema->elements("//xs:element[@ref='ff:C']");
        ASSERT_EQ(c.size(), 1u);
        EXPECT_EQ(Loading::appinfoText(s, c[0], u"use"), WString(u"required"));
        EXPECT_EQ(Loading::appinfoText(s, c[0], u"Distinguished Value"), WString(u"7"));
        EXPECT_EQ(Loading::nameAttributeText(s, c[0]), std::nullopt);
        const auto nested = schema->elements("//xs:element[@name='Nested']");
        ASSERT_EQ(nested.size(), 1u);
        EXPECT_EQ(Loading::appinfoText(s, nested[0], u"RequiresSemanticsValidation"),
                  WString(u"yes"));
        EXPECT_EQ(Loading::appinfoText(s, nested[0], u"use"), std::nullopt);
        const auto a = schema->elements("xs:element[@name='A']");
        ASSERT_EQ(a.size(), 2u);
        EXPECT_EQ(Loading::appinfoText(s, a[0], u"UL Designator"), WString(u" padded "));
        EXPECT_EQ(Loading::appinfoText(s, a[0], u"Local Tag"), WString(u"second annotation"));
        EXPECT_EQ(Loading::appinfoText(s, a[0], u"RP210"), WString(u"A"));
        EXPECT_EQ(Loading::appinfoText(s, a[1], u"RP210"), std::nullopt);
        // No phase asks about an appinfo element: it is not indexed.
        const auto appinfo = schema->elements("//xs:appinfo");
        ASSERT_FALSE(appinfo.empty());
        EXPECT_THROWS_EXACTLY(Palimo::Exceptions::ParseError,
                              Loading::appinfoText(s, appinfo[0], u"use"),
                              "facts != nullptr: No annotations indexed for the declaration \"\"");
    }
}

} // namespace
