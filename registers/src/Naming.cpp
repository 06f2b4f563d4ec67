#include "Naming.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Types/Identifiers.h>

#include <algorithm>

namespace Palimo {
namespace Registers {

const char kFileFormatNamespace[] = "urn:SMPTE:MXF:file_format";

namespace {

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The symbol as an XML name (NCName, ASCII only): other characters become
// "_", and a name that cannot start with its first character gets a "_"
// before it.
std::string xmlName(const std::string& symbol) {
    std::string name;
    for (const char c : symbol)
        name += isNameChar(c) ? c : '_';
    if (name.empty() || !isNameStart(name.front()))
        name.insert(name.begin(), '_');
    return name;
}

std::string labelSuffix(const Label& ul) {
    return "_" + Identifiers::hexText(ul.data() + 8, 8);
}

// Hands out names from one symbol space.
class NameSpace {
public:
    explicit NameSpace(const std::set<std::string>& reserved = {}) : taken_(reserved) {}
    bool isTaken(const std::string& name) const { return taken_.count(name) != 0; }
    // The first candidate that is free; the last one is taken regardless.
    std::string claim(const std::vector<std::string>& candidates) {
        for (const std::string& candidate : candidates)
            if (taken_.insert(candidate).second)
                return candidate;
        std::string last = candidates.back();
        for (int i = 2; !taken_.insert(last).second; ++i)
            last = candidates.back() + "_" + std::to_string(i);
        return last;
    }

private:
    std::set<std::string> taken_;
};

} // namespace

const std::set<std::string>& reservedTypeNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> result{
            "Ref",          "StrongRefHolder", "WeakRefHolder", "StrongRefArray", "StrongRefBatch",
            "WeakRefArray", "WeakRefBatch"};
        for (int i = 0; i <= Types::Identifiers::LastIdentifier; ++i) {
            const std::string name =
                Types::Identifiers::identifierToString(static_cast<Types::Identifier>(i));
            if (!name.empty())
                result.insert(name);
        }
        return result;
    }();
    return names;
}

Names assignNames(const Selection& selection) {
    Names names;
    NameSpace elementSpace; // sets, elements and reference declarations share it
    NameSpace typeSpace(reservedTypeNames());

    auto record = [&](const char* what, const std::string& symbol, const std::string& name,
                      const std::string& reason) {
        if (name != symbol)
            names.renames.push_back({what, symbol, name, reason});
    };

    for (const SelectedSet& set : selection.sets) {
        const GroupEntry& group = *set.group;
        const std::string base = xmlName(group.symbol);
        const std::string name = elementSpace.claim({base, base + labelSuffix(group.ul)});
        names.sets[&group] = name;
        record("set", group.symbol, name,
               name == base ? "the symbol is no XML name" : "a set with a lower UL has the symbol");
    }
    std::set<std::string> setNames;
    for (const auto& entry : names.sets)
        setNames.insert(entry.second);
    // Every element that can keeps its symbol first, so that a renamed element
    // never takes the symbol of another.
    std::vector<const ElementEntry*> clashing;
    for (const ElementEntry* element : selection.elements) {
        const std::string base = xmlName(element->symbol);
        if (setNames.count(base) != 0 || elementSpace.isTaken(base)) {
            clashing.push_back(element);
            continue;
        }
        names.elements[element] = elementSpace.claim({base});
        record("element", element->symbol, base, "the symbol is no XML name");
    }
    for (const ElementEntry* element : clashing) {
        const std::string base = xmlName(element->symbol);
        const std::string name =
            elementSpace.claim({base + "Item", base + labelSuffix(element->ul)});
        names.elements[element] = name;
        record("element", element->symbol, name,
               setNames.count(base) != 0 ? "a set has the symbol"
                                         : "an element with a lower UL has the symbol");
    }
    for (const SelectedSet& set : selection.sets) {
        const GroupEntry& group = *set.group;
        const std::string& name = names.sets[&group];
        names.references[&group] =
            elementSpace.claim({name + "Reference", name + "Reference" + labelSuffix(group.ul)});
        names.types[&group] = typeSpace.claim(
            {name + "Type", name + "SetType", name + "Type" + labelSuffix(group.ul)});
    }
    return names;
}

std::map<const TypeEntry*, TypeName> assignTypeNames(const std::vector<TypeEntry>& types) {
    std::vector<const TypeEntry*> ordered;
    for (const TypeEntry& type : types)
        ordered.push_back(&type);
    std::sort(ordered.begin(), ordered.end(),
              [](const TypeEntry* a, const TypeEntry* b) { return a->ul < b->ul; });
    NameSpace typeSpace;
    std::map<const TypeEntry*, TypeName> names;
    for (const TypeEntry* type : ordered) {
        const std::string base = xmlName(type->symbol);
        TypeName& name = names[type];
        name.name = typeSpace.claim({base, base + labelSuffix(type->ul)});
        if (name.name != type->symbol)
            name.reason = name.name == base ? "the symbol is no XML name"
                                            : "a type with a lower UL has the symbol";
    }
    return names;
}

std::string namespacePrefix(const std::string& uri) {
    if (uri == kFileFormatNamespace)
        return "ff";
    std::string rest = uri;
    for (const char* scheme : {"https://", "http://", "urn:"}) {
        const std::string s = scheme;
        if (rest.compare(0, s.size(), s) == 0) {
            rest = rest.substr(s.size());
            break;
        }
    }
    std::vector<std::string> parts;
    std::string part;
    for (const char c : rest + "/") {
        if (c == '/' || c == ':') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!parts.empty() && uri.find("://") != std::string::npos) {
        std::string host = parts.front();
        if (host.compare(0, 4, "www.") == 0)
            host = host.substr(4);
        const std::size_t dot = host.rfind('.');
        if (dot != std::string::npos && dot != 0)
            host = host.substr(0, dot);
        parts.front() = host;
    }
    std::string joined;
    for (const std::string& p : parts)
        joined += (joined.empty() ? "" : "-") + p;
    std::string prefix;
    for (const char c : joined)
        prefix += isNameChar(c) && c != '.' ? c : '-';
    // Names starting with "xml" are reserved; others must start as names do.
    if (prefix.empty() || !isNameStart(prefix.front()) ||
        (prefix.size() >= 3 && (prefix[0] | 0x20) == 'x' && (prefix[1] | 0x20) == 'm' &&
         (prefix[2] | 0x20) == 'l'))
        prefix = "ns-" + prefix;
    return prefix;
}

std::map<std::string, std::string> namespacePrefixes(const std::set<std::string>& uris) {
    std::map<std::string, std::string> prefixes;
    std::set<std::string> taken{"xs", "ff"};
    for (const std::string& uri : uris) {
        const std::string base = namespacePrefix(uri);
        if (base == "ff" && uri == kFileFormatNamespace) {
            prefixes[uri] = base;
            continue;
        }
        std::string prefix = base;
        for (int i = 2; !taken.insert(prefix).second; ++i)
            prefix = base + "-" + std::to_string(i);
        prefixes[uri] = prefix;
    }
    return prefixes;
}

} // namespace Registers
} // namespace Palimo
