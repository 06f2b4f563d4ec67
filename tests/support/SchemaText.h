#pragma once
// Dictionaries loaded from schema texts written by a test.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include <string>
#include <vector>

namespace PalimoTest {

/// The annotation every declaration needs.
constexpr const char* kNamespaceAppinfo =
    "<xs:appinfo source=\"XMLNamespaceURI\">urn:SMPTE:MXF:file_format</xs:appinfo>";

/// Loads the schema document around `body` (see schema()) into `dictionary`.
inline void loadSchemaText(const std::string& body, Palimo::MetaMetadata::Dictionary& dictionary) {
    const TempDir dir;
    const std::string path = dir.write("main.xsd", schema(body)).string();
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(W(path.c_str()).c_str(), dictionary);
}

/// A simple element declaration with the annotations the loader reads; no
/// "Name In Specification" when `nameInSpecification` is empty.
inline std::string elementDeclaration(const std::string& name, const std::string& type,
                                      const std::string& ul, const std::string& localTag,
                                      const std::string& nameInSpecification) {
    return "<xs:element name=\"" + name + "\" type=\"ff:" + type +
           "\"><xs:annotation><xs:appinfo source=\"RP210\"/>"
           "<xs:appinfo source=\"UL Designator\">" +
           ul + "</xs:appinfo><xs:appinfo source=\"Local Tag\">" + localTag + "</xs:appinfo>" +
           (nameInSpecification.empty() ? std::string()
                                        : "<xs:appinfo source=\"Name In Specification\">" +
                                              nameInSpecification + "</xs:appinfo>") +
           kNamespaceAppinfo + "</xs:annotation></xs:element>\n";
}

/// A set declaration of the members (elements declared elsewhere), each with
/// the required status `use` unless it is empty.
inline std::string setDeclaration(const std::string& name, const std::string& key,
                                  const std::vector<std::string>& members,
                                  const std::string& use = "") {
    std::string text =
        "<xs:element name=\"" + name + "Ref\" type=\"ff:Ref\" substitutionGroup=\"ff:" + name +
        "\"/>\n<xs:element name=\"" + name + "\" type=\"ff:" + name +
        "Type\"><xs:annotation><xs:appinfo source=\"UL Designator\">" + key +
        "</xs:appinfo><xs:appinfo source=\"Name In Specification\">" + name + "</xs:appinfo>" +
        kNamespaceAppinfo + "</xs:annotation></xs:element>\n<xs:complexType name=\"" + name +
        "Type\"><xs:sequence>";
    for (const std::string& member : members)
        text += "<xs:element ref=\"ff:" + member + "\">" +
                (use.empty() ? std::string()
                             : "<xs:annotation><xs:appinfo source=\"use\">" + use +
                                   "</xs:appinfo></xs:annotation>") +
                "</xs:element>";
    return text + "</xs:sequence></xs:complexType>\n";
}

} // namespace PalimoTest
