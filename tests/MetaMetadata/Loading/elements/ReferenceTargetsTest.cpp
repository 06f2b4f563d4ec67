#include "MetaMetadata/Loading/elements/ReferenceTargets.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/elements/DeclarationFixture.h"

#include <memory>

namespace PalimoTest {
namespace {

using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::KLV::Key;

// A reference declaration "R" whose choice names `refs`.
std::string reference(const std::vector<std::string>& refs) {
    std::string choice;
    for (const std::string& ref : refs)
        choice += "<xs:element ref=\"" + ref + "\"/>";
    return "<xs:element name=\"R\"><xs:complexType><xs:complexContent>"
           "<xs:extension base=\"StrongRefArray\"><xs:choice>" +
           choice + "</xs:choice></xs:extension></xs:complexContent></xs:complexType></xs:element>";
}

std::string member(const std::string& name, const std::string& group,
                   const std::string& type = "T") {
    return "<xs:element name=\"" + name + "\" substitutionGroup=\"" + group + "\"" +
           (type.empty() ? "" : " type=\"" + type + "\"") + "/>";
}

std::vector<WString> names(std::initializer_list<const char*> texts) {
    std::vector<WString> out;
    for (const char* text : texts)
        out.push_back(W(text));
    return out;
}

Loading::TargetNames gather(DeclarationFixture& fixture) {
    Loading::TargetNames out;
    Loading::gatherReferenceTargets(fixture.schema(), fixture.component("R"), out);
    return out;
}

// Group heads first, then the members of each name's group in document order,
// members of members in their own turn; declarations without type or typed
// as references are no members.
TEST(GatherReferenceTargets, NamesThenGroupMembersBreadthFirst) {
    DeclarationFixture fixture(reference({"ff:Head", "SetB"}) +
                               "<xs:element name=\"Head\" abstract=\"true\" type=\"T\"/>"
                               "<xs:element name=\"SetB\" type=\"T\"/>" +
                               member("M1", "ff:Head") + member("NoType", "Head", "") +
                               member("SB1", "SetB") + member("RefTyped", "Head", "ff:Ref") +
                               member("RefTyped2", "Head", "Ref") + member("M11", "M1") +
                               member("M2", "Head"));
    EXPECT_EQ(names({"Head", "SetB", "M1", "M2", "SB1", "M11"}), gather(fixture));
}

TEST(GatherReferenceTargets, DuplicatesStayWithoutBeingCycles) {
    // X is a member of two groups and the choice names SetB twice.
    DeclarationFixture fixture(reference({"SetB", "SetB", "H"}) + member("SB1", "SetB") +
                               member("X", "SB1") + member("X", "H") + member("Y", "X"));
    EXPECT_EQ(names({"SetB", "SetB", "H", "SB1", "SB1", "X", "X", "X", "Y", "Y", "Y"}),
              gather(fixture));
}

TEST(GatherReferenceTargets, NoChoiceGivesNoNames) {
    DeclarationFixture fixture("<xs:element name=\"R\"><xs:complexType><xs:complexContent>"
                               "<xs:extension base=\"StrongRefHolder\"/></xs:complexContent>"
                               "</xs:complexType></xs:element>" +
                               member("M", ""));
    EXPECT_TRUE(gather(fixture).empty());
}

struct CycleCase {
    const char* what;
    std::string members;
    std::string message;
};

class CircularGroups : public ::testing::TestWithParam<CycleCase> {};

TEST_P(CircularGroups, FailInsteadOfGrowingForever) {
    const CycleCase& c = GetParam();
    DeclarationFixture fixture(reference({"Head"}) + c.members);
    EXPECT_THROWS_EXACTLY(InvalidMetaElementDeclaration, gather(fixture),
                          "Circular substitution group in the targets of R: " + c.message)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Schemas, CircularGroups,
    ::testing::Values(
        CycleCase{"two heads", member("B", "Head") + member("Head", "ff:B"), "Head -> B -> Head"},
        CycleCase{"below the named head", member("X", "Head") + member("Y", "X") + member("X", "Y"),
                  "X -> Y -> X"}));

TEST(GatherReferenceTargets, RepeatedMembersStopAtALimitInsteadOfDoubling) {
    // Two members of one name per level double the list at every level.
    std::string members;
    for (int level = 0; level < 20; ++level) {
        const std::string group = level == 0 ? "Head" : "L" + std::to_string(level);
        const std::string name = "L" + std::to_string(level + 1);
        members += member(name, group) + member(name, group);
    }
    DeclarationFixture fixture(reference({"Head"}) + members);
    EXPECT_THROWS_EXACTLY(
        InvalidMetaElementDeclaration, gather(fixture),
        "Too many substitution group members in the targets of R: more than 65536 names");
}

TEST(GatherReferenceTargets, CycleOutsideTheTargetsIsNotVisited) {
    DeclarationFixture fixture(reference({"Head"}) + member("A", "B") + member("B", "A"));
    EXPECT_EQ(names({"Head"}), gather(fixture));
}

TEST(TargetNamesToKeys, KeysOfRegisteredNamesInNameOrder) {
    DeclarationFixture fixture("<xs:element name=\"R\"/>");
    const Key a(u"06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00", Palimo::Types::DottedHex);
    const Key b(u"06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.30.00", Palimo::Types::DottedHex);
    fixture.state.setKeys[W("A")] = std::make_unique<Key>(a);
    fixture.state.setKeys[W("B")] = std::make_unique<Key>(b);

    Palimo::KLV::KeyVector keys;
    Loading::targetNamesToKeys(fixture.state.setKeys, names({"B", "Unknown", "A", "B", "a"}), keys);
    EXPECT_EQ((Palimo::KLV::KeyVector{b, a, b}), keys);
    EXPECT_EQ(2u, fixture.state.setKeys.size()) << "a lookup must not add names";
}

} // namespace
} // namespace PalimoTest
