#include "elements/ReferenceTargets.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

#include <sstream>

namespace PalimoTest {
namespace {

using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::KLV::Key;

// A reference declaration "R" whose choice names `targets`, then the
// declarations of `members`: each "name<group" is a declaration of type T in
// that substitution group, "name<group=type" one of another type and
// "name<group=" one without type.
std::string schemaOf(const std::string& targets, const std::string& members) {
    std::string body =
        R"(<xs:element name="R"><xs:complexType><xs:complexContent>
      <xs:extension base="StrongRefArray"><xs:choice>)" +
        refs(targets) +
        "</xs:choice></xs:extension></xs:complexContent></xs:complexType></xs:element>";
    std::istringstream in(members);
    for (std::string member; in >> member;) {
        const std::size_t lt = member.find('<');
        const std::size_t eq = std::min(member.find('='), member.size());
        const std::string type = eq == member.size() ? "T" : member.substr(eq + 1);
        body += "<xs:element name=\"" + member.substr(0, lt) + "\" substitutionGroup=\"" +
                member.substr(lt + 1, eq - lt - 1) + "\"" +
                (type.empty() ? "" : " type=\"" + type + "\"") + "/>";
    }
    return body;
}

std::vector<WString> names(const std::string& spaced) {
    std::vector<WString> out;
    std::istringstream in(spaced);
    for (std::string name; in >> name;)
        out.push_back(W(name.c_str()));
    return out;
}

Loading::TargetNames gather(const Snippet& fixture) {
    Loading::TargetNames out;
    Loading::gatherReferenceTargets(fixture.schema(), fixture.component("R"), out);
    return out;
}

struct TargetCase {
    const char* name;
    std::string body;
    std::string expected; // the names gathered, or the cycle the gathering fails on
};

class GatherReferenceTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(GatherReferenceTargets, NamesThenGroupMembersBreadthFirst) {
    const TargetCase& c = GetParam();
    Snippet fixture(c.body);
    if (c.expected.find(" -> ") == std::string::npos) {
        EXPECT_EQ(names(c.expected), gather(fixture));
    } else {
        EXPECT_THROWS_EXACTLY(InvalidMetaElementDeclaration, gather(fixture),
                              "Circular substitution group in the targets of R: " + c.expected);
    }
}

// Group heads first, then the members of each name's group in document order,
// members of members in their own turn; declarations without type or typed as
// references are no members. Cycles through the named head are in the failure
// catalogue.
INSTANTIATE_TEST_SUITE_P(
    Schemas, GatherReferenceTargets,
    ::testing::Values(
        TargetCase{
            "InDocumentOrderLevelByLevel",
            schemaOf("ff:Head SetB", "M1<ff:Head NoType<Head= SB1<SetB RefTyped<Head=ff:Ref "
                                     "RefTyped2<Head=Ref M11<M1 M2<Head") +
                R"(<xs:element name="Head" abstract="true" type="T"/><xs:element name="SetB" type="T"/>)",
            "Head SetB M1 M2 SB1 M11"},
        // X is a member of two groups and the choice names SetB twice.
        TargetCase{"DuplicatesStayWithoutBeingCycles",
                   schemaOf("SetB SetB H", "SB1<SetB X<SB1 X<H Y<X"),
                   "SetB SetB H SB1 SB1 X X X Y Y Y"},
        TargetCase{"NoChoiceNoNames", R"(<xs:element name="R"><xs:complexType><xs:complexContent>
              <xs:extension base="StrongRefHolder"/></xs:complexContent></xs:complexType>
              </xs:element><xs:element name="M" substitutionGroup="" type="T"/>)",
                   ""},
        TargetCase{"CycleOutsideTheTargetsIsNotVisited", schemaOf("Head", "A<B B<A"), "Head"},
        TargetCase{"CycleBelowTheNamedHead", schemaOf("Head", "X<Head Y<X X<Y"), "X -> Y -> X"}),
    [](const auto& info) { return info.param.name; });

TEST(GatherReferenceTargetsCap, RepeatedMembersStopAtALimitInsteadOfDoubling) {
    // Two members of one name per level double the list at every level: with
    // the head, 15 levels give 2^16 - 1 names, and each direct member one more.
    std::string members;
    for (int level = 1; level <= 15; ++level) {
        const std::string member = " L" + std::to_string(level) + "<" +
                                   (level == 1 ? "Head" : "L" + std::to_string(level - 1));
        members += member + member;
    }
    EXPECT_EQ(gather(Snippet(schemaOf("Head", members + " X<Head"))).size(), 65536u);
    EXPECT_THROWS_EXACTLY(
        InvalidMetaElementDeclaration,
        gather(Snippet(schemaOf("Head", members + " X<Head Y<Head"))),
        "Too many substitution group members in the targets of R: more than 65536 names");
}

TEST(TargetNamesToKeys, KeysOfRegisteredNamesInNameOrder) {
    Loading::SetKeys setKeys;
    const Key a(W(setLabel(0x2f).c_str()).c_str(), Palimo::Types::DottedHex);
    const Key b(W(setLabel(0x30).c_str()).c_str(), Palimo::Types::DottedHex);
    setKeys[W("A")] = std::make_unique<Key>(a);
    setKeys[W("B")] = std::make_unique<Key>(b);
    Palimo::KLV::KeyVector keys;
    Loading::targetNamesToKeys(setKeys, names("B Unknown A B a"), keys);
    EXPECT_EQ((Palimo::KLV::KeyVector{b, a, b}), keys);
    EXPECT_EQ(2u, setKeys.size()) << "a lookup must not add names";
}

} // namespace
} // namespace PalimoTest
