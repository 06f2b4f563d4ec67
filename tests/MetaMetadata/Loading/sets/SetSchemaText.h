#pragma once
// Schema snippets of the load failure catalogue and the whole-load set tests;
// unit tests use MetaMetadata/Loading/SchemaSnippets.h.
#include "MetaMetadata/Loading/PhaseData.h"
#include "MetaMetadata/Loading/schema/DomText.h"
#include "MetaMetadata/Loading/schema/Schema.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace SetsTest {

inline std::string appinfo(const std::string& source, const std::string& text) {
    return "<xs:appinfo source=\"" + source + "\">" + text + "</xs:appinfo>";
}

inline std::string annotation(const std::string& appinfos) {
    return appinfos.empty() ? "" : "<xs:annotation>" + appinfos + "</xs:annotation>";
}

/// A member declaration: `kind` is "element" or "attribute".
inline std::string member(const std::string& kind, const std::string& ref,
                          const std::string& appinfos = "") {
    return "<xs:" + kind + " ref=\"" + ref + "\">" + annotation(appinfos) + "</xs:" + kind + ">";
}

/// A complex type with a sequence of `elements` then `attributes`, derived
/// from `base` by `derivation` ("extension" or "restriction") when given.
inline std::string complexType(const std::string& name, const std::string& base,
                               const std::string& elements, const std::string& attributes = "",
                               const std::string& derivation = "extension") {
    const std::string content = "<xs:sequence>" + elements + "</xs:sequence>" + attributes;
    const std::string nameAttribute = name.empty() ? "" : " name=\"" + name + "\"";
    if (base.empty())
        return "<xs:complexType" + nameAttribute + ">" + content + "</xs:complexType>";
    return "<xs:complexType" + nameAttribute + "><xs:complexContent><xs:" + derivation +
           " base=\"" + base + "\">" + content + "</xs:" + derivation +
           "></xs:complexContent></xs:complexType>";
}

/// A 47-character designator whose byte 15 is `n`.
inline std::string label(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.%02x.00", n);
    return text;
}

inline const char kNamespace[] = "urn:SMPTE:MXF:file_format";

/// A set declaration with a designator (unless `designator` is empty) and a
/// namespace annotation (unless `withNamespace` is false).
inline std::string setDeclaration(const std::string& name, const std::string& type,
                                  const std::string& designator, bool withNamespace = true,
                                  const std::string& inlineType = "") {
    std::string appinfos = appinfo("Name In Specification", name + " Set");
    if (!designator.empty())
        appinfos += appinfo("UL Designator", designator);
    if (withNamespace)
        appinfos += appinfo("XMLNamespaceURI", kNamespace);
    const std::string typeAttribute = type.empty() ? "" : " type=\"" + type + "\"";
    return "<xs:element name=\"" + name + "\"" + typeAttribute + ">" + annotation(appinfos) +
           inlineType + "</xs:element>";
}

} // namespace SetsTest
