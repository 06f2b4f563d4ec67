// check's findings for what makes a load fail: labels and local tags that are
// none, and data types the loader does not know. A load stops at the first of
// them; the check lists them all, each with its file and line.
#include "Checks.h"
#include "LoadRules.h"
#include "SchemaDom.h"
#include "schema/Annotations.h"

#include <set>

namespace Palimo {
namespace Check {

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

std::vector<Finding> checkLabelsAndTypes(const SchemaSet& schema) {
    namespace Source = MetaMetadata::Loading::AppinfoSource;
    std::vector<Finding> findings;
    const auto add = [&](const char* kind, const std::string& declaration,
                         const xercesc::DOMElement& component, std::string message) {
        const SourcePlace place = schema.place(component);
        findings.push_back({kind, declaration, place.file, place.line, std::move(message)});
    };
    const auto checkLabel = [&](const std::string& declaration,
                                const xercesc::DOMElement& component, const char16_t* source,
                                auto rule) {
        const std::optional<std::string> text = schema.appinfo(component, source);
        if (!text)
            return;
        if (const std::optional<std::string> failure = rule(*text))
            add("malformedLabel", declaration, component,
                "its \"" + utf8(source) +
                    "\" cannot be read; the load fails with: " + oneLine(*failure));
    };

    std::set<std::string> setNames; // the top-level elements that references name
    for (const xercesc::DOMElement* component : schema.components())
        if (localName(*component) == "element") {
            const std::string type = attribute(*component, "type").value_or("");
            for (const char16_t* reference : MetaMetadata::Loading::kReferenceTypes)
                if (type == utf8(reference))
                    setNames.insert(soughtName(
                        localPart(attribute(*component, "substitutionGroup").value_or(""))));
        }
    std::set<std::string> setsSeen;
    for (const xercesc::DOMElement* component : schema.components()) {
        const xercesc::DOMElement& declaration = *component;
        const std::string name = attribute(declaration, "name").value_or("");
        if (schema.isRegistered(declaration)) {
            checkLabel("element " + name, declaration, Source::kULDesignator, labelFailure);
            checkLabel("element " + name, declaration, Source::kLocalTag, localTagFailure);
            if (schema.appinfo(declaration, Source::kULDesignator))
                if (const std::optional<UnknownType> unknown = unknownType(schema, declaration))
                    add("unknownType", "element " + name, declaration,
                        unknown->reason + "; the load fails on it");
        } else if (localName(declaration) == "element" && setNames.count(name) &&
                   setsSeen.insert(name).second) {
            checkLabel("set " + name, declaration, Source::kULDesignator, labelFailure);
        }
    }
    return findings;
}

} // namespace Check
} // namespace Palimo
