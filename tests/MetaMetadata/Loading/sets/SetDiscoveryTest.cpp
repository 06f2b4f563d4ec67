#include "sets/SetDiscovery.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

#include <map>

namespace PalimoTest {
namespace {

using Strings = std::vector<std::string>;

Strings names(const Loading::DeclarationList& declarations) {
    Strings result;
    for (const xercesc::DOMElement* declaration : declarations)
        result.push_back(N(Loading::attributeText(declaration, "name")));
    return result;
}

TEST(SetDiscovery, ElementDeclarationsAreEveryAnnotatedTopLevelComponentInDocumentOrder) {
    Snippet f(R"(
      <xs:element name="E1"><xs:annotation><xs:appinfo source="RP210">x</xs:appinfo>
        </xs:annotation></xs:element>
      <xs:element name="Plain"/>
      <xs:complexType name="T1"><xs:annotation><xs:appinfo source="RP210">x</xs:appinfo>
        </xs:annotation></xs:complexType>
      <xs:simpleType name="S1"><xs:annotation><xs:appinfo source="RP210">x</xs:appinfo>
        </xs:annotation></xs:simpleType>
      <xs:complexType name="Outer"><xs:sequence><xs:element name="Inner"><xs:annotation>
        <xs:appinfo source="RP210">x</xs:appinfo></xs:annotation></xs:element></xs:sequence>
      </xs:complexType>)");
    Loading::DeclarationList found;
    Loading::findElementDeclarations(f.schema(), found);
    EXPECT_EQ(names(found), (Strings{"E1", "T1", "S1"}));
}

TEST(SetDiscovery, ReferencesTypedRefComeBeforeThoseTypedFfRef) {
    // Another prefix for the same namespace is not a reference: the type is compared as text.
    Snippet f(R"(
      <xs:element name="R1" type="ff:Ref"/><xs:element name="R2" type="Ref"/>
      <xs:element name="R3" type="mxf:Ref"/><xs:element name="R4" type="ff:Ref"/>
      <xs:element name="R5" type="Ref"/>)",
              R"(xmlns:mxf="urn:SMPTE:MXF:file_format")");
    Loading::DeclarationList found;
    Loading::findReferenceDeclarations(f.schema(), found);
    EXPECT_EQ(names(found), (Strings{"R2", "R5", "R1", "R4"}));
}

TEST(SetDiscovery, SetsFollowTheReferencesAndKeepRepeats) {
    Snippet f(R"(
      <xs:element name="ToB" type="ff:Ref" substitutionGroup="ff:SetB"/>
      <xs:element name="SetA" type="SetAType"/>
      <xs:element name="NoGroup" type="Ref"/>
      <xs:element name="ToA" type="Ref" substitutionGroup="SetA"/>
      <xs:element name="Missing" type="Ref" substitutionGroup="Nowhere"/>
      <xs:element name="SetB" type="SetBType"/>
      <xs:element name="ToAAgain" type="ff:Ref" substitutionGroup="SetA"/>
      <xs:element name="SetA" type="SetAType"/>)");
    Loading::DeclarationList found;
    Loading::findSetDeclarations(f.schema(), found);
    ASSERT_EQ(names(found), (Strings{"SetA", "SetB", "SetA"}));
    // The first declaration of a name is the one found, every time.
    EXPECT_EQ(found[0], found[2]);
}

TEST(SetDiscovery, RegisterSetKeysKeepsTheLaterKeyOfANameAndSkipsUnlabelledSets) {
    const auto set = [](const char* name, const std::string& label) {
        return "<xs:element name=\"" + std::string(name) + "\" type=\"T\">" +
               (label.empty()
                    ? ""
                    : "<xs:annotation>" + appinfo("UL Designator", label) + "</xs:annotation>") +
               "</xs:element>";
    };
    Snippet f(set("SetA", setLabel(0x2f)) + set("Unlabelled", "") + set("SetA", setLabel(0x30)) +
              set("Other", setLabel(0x2f)));
    Loading::DeclarationList sets;
    f.schema().selectElements(f.root(), W("./xs:element"), sets);
    Loading::registerSetKeys(f.schema(), sets, f.state.setKeys);

    std::map<std::string, std::string> keys;
    for (const auto& [name, key] : f.state.setKeys)
        keys[N(name)] = key->text();
    EXPECT_EQ(keys, (std::map<std::string, std::string>{{"Other", setLabel(0x2f)},
                                                        {"SetA", setLabel(0x30)}}));
}

} // namespace
} // namespace PalimoTest
