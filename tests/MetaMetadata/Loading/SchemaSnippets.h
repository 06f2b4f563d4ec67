#pragma once
// The schema text of the loader's unit tests. Cases write their declarations
// inline as raw strings; what many cases share is here: labels, meta element
// and set declarations, member references and complex types, the fixtures over
// a schema document or body.
#include "LoaderState.h"
#include "schema/DomText.h"
#include "support/TestSupport.h"

#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/dom/DOMElement.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace PalimoTest {

namespace Loading = Palimo::MetaMetadata::Loading;

/// A loader state holding the schema made from inline text, for tests of the
/// operations that query it and of the phases that build from it.
class SchemaFixture {
public:
    /// Aggregates `text` (a whole schema document) into the state's document
    /// and makes the schema of it, as the pipeline does; `observer` sees what
    /// the schema compiles and evaluates.
    explicit SchemaFixture(const std::string& text, Loading::QueryObserver* observer = nullptr) {
        dir_.write("main.xsd", text);
        const WString directory = W(dir_.path().string().c_str());
        Palimo::XMLUtils::XSDAggregator aggregator(Palimo::XMLUtils::xmlText(directory),
                                                   u"main.xsd");
        document_ = aggregator.createStandAloneSchemaDocument(state.parser);
        state.schema = std::make_unique<Loading::Schema>(*document_, observer);
    }

    const Loading::Schema& schema() const { return *state.schema; }
    xercesc::DOMDocument& document() const { return *document_; }
    xercesc::DOMElement* root() const { return document_->getDocumentElement(); }

    /// The parser, the schema and what the phases fill.
    Loading::LoaderState state;

private:
    TempDir dir_;
    xercesc::DOMDocument* document_ = nullptr; // owned by the state's parser
};

/// A meta element label text whose last byte is `n`.
inline std::string elementLabel(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "06.0e.2b.34.01.01.01.01.01.02.03.04.05.06.07.%02x", n);
    return text;
}

/// A set key text whose byte 15 is `n`.
inline std::string setLabel(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.%02x.00", n);
    return text;
}

inline std::string appinfo(const std::string& source, const std::string& text) {
    return "<xs:appinfo source=\"" + source + "\">" + text + "</xs:appinfo>";
}

/// A meta element declaration (RP210) in the file format namespace, with
/// further `appinfos`; no name attribute for an empty `name`, no designator
/// for an empty `label`.
inline std::string rp210(const std::string& name, const std::string& type, const std::string& label,
                         const std::string& appinfos = "") {
    return "<xs:element" + (name.empty() ? "" : " name=\"" + name + "\"") + " type=\"" + type +
           "\"><xs:annotation><xs:appinfo source=\"RP210\"/>" +
           (label.empty() ? "" : appinfo("UL Designator", label)) +
           appinfo("XMLNamespaceURI", "urn:SMPTE:MXF:file_format") + appinfos +
           "</xs:annotation></xs:element>";
}

/// A set declaration `name` with its designator and namespace; no type
/// attribute for an empty `type`.
inline std::string setDeclaration(const std::string& name, const std::string& type,
                                  const std::string& label) {
    return "<xs:element name=\"" + name + "\"" + (type.empty() ? "" : " type=\"" + type + "\"") +
           "><xs:annotation>" + appinfo("Name In Specification", name + " Set") +
           appinfo("UL Designator", label) +
           appinfo("XMLNamespaceURI", "urn:SMPTE:MXF:file_format") +
           "</xs:annotation></xs:element>";
}

/// A reference to each space-separated name of `names`: xs:element, or the
/// `kind` given.
inline std::string refs(const std::string& names, const std::string& kind = "element") {
    std::string out;
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t end = std::min(names.find(' ', at), names.size());
        out += "<xs:" + kind + " ref=\"" + names.substr(at, end - at) + "\"/>";
        at = end + 1;
    }
    return out;
}

/// A complex type with a sequence of `elements` then `attributes`, derived
/// from `base` by `derivation` when `base` is not empty; unnamed for an empty `name`.
inline std::string complexType(const std::string& name, const std::string& base,
                               const std::string& elements, const std::string& attributes = "",
                               const std::string& derivation = "extension") {
    const std::string content = "<xs:sequence>" + elements + "</xs:sequence>" + attributes;
    const std::string open =
        name.empty() ? "<xs:complexType>" : "<xs:complexType name=\"" + name + "\">";
    if (base.empty())
        return open + content + "</xs:complexType>";
    return open + "<xs:complexContent><xs:" + derivation + " base=\"" + base + "\">" + content +
           "</xs:" + derivation + "></xs:complexContent></xs:complexType>";
}

/// The schema fixture over a schema body (in a root binding xs and ff, with
/// any further `rootAttributes`), with a lookup of top-level components.
class Snippet : public SchemaFixture {
public:
    explicit Snippet(const std::string& body, const std::string& rootAttributes = "",
                     Loading::QueryObserver* observer = nullptr)
        : SchemaFixture(PalimoTest::schema(body, rootAttributes), observer) {}

    /// The first top-level component named `name`; fails the test when there is none.
    xercesc::DOMElement* component(const std::string& name) const {
        for (xercesc::DOMElement* child = root()->getFirstElementChild(); child != nullptr;
             child = child->getNextElementSibling()) {
            if (Loading::attributeText(child, "name") == W(name.c_str()))
                return child;
        }
        ADD_FAILURE() << "no top-level component named " << name;
        return nullptr;
    }
};

} // namespace PalimoTest
