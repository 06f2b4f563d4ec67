#pragma once
// A LoaderState over an inline schema, as the document stage of a load leaves
// it: standalone document, resolver and namespace bindings in place.
#include "MetaMetadata/Loading/LoaderState.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"
#include "support/TestSupport.h"

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

class SchemaFixture {
public:
    explicit SchemaFixture(const std::string& body, const std::string& rootAttributes = "") {
        dir_.write("main.xsd", schema(body, rootAttributes));
        const WString directory = W(dir_.path().string().c_str());
        Palimo::XMLUtils::XSDAggregator aggregator(Palimo::XMLUtils::xmlText(directory),
                                                   u"main.xsd");
        state.schemaDocument = aggregator.createStandAloneSchemaDocument(state.parser);
        state.nsResolver = state.schemaDocument->createNSResolver(nullptr);
        Loading::bindSchemaNamespaces(state, state.schemaDocument);
    }

    /// The first top-level component whose name is `name`; fails the test
    /// when there is none.
    xercesc::DOMElement* component(const std::string& name) const {
        const WString wanted = W(name.c_str());
        for (xercesc::DOMElement* child =
                 state.schemaDocument->getDocumentElement()->getFirstElementChild();
             child != nullptr; child = child->getNextElementSibling()) {
            if (Loading::attributeText(child, "name") == wanted)
                return child;
        }
        ADD_FAILURE() << "no top-level component named " << name;
        return nullptr;
    }

    Loading::LoaderState state;

private:
    TempDir dir_;
};

} // namespace PalimoTest
