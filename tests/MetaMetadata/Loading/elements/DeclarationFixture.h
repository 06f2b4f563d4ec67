#pragma once
// Schema snippets and a fixture for tests of single meta element declarations.
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/schema/DomText.h"

#include <string>

namespace PalimoTest {

namespace Loading = Palimo::MetaMetadata::Loading;

/// The annotation of an RP210 declaration in the file format namespace with
/// the given label text and any further appinfo/documentation children.
inline std::string rp210(const std::string& label, const std::string& extra = "") {
    return "<xs:annotation><xs:appinfo source=\"RP210\"/>" +
           (label.empty() ? std::string()
                          : "<xs:appinfo source=\"UL Designator\">" + label + "</xs:appinfo>") +
           "<xs:appinfo source=\"XMLNamespaceURI\">urn:SMPTE:MXF:file_format</xs:appinfo>" + extra +
           "</xs:annotation>";
}

/// A 47-character label text whose last byte is `last` (two hex digits).
inline std::string label(const std::string& last) {
    return "06.0e.2b.34.01.01.01.01.01.02.03.04.05.06.07." + last;
}

/// The shared schema fixture over a schema body (wrapped in a root that binds
/// xs and ff), with a lookup of top-level components by name.
class DeclarationFixture : public SchemaFixture {
public:
    explicit DeclarationFixture(const std::string& body, const std::string& rootAttributes = "")
        : SchemaFixture(PalimoTest::schema(body, rootAttributes)) {}

    /// The first top-level component whose name is `name`; fails the test
    /// when there is none.
    xercesc::DOMElement* component(const std::string& name) const {
        const WString wanted = W(name.c_str());
        for (xercesc::DOMElement* child = root()->getFirstElementChild(); child != nullptr;
             child = child->getNextElementSibling()) {
            if (Loading::attributeText(child, "name") == wanted)
                return child;
        }
        ADD_FAILURE() << "no top-level component named " << name;
        return nullptr;
    }
};

} // namespace PalimoTest
