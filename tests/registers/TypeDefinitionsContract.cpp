#include "registers/TypeDefinitionsContract.h"

#include "RegisterDocument.h"

#include <Palimo/Identifiers/Label.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>
#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMElement.hpp>

#include <map>
#include <set>
#include <sstream>

namespace PalimoTest {
namespace {

using Palimo::Identifiers::Label;
using Palimo::Registers::childElements;
using Palimo::Registers::localName;
using Palimo::Registers::trimmedText;
using Palimo::TypeDefinitions::TypeKind;
using xercesc::DOMElement;

std::string attribute(const DOMElement* element, const char* name) {
    const std::u16string wide(name, name + std::char_traits<char>::length(name));
    return Palimo::Utils::wstringToString(
        reinterpret_cast<const char16_t*>(element->getAttribute(wide.c_str())));
}

std::vector<const DOMElement*> children(const DOMElement* parent, const char* name) {
    std::vector<const DOMElement*> found;
    for (const DOMElement* child : childElements(parent))
        if (localName(child) == name)
            found.push_back(child);
    return found;
}

const DOMElement* child(const DOMElement* parent, const char* name) {
    const std::vector<const DOMElement*> found = children(parent, name);
    return found.size() == 1 ? found.front() : nullptr;
}

// The texts of the appinfo children of the element's annotation, by source.
std::map<std::string, std::string> appinfo(const DOMElement* element) {
    std::map<std::string, std::string> facts;
    if (const DOMElement* annotation = child(element, "annotation"))
        for (const DOMElement* info : children(annotation, "appinfo"))
            facts.emplace(attribute(info, "source"), trimmedText(info));
    return facts;
}

std::string withoutPrefix(const std::string& name) {
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

bool isBuiltIn(const std::string& name) {
    return name.rfind("xs:", 0) == 0;
}

bool isInteger(const std::string& text) {
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

class Checker {
public:
    explicit Checker(TypeDefinitionCounts& counts) : counts_(counts) {}

    void typesFile(const std::filesystem::path& path) {
        const Palimo::Registers::RegisterDocument document(path, path.filename().string());
        for (const DOMElement* component : childElements(document.root())) {
            const std::string kind = localName(component);
            if (kind == "annotation")
                labelNames(component);
            else if (kind == "simpleType" || kind == "complexType")
                type(component, kind == "complexType");
        }
        for (const auto& [name, user] : used_)
            if (defined_.count(name) == 0)
                breach(user + " names type " + name + ", which is not defined");
    }

    void otherFile(const std::filesystem::path& path) {
        const Palimo::Registers::RegisterDocument document(path, path.filename().string());
        for (const DOMElement* component : childElements(document.root())) {
            if (localName(component) == "element") {
                const std::map<std::string, std::string> facts = appinfo(component);
                if (facts.count("RP210") == 0)
                    continue;
                const auto link = facts.find("Type Definition");
                if (link == facts.end()) {
                    ++counts_.untypedElements;
                    continue;
                }
                ++counts_.typedElements;
                if (defined_.count(link->second) == 0)
                    breach("element " + attribute(component, "name") + " names type " +
                           link->second + ", which is not defined");
            } else if (localName(component) == "complexType") {
                members(component);
            }
        }
    }

    std::vector<std::string> breaches() && { return std::move(breaches_); }

private:
    void breach(const std::string& what) { breaches_.push_back(what); }

    void labelNames(const DOMElement* annotation) {
        for (const DOMElement* info : children(annotation, "appinfo")) {
            if (attribute(info, "source") != "Label Names")
                continue;
            std::istringstream lines(trimmedText(info));
            for (std::string line; std::getline(lines, line);) {
                std::istringstream words(line);
                std::string urn, symbol, more;
                if (!(words >> urn))
                    continue; // a blank line
                const std::optional<Label> label = Label::parse(urn);
                if (!label || label->urn() != urn || !(words >> symbol) || (words >> more))
                    breach("the label names line \"" + line + "\" is no urn and symbol");
                ++counts_.labelNames;
            }
        }
    }

    // The set members' "Unique Identifier" appinfos, anywhere in a set type.
    void members(const DOMElement* element) {
        for (const DOMElement* inner : childElements(element)) {
            if (localName(inner) == "element") {
                const auto facts = appinfo(inner);
                const auto unique = facts.find("Unique Identifier");
                if (unique != facts.end()) {
                    ++counts_.uniqueIdentifiers;
                    if (unique->second != "true")
                        breach("member " + attribute(inner, "ref") + " has \"Unique Identifier\" " +
                               unique->second);
                }
            }
            members(inner);
        }
    }

    void use(const std::string& name, const std::string& user) {
        used_.emplace(withoutPrefix(name), user);
    }

    void type(const DOMElement* component, bool complex) {
        const std::string name = attribute(component, "name");
        const std::string what = "type " + name;
        const std::map<std::string, std::string> facts = appinfo(component);
        const auto kindFact = facts.find("Type Kind");
        if (kindFact == facts.end())
            return; // no type definition
        ++counts_.types;
        if (!defined_.insert(name).second)
            breach(what + " is defined twice");
        const std::optional<TypeKind> kind =
            Palimo::TypeDefinitions::typeKindFromName(kindFact->second);
        if (!kind) {
            breach(what + " has the kind " + kindFact->second);
            return;
        }
        const auto fact = [&](const char* source) {
            const auto found = facts.find(source);
            return found == facts.end() ? std::string() : found->second;
        };
        const std::optional<Label> label = Label::parse(fact("UL Designator"));
        if (!label || label->dotted() != fact("UL Designator"))
            breach(what + " has no dotted \"UL Designator\"");
        if (fact("XMLNamespaceURI").empty())
            breach(what + " has no \"XMLNamespaceURI\"");
        if (facts.count("RP210") != 0)
            breach(what + " carries \"RP210\"");
        const bool complexKind = *kind == TypeKind::Record || *kind == TypeKind::FixedArray ||
                                 *kind == TypeKind::VariableArray || *kind == TypeKind::Set;
        if (complexKind && !complex)
            breach(what + " is no xs:complexType");
        if (!complexKind && *kind != TypeKind::Rename && complex)
            breach(what + " is no xs:simpleType");
        const DOMElement* restriction = complex ? nullptr : child(component, "restriction");
        const std::string base = restriction ? attribute(restriction, "base") : std::string();
        const std::string size = fact("Size");
        switch (*kind) {
        case TypeKind::Integer:
            if (size.size() != 1 || size[0] < '1' || size[0] > '8')
                breach(what + " has the size " + size);
            if (fact("Signed") != "true" && fact("Signed") != "false")
                breach(what + " has no \"Signed\"");
            if (!isBuiltIn(base))
                breach(what + " restricts no built-in type");
            break;
        case TypeKind::Float:
            if (size != "4" && size != "8")
                breach(what + " has the size " + size);
            break;
        case TypeKind::Character:
            if (size != "1" && size != "2")
                breach(what + " has the size " + size);
            break;
        case TypeKind::String:
            if (fact("Element Type").empty())
                breach(what + " has no \"Element Type\"");
            use(fact("Element Type"), what);
            break;
        case TypeKind::Rename: {
            const DOMElement* content = complex ? child(component, "complexContent") : nullptr;
            const DOMElement* extension = content ? child(content, "extension") : nullptr;
            const std::string renamed =
                complex ? (extension ? attribute(extension, "base") : "") : base;
            if (renamed.empty() || isBuiltIn(renamed))
                breach(what + " renames no type definition");
            use(renamed, what);
            break;
        }
        case TypeKind::Enumeration:
        case TypeKind::ExtendibleEnumeration:
            if (base.empty() || isBuiltIn(base))
                breach(what + " restricts no type definition");
            use(base, what);
            for (const DOMElement* value : children(restriction, "enumeration")) {
                const std::string text = attribute(value, "value");
                const bool valid = *kind == TypeKind::Enumeration
                                       ? isInteger(text)
                                       : Label::parse(text) && Label::parse(text)->urn() == text;
                if (!valid || appinfo(value)["Symbol"].empty())
                    breach(what + " has the value " + text +
                           " without a symbol or of the "
                           "wrong form");
            }
            break;
        case TypeKind::Record: {
            const DOMElement* sequence = child(component, "sequence");
            std::vector<const DOMElement*> items;
            if (sequence)
                items = children(sequence, "element");
            if (items.empty())
                breach(what + " has no members");
            for (const DOMElement* member : items) {
                if (attribute(member, "name").empty())
                    breach(what + " has a member without a name");
                use(attribute(member, "type"), what);
            }
            break;
        }
        case TypeKind::FixedArray:
        case TypeKind::VariableArray:
        case TypeKind::Set: {
            const DOMElement* sequence = child(component, "sequence");
            const DOMElement* item = sequence ? child(sequence, "element") : nullptr;
            if (!item) {
                breach(what + " has no item element");
                break;
            }
            const std::string itemType = attribute(item, "type");
            use(itemType, what);
            if (attribute(item, "name") != withoutPrefix(itemType))
                breach(what + "'s item element is not named by its type");
            const std::string count = fact("Element Count");
            const bool fixed = *kind == TypeKind::FixedArray;
            if (fixed && (!isInteger(count) || count == "0"))
                breach(what + " has no \"Element Count\"");
            const std::string min = attribute(item, "minOccurs");
            const std::string max = attribute(item, "maxOccurs");
            if (fixed ? min != count || max != count : min != "0" || max != "unbounded")
                breach(what + "'s item element occurs " + min + " to " + max);
            break;
        }
        case TypeKind::Indirect:
        case TypeKind::Opaque:
        case TypeKind::Stream:
            if (base != "xs:hexBinary")
                breach(what + " is no xs:hexBinary");
            break;
        case TypeKind::StrongReference:
        case TypeKind::WeakReference: {
            const std::string target = fact("Reference Target");
            if (!target.empty() &&
                (!Label::parse(target) || Label::parse(target)->dotted() != target))
                breach(what + " has the target " + target);
            break;
        }
        }
    }

    TypeDefinitionCounts& counts_;
    std::vector<std::string> breaches_;
    std::set<std::string> defined_;
    std::multimap<std::string, std::string> used_; // type name, the type using it
};

} // namespace

std::vector<std::string> typeDefinitionBreaches(const std::filesystem::path& directory,
                                                TypeDefinitionCounts& counts) {
    counts = TypeDefinitionCounts();
    Checker checker(counts);
    checker.typesFile(directory / "MXFTypeDefinitions.xsd");
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        if (entry.path().extension() == ".xsd" &&
            entry.path().filename() != "MXFTypeDefinitions.xsd")
            checker.otherFile(entry.path());
    return std::move(checker).breaches();
}

} // namespace PalimoTest
