// The per-load index and the rewritten queries answer what the expressions
// they replace answer, on every schema of QuerySchemas: name lookups, lists by
// type, the registered components, the members of each substitution group,
// relative paths, the facts and attributes of each declaration and the base
// and members of each complex type.
#include "QuerySchemas.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "schema/Annotations.h"
#include "schema/NameIndex.h"

#include <algorithm>
#include <optional>
#include <set>

namespace PalimoTest {
namespace {

class Differential : public ::testing::TestWithParam<std::pair<std::string, std::string>> {
public:
    static void SetUpTestSuite() { schemas_ = QuerySchemas().load(); }
    static void TearDownTestSuite() { schemas_.clear(); }

protected:
    const QuerySchema& q() const {
        for (const auto& schema : schemas_)
            if (schema->name() == GetParam().first)
                return *schema;
        throw std::logic_error("no schema " + GetParam().first);
    }
    const Loading::Schema& s() const { return q().schema(); }

private:
    static inline std::vector<std::unique_ptr<QuerySchema>> schemas_;
};

INSTANTIATE_TEST_SUITE_P(Schemas, Differential, ::testing::ValuesIn(kQuerySchemas),
                         [](const auto& info) { return info.param.first; });

TEST_P(Differential, NameLookupsAnswerAsTheExpressionWithThePastedName) {
    // Every name attribute of the schema, and names that no declaration has.
    std::set<WString> names = {u"", u"NoSuchName", u"ff:A", u"A ", u"a", u"Foreign"};
    for (const xercesc::DOMNode* name : q().nodes("//@name"))
        names.insert(Loading::toWstring(name->getNodeValue()));
    for (const WString& name : names) {
        SCOPED_TRACE(N(name));
        if (!Loading::isPlainLiteralText(name))
            continue; // looked up by the pasted expression itself
        EXPECT_EQ(Loading::findTopLevelElement(s(), name),
                  s().selectFirstElement(s().root(), u"./xs:element[@name='" + name + u"']"));
        EXPECT_EQ(Loading::findTopLevelComplexType(s(), name),
                  s().selectFirstElement(s().root(),
                                         u"/xs:schema/xs:complexType[@name='" + name + u"']"));
    }
    // Asked, error() would fail the lookup; the name itself is no declaration's.
    const WString widened = u"x' or error() or '";
    EXPECT_EQ(Loading::findTopLevelElement(s(), widened), nullptr);
    EXPECT_EQ(Loading::findTopLevelComplexType(s(), widened), nullptr);
    EXPECT_ANY_THROW(Loading::findTopLevelElement(s(), u"O'Neil"));
    EXPECT_ANY_THROW(Loading::findTopLevelComplexType(s(), u"O'Neil"));
}

TEST_P(Differential, ListsOfTheIndexAreTheScansTheyReplace) {
    for (const char16_t* type : {u"Ref", u"ff:Ref", u"T", u"", u"UInt8"}) {
        Loading::DeclarationList found;
        Loading::findTopLevelElementsOfType(s(), type, found);
        EXPECT_EQ(found, q().elements("./xs:element[@type='" + N(type) + "']")) << N(type);
    }
    EXPECT_EQ(q().index().registeredComponents(),
              q().elements("/xs:schema/*[./xs:annotation/xs:appinfo/@source='RP210']"));
    Loading::GroupMembers groups;
    for (const xercesc::DOMElement* candidate :
         q().elements("/xs:schema/xs:element[(@substitutionGroup) and (@type!='Ref') and "
                      "(@type!='ff:Ref')]"))
        groups[Loading::stripNamespacePrefix(
                   Loading::attributeText(candidate, "substitutionGroup"))]
            .push_back(Loading::attributeText(candidate, "name"));
    EXPECT_EQ(q().index().groupMembers(), groups);
}

TEST_P(Differential, RelativeQueriesGiveTheNodesOfTheAbsoluteOnesInOrder) {
    for (const char* path :
         {"/*[./xs:annotation/xs:appinfo/@source='RP210']",
          "/xs:element[(@substitutionGroup) and (@type!='Ref') and (@type!='ff:Ref')]",
          "/xs:complexType/@name", "/*"})
        EXPECT_EQ(q().nodes(std::string("self::xs:schema") + path),
                  q().nodes(std::string("/xs:schema") + path))
            << path;
    EXPECT_FALSE(q().nodes("/xs:schema/*").empty());
    // One sequence gives the first base at depth three, else at depth two.
    for (const xercesc::DOMElement* declaration : q().elements("/xs:schema/*")) {
        std::optional<WString> expected =
            s().selectOptionalText(declaration, u"./*/*/*/@base", Loading::Resolver::None);
        if (!expected)
            expected = s().selectOptionalText(declaration, u"./*/*/@base", Loading::Resolver::None);
        EXPECT_EQ(s().selectOptionalText(declaration, u"(./*/*/*/@base, ./*/*/@base)",
                                         Loading::Resolver::None),
                  expected);
    }
}

// The complex types whose members a set can gather: the top-level ones, and
// the inline ones of the first element of each name a substitution group gives.
Loading::DeclarationList indexedTypes(const QuerySchema& q) {
    Loading::DeclarationList types = q.elements("/xs:schema/xs:complexType");
    std::set<WString> heads;
    for (const xercesc::DOMElement* e : q.elements("/xs:schema/xs:element[@substitutionGroup]"))
        heads.insert(Loading::stripNamespacePrefix(Loading::attributeText(e, "substitutionGroup")));
    std::set<WString> seen;
    for (const xercesc::DOMElement* e : q.elements("/xs:schema/xs:element[@name]")) {
        const WString name = Loading::attributeText(e, "name");
        if (heads.count(name) != 0 && seen.insert(name).second) {
            const Loading::DeclarationList inlineTypes = q.elements("./xs:complexType", e);
            types.insert(types.end(), inlineTypes.begin(), inlineTypes.end());
        }
    }
    return types;
}

TEST_P(Differential, FactsAreThoseOfThePerFactExpressions) {
    Loading::DeclarationList declarations = q().elements("/xs:schema/*");
    for (const xercesc::DOMElement* type : indexedTypes(q())) {
        for (const char* members : {".//xs:element", ".//xs:attribute"}) {
            const Loading::DeclarationList more = q().elements(members, type);
            declarations.insert(declarations.end(), more.begin(), more.end());
        }
    }
    for (const xercesc::DOMElement* declaration : declarations) {
        SCOPED_TRACE(N(Loading::attributeText(declaration, "name")));
        for (const char16_t* source :
             {u"RP210", u"UL Designator", u"Local Tag", u"use", u"Length", u"XMLNamespaceURI",
              u"Distinguished Value", u"RequiresSemanticsValidation", u"Name In Specification"})
            EXPECT_EQ(Loading::appinfoText(s(), declaration, source),
                      s().selectOptionalText(declaration, u"./xs:annotation/xs:appinfo[@source='" +
                                                              WString(source) + u"']/text()"))
                << N(source);
        const std::pair<Loading::DeclarationAttribute, const char16_t*> attributes[] = {
            {Loading::DeclarationAttribute::Name, u"./@name"},
            {Loading::DeclarationAttribute::Type, u"./@type"},
            {Loading::DeclarationAttribute::SubstitutionGroup, u"./@substitutionGroup"},
            {Loading::DeclarationAttribute::Ref, u"./@ref"}};
        for (const auto& [attribute, path] : attributes)
            EXPECT_EQ(Loading::declarationAttribute(s(), declaration, attribute),
                      s().selectOptionalText(declaration, path, Loading::Resolver::None))
                << N(path);
    }
}

TEST_P(Differential, ComplexTypesHaveTheBaseAndTheTwoDescendantLists) {
    const Loading::DeclarationList indexed = indexedTypes(q());
    for (const xercesc::DOMElement* type : q().elements("//xs:complexType")) {
        const Loading::ComplexTypeFacts* facts = q().index().complexTypeFacts(type);
        if (std::find(indexed.begin(), indexed.end(), type) == indexed.end()) {
            EXPECT_EQ(facts, nullptr);
            continue;
        }
        ASSERT_NE(facts, nullptr);
        Loading::DeclarationList expected = q().elements(".//xs:element", type);
        const Loading::DeclarationList attributes = q().elements(".//xs:attribute", type);
        expected.insert(expected.end(), attributes.begin(), attributes.end());
        EXPECT_EQ(facts->localDeclarations, expected);
        EXPECT_EQ(facts->base, s().selectOptionalText(type, u"./*/*/@base", Loading::Resolver::None)
                                   .value_or(WString()));
    }
}

// What no expression can be pasted for, and what no phase asks.
TEST(AwkwardNames, AreFoundWithoutAPastedNameAndAppinfosAreNotIndexed) {
    const auto schemas = QuerySchemas().load();
    const QuerySchema& awkward = *schemas.at(4);
    ASSERT_EQ(awkward.name(), "Awkward");
    const Loading::Schema& s = awkward.schema();
    EXPECT_NE(Loading::findTopLevelElement(s, u"amp&ersand"), nullptr);
    EXPECT_NE(Loading::findTopLevelElement(s, u"line\nbreak"), nullptr);
    EXPECT_NE(Loading::findTopLevelComplexType(s, u"amp&ersand"), nullptr);
    const auto appinfo = awkward.elements("//xs:appinfo");
    ASSERT_FALSE(appinfo.empty());
    EXPECT_THROWS_EXACTLY(Palimo::Exceptions::ParseError,
                          Loading::appinfoText(s, appinfo[0], u"use"),
                          "facts != nullptr: No annotations indexed for the declaration \"\"");
}

TEST(NameIndex, TellsWhichNamesStandForThemselvesInAnExpression) {
    const std::pair<const char16_t*, bool> cases[] = {
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
    for (const auto& [name, plain] : cases)
        EXPECT_EQ(Loading::isPlainLiteralText(name), plain) << N(name);
}

} // namespace
} // namespace PalimoTest
