#include "MetaMetadata/Loading/elements/ReferenceTargets.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

namespace PalimoTest {
namespace {

using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::KLV::Key;

// A reference declaration "R" whose choice names `refs`.
std::string reference(std::initializer_list<const char*> refs) {
    std::string choice;
    for (const char* ref : refs)
        choice += "<xs:element ref=\"" + std::string(ref) + "\"/>";
    return R"(<xs:element name="R"><xs:complexType><xs:complexContent>
      <xs:extension base="StrongRefArray"><xs:choice>)" +
           choice + "</xs:choice></xs:extension></xs:complexContent></xs:complexType></xs:element>";
}

std::vector<WString> names(std::initializer_list<const char*> texts) {
    std::vector<WString> out;
    for (const char* text : texts)
        out.push_back(W(text));
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
    std::vector<WString> targets;
    std::string circular; // the cycle of the failure, when the gathering fails
};

class GatherReferenceTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(GatherReferenceTargets, NamesThenGroupMembersBreadthFirst) {
    const TargetCase& c = GetParam();
    Snippet fixture(c.body);
    if (c.circular.empty()) {
        EXPECT_EQ(c.targets, gather(fixture));
    } else {
        EXPECT_THROWS_EXACTLY(InvalidMetaElementDeclaration, gather(fixture),
                              "Circular substitution group in the targets of R: " + c.circular);
    }
}

// Group heads first, then the members of each name's group in document order,
// members of members in their own turn; declarations without type or typed as
// references are no members.
INSTANTIATE_TEST_SUITE_P(
    Schemas, GatherReferenceTargets,
    ::testing::Values(
        TargetCase{"InDocumentOrderLevelByLevel", reference({"ff:Head", "SetB"}) + R"(
            <xs:element name="Head" abstract="true" type="T"/>
            <xs:element name="SetB" type="T"/>
            <xs:element name="M1" substitutionGroup="ff:Head" type="T"/>
            <xs:element name="NoType" substitutionGroup="Head"/>
            <xs:element name="SB1" substitutionGroup="SetB" type="T"/>
            <xs:element name="RefTyped" substitutionGroup="Head" type="ff:Ref"/>
            <xs:element name="RefTyped2" substitutionGroup="Head" type="Ref"/>
            <xs:element name="M11" substitutionGroup="M1" type="T"/>
            <xs:element name="M2" substitutionGroup="Head" type="T"/>)",
                   names({"Head", "SetB", "M1", "M2", "SB1", "M11"}), ""},
        // X is a member of two groups and the choice names SetB twice.
        TargetCase{"DuplicatesStayWithoutBeingCycles", reference({"SetB", "SetB", "H"}) + R"(
            <xs:element name="SB1" substitutionGroup="SetB" type="T"/>
            <xs:element name="X" substitutionGroup="SB1" type="T"/>
            <xs:element name="X" substitutionGroup="H" type="T"/>
            <xs:element name="Y" substitutionGroup="X" type="T"/>)",
                   names({"SetB", "SetB", "H", "SB1", "SB1", "X", "X", "X", "Y", "Y", "Y"}), ""},
        TargetCase{"NoChoiceNoNames",
                   R"(<xs:element name="R"><xs:complexType><xs:complexContent>
              <xs:extension base="StrongRefHolder"/></xs:complexContent></xs:complexType></xs:element>
            <xs:element name="M" substitutionGroup="" type="T"/>)",
                   {},
                   ""},
        TargetCase{"CycleOutsideTheTargetsIsNotVisited", reference({"Head"}) + R"(
            <xs:element name="A" substitutionGroup="B" type="T"/>
            <xs:element name="B" substitutionGroup="A" type="T"/>)",
                   names({"Head"}), ""},
        TargetCase{"CycleOfTwoHeads",
                   reference({"Head"}) + R"(
            <xs:element name="B" substitutionGroup="Head" type="T"/>
            <xs:element name="Head" substitutionGroup="ff:B" type="T"/>)",
                   {},
                   "Head -> B -> Head"},
        TargetCase{"CycleBelowTheNamedHead",
                   reference({"Head"}) + R"(
            <xs:element name="X" substitutionGroup="Head" type="T"/>
            <xs:element name="Y" substitutionGroup="X" type="T"/>
            <xs:element name="X" substitutionGroup="Y" type="T"/>)",
                   {},
                   "X -> Y -> X"}),
    [](const auto& info) { return info.param.name; });

TEST(GatherReferenceTargetsCap, RepeatedMembersStopAtALimitInsteadOfDoubling) {
    // Two members of one name per level double the list at every level.
    std::string members;
    for (int level = 0; level < 20; ++level) {
        const std::string member = "<xs:element name=\"L" + std::to_string(level + 1) +
                                   "\" type=\"T\" substitutionGroup=\"" +
                                   (level == 0 ? "Head" : "L" + std::to_string(level)) + "\"/>";
        members += member + member;
    }
    EXPECT_THROWS_EXACTLY(
        InvalidMetaElementDeclaration, gather(Snippet(reference({"Head"}) + members)),
        "Too many substitution group members in the targets of R: more than 65536 names");
}

TEST(TargetNamesToKeys, KeysOfRegisteredNamesInNameOrder) {
    Loading::SetKeys setKeys;
    const Key a(W(setLabel(0x2f).c_str()).c_str(), Palimo::Types::DottedHex);
    const Key b(W(setLabel(0x30).c_str()).c_str(), Palimo::Types::DottedHex);
    setKeys[W("A")] = std::make_unique<Key>(a);
    setKeys[W("B")] = std::make_unique<Key>(b);
    Palimo::KLV::KeyVector keys;
    Loading::targetNamesToKeys(setKeys, names({"B", "Unknown", "A", "B", "a"}), keys);
    EXPECT_EQ((Palimo::KLV::KeyVector{b, a, b}), keys);
    EXPECT_EQ(2u, setKeys.size()) << "a lookup must not add names";
}

} // namespace
} // namespace PalimoTest
