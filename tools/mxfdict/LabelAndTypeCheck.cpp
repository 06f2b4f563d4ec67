// check's findings for what makes a load fail: labels and local tags that are
// none, and data types the loader does not know. A load stops at the first of
// them; the check lists them all, each with its file and line.
#include "LoadRules.h"
#include "SchemaCheck.h"
#include "SchemaDom.h"

#include <set>

namespace Mxfdict {

namespace {

// One line a finding: line breaks and tabs in a message written as escapes.
std::string oneLine(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += c == '\n'   ? std::string("\\n")
               : c == '\r' ? std::string("\\r")
               : c == '\t' ? std::string("\\t")
                           : std::string(1, c);
    return out;
}

} // namespace

std::vector<Finding> checkLabelsAndTypes(const SchemaFiles& files) {
    std::vector<Finding> findings;
    const auto add = [&](const char* kind, const std::string& declaration,
                         const SchemaFiles::Component& component, std::string message) {
        const SourcePlace place = files.place(*component.element, component);
        findings.push_back({kind, declaration, place.file, place.line, std::move(message)});
    };
    const auto checkLabel = [&](const std::string& declaration,
                                const SchemaFiles::Component& component, const char* source,
                                auto rule) {
        const std::optional<std::string> text = appinfo(*component.element, source);
        if (!text)
            return;
        if (const std::optional<std::string> failure = rule(*text))
            add("malformedLabel", declaration, component,
                std::string("its \"") + source +
                    "\" cannot be read; the load fails with: " + oneLine(*failure));
    };

    std::set<std::string> setNames; // the top-level elements that references name
    for (const SchemaFiles::Component& component : files.components())
        if (localName(*component.element) == "element") {
            const std::string type = attribute(*component.element, "type").value_or("");
            if (type == "Ref" || type == "ff:Ref")
                setNames.insert(
                    localPart(attribute(*component.element, "substitutionGroup").value_or("")));
        }
    std::set<std::string> setsSeen;
    for (const SchemaFiles::Component& component : files.components()) {
        const xercesc::DOMElement& declaration = *component.element;
        const std::string name = attribute(declaration, "name").value_or("");
        if (appinfo(declaration, "RP210")) {
            checkLabel("element " + name, component, "UL Designator", labelFailure);
            checkLabel("element " + name, component, "Local Tag", localTagFailure);
            if (appinfo(declaration, "UL Designator"))
                if (const std::optional<UnknownType> unknown = unknownType(declaration))
                    add("unknownType", "element " + name, component,
                        unknown->reason + "; the load fails on it");
        } else if (localName(declaration) == "element" && setNames.count(name) &&
                   setsSeen.insert(name).second) {
            checkLabel("set " + name, component, "UL Designator", labelFailure);
        }
    }
    return findings;
}

} // namespace Mxfdict
