#include "MetaMetadata/Loading/sets/SetDiscovery.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/schema/DomText.h"
#include "MetaMetadata/Loading/schema/Schema.h"

namespace {

using namespace Palimo::MetaMetadata::Loading;
using PalimoTest::N;
using PalimoTest::schema;
using PalimoTest::SchemaFixture;

std::vector<std::string> names(const DeclarationList& declarations) {
    std::vector<std::string> result;
    for (const xercesc::DOMElement* declaration : declarations)
        result.push_back(N(attributeText(declaration, "name")));
    return result;
}

std::string set(const std::string& name, const std::string& label) {
    return "<xs:element name=\"" + name + "\" type=\"" + name + "Type\">" +
           (label.empty() ? ""
                          : "<xs:annotation><xs:appinfo source=\"UL Designator\">" + label +
                                "</xs:appinfo></xs:annotation>") +
           "</xs:element>";
}

std::string reference(const std::string& name, const std::string& type, const std::string& group) {
    return "<xs:element name=\"" + name + "\" type=\"" + type + "\"" +
           (group.empty() ? "" : " substitutionGroup=\"" + group + "\"") + "/>";
}

const char kRP210[] = "<xs:annotation><xs:appinfo source=\"RP210\">x</xs:appinfo></xs:annotation>";
const char kLabelA[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
const char kLabelB[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.30.00";

TEST(SetDiscovery, ElementDeclarationsAreEveryAnnotatedTopLevelComponentInDocumentOrder) {
    SchemaFixture f(
        schema(std::string("<xs:element name=\"E1\">") + kRP210 + "</xs:element>" +
               "<xs:element name=\"Plain\"/>" + "<xs:complexType name=\"T1\">" + kRP210 +
               "</xs:complexType>" + "<xs:simpleType name=\"S1\">" + kRP210 + "</xs:simpleType>" +
               "<xs:complexType name=\"Outer\"><xs:sequence><xs:element name=\"Inner\">" + kRP210 +
               "</xs:element></xs:sequence></xs:complexType>"));
    DeclarationList found;
    findElementDeclarations(f.schema(), found);
    EXPECT_EQ(names(found), (std::vector<std::string>{"E1", "T1", "S1"}));
}

TEST(SetDiscovery, ReferencesTypedRefComeBeforeThoseTypedFfRef) {
    SchemaFixture f(schema(reference("R1", "ff:Ref", "") + reference("R2", "Ref", "") +
                               reference("R3", "mxf:Ref", "") + reference("R4", "ff:Ref", "") +
                               reference("R5", "Ref", ""),
                           "xmlns:mxf=\"urn:SMPTE:MXF:file_format\""));
    DeclarationList found;
    findReferenceDeclarations(f.schema(), found);
    // Another prefix for the same namespace is not a reference: the type is compared as text.
    EXPECT_EQ(names(found), (std::vector<std::string>{"R2", "R5", "R1", "R4"}));
}

TEST(SetDiscovery, SetsFollowTheReferencesAndKeepRepeats) {
    SchemaFixture f(schema(reference("ToB", "ff:Ref", "ff:SetB") + set("SetA", "") +
                           reference("NoGroup", "Ref", "") + reference("ToA", "Ref", "SetA") +
                           reference("Missing", "Ref", "Nowhere") + set("SetB", "") +
                           reference("ToAAgain", "ff:Ref", "SetA") + set("SetA", "")));
    DeclarationList found;
    findSetDeclarations(f.schema(), found);
    ASSERT_EQ(names(found), (std::vector<std::string>{"SetA", "SetB", "SetA"}));
    // The first declaration of a name is the one found, every time.
    EXPECT_EQ(found[0], found[2]);
}

TEST(SetDiscovery, RegisterSetKeysKeepsTheLaterKeyOfANameAndSkipsUnlabelledSets) {
    SchemaFixture f(schema(set("SetA", kLabelA) + set("Unlabelled", "") + set("SetA", kLabelB) +
                           set("Other", kLabelA)));
    DeclarationList sets;
    f.schema().selectElements(f.root(), PalimoTest::W("./xs:element"), sets);
    registerSetKeys(f.schema(), sets, f.state.setKeys);

    std::map<std::string, std::string> keys;
    for (const auto& [name, key] : f.state.setKeys)
        keys[N(name)] = key->text();
    EXPECT_EQ(keys, (std::map<std::string, std::string>{{"Other", kLabelA}, {"SetA", kLabelB}}));
}

} // namespace
