#include "SchemaTypeReader.h"

#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "schema/NamespaceBindings.h"
#include "schema/Schema.h"
#include "schema/SchemaIndex.h"

#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/TypeDefinitions/TypeDefinitionError.h>
#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/XMLString.hpp>

#include <algorithm>
#include <map>
#include <set>

namespace Palimo {
namespace TypeDefinitions {
namespace {

using MetaMetadata::Loading::Schema;
using xercesc::DOMElement;
using xercesc::DOMNode;
using xercesc::XMLString;
namespace Annotations = MetaMetadata::Loading::AppinfoSource;

// The appinfo sources of type definitions, beside the loader's own.
constexpr char16_t kSymbol[] = u"Symbol";
constexpr char16_t kTypeDefinition[] = u"Type Definition";
constexpr char16_t kUniqueIdentifier[] = u"Unique Identifier";
constexpr char16_t kLabelNames[] = u"Label Names";

[[noreturn]] void fail(const std::string& what) {
    throw TypeDefinitionError(what, __FILE__, __LINE__);
}

std::string utf8(std::u16string_view text) {
    // Symbols, labels and numbers are ASCII: copied without a conversion.
    std::string ascii;
    ascii.reserve(text.size());
    for (const char16_t c : text) {
        if (c >= 0x80)
            return Utils::wstringToString(WString(text.data(), text.size()));
        ascii.push_back(static_cast<char>(c));
    }
    return ascii;
}

std::string utf8(const XMLCh* text) {
    return text == nullptr ? std::string() : utf8(std::u16string_view(text));
}

bool isXsd(const DOMElement* element, const char16_t* localName) {
    return XMLString::equals(element->getLocalName(), localName) &&
           XMLString::equals(element->getNamespaceURI(),
                             MetaMetadata::Loading::kXmlSchemaNamespace);
}

const DOMElement* firstXsdChild(const DOMElement* parent, const char16_t* localName) {
    for (const DOMElement* child = parent->getFirstElementChild(); child != nullptr;
         child = child->getNextElementSibling())
        if (isXsd(child, localName))
            return child;
    return nullptr;
}

std::optional<std::string> attribute(const DOMElement* element, const char16_t* name) {
    const xercesc::DOMAttr* node = element->getAttributeNodeNS(nullptr, name);
    if (node == nullptr)
        return std::nullopt;
    return utf8(node->getValue());
}

// The name a QName refers to: its part after the first colon.
std::string localPart(const std::string& qname) {
    const std::string::size_type colon = qname.find(':');
    return colon == std::string::npos ? qname : qname.substr(colon + 1);
}

// The value of the first text node of the first appinfo with `source` in the
// declaration's annotation; nothing when there is none.
std::optional<std::string> appinfo(const DOMElement* declaration, const char16_t* source) {
    const DOMElement* annotation = firstXsdChild(declaration, u"annotation");
    if (annotation == nullptr)
        return std::nullopt;
    for (const DOMElement* child = annotation->getFirstElementChild(); child != nullptr;
         child = child->getNextElementSibling()) {
        if (!isXsd(child, u"appinfo") ||
            !XMLString::equals(child->getAttributeNS(nullptr, u"source"), source))
            continue;
        for (const DOMNode* text = child->getFirstChild(); text != nullptr;
             text = text->getNextSibling())
            if (text->getNodeType() == DOMNode::TEXT_NODE)
                return utf8(text->getNodeValue());
        return std::string();
    }
    return std::nullopt;
}

std::string documentation(const DOMElement* declaration) {
    const DOMElement* annotation = firstXsdChild(declaration, u"annotation");
    const DOMElement* text = annotation ? firstXsdChild(annotation, u"documentation") : nullptr;
    return text ? utf8(text->getTextContent()) : std::string();
}

// The xs:element children of the first xs:sequence of a complex type, below
// its complex content's derivation when it has one.
std::vector<const DOMElement*> sequenceElements(const DOMElement* type) {
    const DOMElement* holder = type;
    if (const DOMElement* content = firstXsdChild(type, u"complexContent")) {
        holder = content->getFirstElementChild();
        if (holder == nullptr)
            return {};
    }
    std::vector<const DOMElement*> elements;
    if (const DOMElement* sequence = firstXsdChild(holder, u"sequence"))
        for (const DOMElement* child = sequence->getFirstElementChild(); child != nullptr;
             child = child->getNextElementSibling())
            if (isXsd(child, u"element"))
                elements.push_back(child);
    return elements;
}

// The base of a simple type's restriction or of a complex type's derivation.
std::optional<std::string> derivationBase(const DOMElement* type) {
    const DOMElement* holder = firstXsdChild(type, u"restriction");
    if (holder == nullptr)
        if (const DOMElement* content = firstXsdChild(type, u"complexContent"))
            holder = content->getFirstElementChild();
    return holder ? attribute(holder, u"base") : std::nullopt;
}

std::size_t number(const std::string& symbol, const char* fact, const std::string& text) {
    std::size_t value = 0;
    std::size_t used = 0;
    try {
        value = std::stoul(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || text[0] == '-')
        fail("type definition " + symbol + ": its \"" + fact + "\" is no number: \"" + text + "\"");
    return value;
}

Label label(const std::string& what, const std::string& text) {
    const std::optional<Label> parsed = Label::parse(text);
    if (!parsed)
        fail(what + ": \"" + text + "\" is no universal label");
    return *parsed;
}

// What a type definition names by text, resolved once every type is added.
struct Pending {
    TypeDefinition* type;
    std::string element;                                      // a type's name, or empty
    std::vector<std::pair<std::string, std::string>> members; // record: symbol, type name
};

class Reader {
public:
    Reader(const Schema& schema, const MetaMetadata::Dictionary& dictionary, TypeDictionary& types)
        : schema_(schema), dictionary_(dictionary), types_(types) {}

    void run() {
        for (const DOMElement* component = schema_.root()->getFirstElementChild();
             component != nullptr; component = component->getNextElementSibling()) {
            if (isXsd(component, u"simpleType") || isXsd(component, u"complexType"))
                readType(component);
            if (isXsd(component, u"complexType"))
                readIdentifyingMembers(component);
            else if (isXsd(component, u"element"))
                readRegisterSymbol(component);
            else if (isXsd(component, u"annotation"))
                readLabelNames(component);
        }
        for (Pending& pending : pending_)
            resolve(pending);
        checkNotThroughItself();
        linkElements();
        readUniqueIdentifiers();
    }

private:
    // A top-level component's appinfo text as the schema index read it.
    static std::optional<std::string> fact(const MetaMetadata::Loading::DeclarationFacts& facts,
                                           const char16_t* source) {
        const std::optional<std::u16string_view> text = facts.firstText(source);
        if (!text)
            return std::nullopt;
        return utf8(*text);
    }

    void readType(const DOMElement* component) {
        const MetaMetadata::Loading::DeclarationFacts* found = schema_.index().facts(component);
        if (found == nullptr || !found->firstText(u"Type Kind"))
            return;
        const MetaMetadata::Loading::DeclarationFacts& facts = *found;
        TypeDefinition type;
        type.symbol = attribute(component, u"name").value_or("");
        if (type.symbol.empty())
            fail("a type definition has no name");
        const std::string kind = fact(facts, u"Type Kind").value_or("");
        const std::optional<TypeKind> parsedKind = typeKindFromName(kind);
        if (!parsedKind)
            fail("type definition " + type.symbol + ": unknown \"Type Kind\" \"" + kind + "\"");
        type.kind = *parsedKind;
        const std::optional<std::string> ul = fact(facts, Annotations::kULDesignator);
        if (!ul)
            fail("type definition " + type.symbol + " has no \"UL Designator\"");
        type.label = label("type definition " + type.symbol, *ul);
        type.name = fact(facts, Annotations::kNameInSpecification).value_or("");
        type.namespaceURI = fact(facts, Annotations::kNamespaceURI).value_or("");
        type.documentation = documentation(component);

        Pending pending{nullptr, {}, {}};
        switch (type.kind) {
        case TypeKind::Integer:
        case TypeKind::Float:
        case TypeKind::Character:
            type.size = number(type.symbol, "Size", fact(facts, u"Size").value_or(""));
            checkSize(type);
            if (type.kind == TypeKind::Integer)
                type.isSigned = fact(facts, u"Signed") == std::optional<std::string>("true");
            break;
        case TypeKind::String:
            pending.element = required(type, fact(facts, u"Element Type"), "Element Type");
            break;
        case TypeKind::Rename:
        case TypeKind::Enumeration:
        case TypeKind::ExtendibleEnumeration:
            pending.element = required(type, derivationBase(component), "base type");
            if (type.kind != TypeKind::Rename)
                readValues(component, type);
            break;
        case TypeKind::Record:
            for (const DOMElement* member : sequenceElements(component))
                pending.members.emplace_back(attribute(member, u"name").value_or(""),
                                             attribute(member, u"type").value_or(""));
            if (pending.members.empty())
                fail("record type " + type.symbol + " has no members");
            break;
        case TypeKind::FixedArray:
            type.count =
                number(type.symbol, "Element Count", fact(facts, u"Element Count").value_or(""));
            [[fallthrough]];
        case TypeKind::VariableArray:
        case TypeKind::Set: {
            const std::vector<const DOMElement*> items = sequenceElements(component);
            pending.element = required(
                type, items.empty() ? std::nullopt : attribute(items[0], u"type"), "item type");
            break;
        }
        case TypeKind::StrongReference:
        case TypeKind::WeakReference:
            if (const std::optional<std::string> target = fact(facts, u"Reference Target"))
                type.target = label("type definition " + type.symbol, *target);
            break;
        case TypeKind::Indirect:
        case TypeKind::Opaque:
        case TypeKind::Stream:
            break;
        }
        pending.type = &types_.addType(std::move(type));
        if (!pending.element.empty() || !pending.members.empty())
            pending_.push_back(std::move(pending));
    }

    static void checkSize(const TypeDefinition& type) {
        const std::size_t size = type.size;
        const bool fits = type.kind == TypeKind::Integer ? size >= 1 && size <= 8
                          : type.kind == TypeKind::Float ? size == 4 || size == 8
                                                         : size == 1 || size == 2;
        if (!fits)
            fail(std::string(typeKindName(type.kind)) + " type " + type.symbol +
                 " has a \"Size\" of " + std::to_string(size) + " bytes");
    }

    static std::string required(const TypeDefinition& type, const std::optional<std::string>& text,
                                const char* what) {
        if (!text || text->empty())
            fail(std::string(typeKindName(type.kind)) + " type " + type.symbol + " has no " + what);
        return localPart(*text);
    }

    static void readValues(const DOMElement* component, TypeDefinition& type) {
        const DOMElement* restriction = firstXsdChild(component, u"restriction");
        if (restriction == nullptr)
            return;
        for (const DOMElement* value = restriction->getFirstElementChild(); value != nullptr;
             value = value->getNextElementSibling()) {
            if (!isXsd(value, u"enumeration"))
                continue;
            EnumerationValue known;
            const std::string text = attribute(value, u"value").value_or("");
            known.symbol = appinfo(value, kSymbol).value_or("");
            known.name = appinfo(value, Annotations::kNameInSpecification).value_or(known.symbol);
            const std::string what = "value \"" + text + "\" of type " + type.symbol;
            if (type.kind == TypeKind::ExtendibleEnumeration) {
                known.label = label(what, text);
            } else {
                std::size_t used = 0;
                try {
                    known.value = std::stoll(text, &used, 0);
                } catch (const std::exception&) {
                    used = 0;
                }
                if (used == 0 || used != text.size())
                    fail(what + " is no integer");
            }
            type.values.push_back(std::move(known));
        }
    }

    const TypeDefinition& named(const TypeDefinition& user, const std::string& name) {
        const TypeDefinition* type = types_.findType(name);
        if (type == nullptr)
            fail("type definition " + user.symbol + " refers to type " + name +
                 ", which the schema does not define");
        return *type;
    }

    void resolve(Pending& pending) {
        TypeDefinition& type = *pending.type;
        if (!pending.element.empty())
            type.element = &named(type, pending.element);
        for (const auto& [symbol, typeName] : pending.members) {
            if (symbol.empty() || typeName.empty())
                fail("a member of record type " + type.symbol + " has no name or no type");
            type.members.push_back({symbol, &named(type, localPart(typeName))});
        }
    }

    // Types contain their element and member types; references do not. A
    // type that contains itself could never be decoded. Depth first, without
    // recursion, over every type once.
    void checkNotThroughItself() {
        enum class State { Open, Done };
        std::map<const TypeDefinition*, State> state;
        for (const TypeDefinition& start : types_.types()) {
            if (state.count(&start))
                continue;
            std::vector<std::pair<const TypeDefinition*, std::size_t>> stack{{&start, 0}};
            state[&start] = State::Open;
            while (!stack.empty()) {
                auto& [type, next] = stack.back();
                const std::vector<const TypeDefinition*> contained = containedTypes(*type);
                if (next == contained.size()) {
                    state[type] = State::Done;
                    stack.pop_back();
                    continue;
                }
                const TypeDefinition* child = contained[next++];
                const auto seen = state.find(child);
                if (seen != state.end() && seen->second == State::Open)
                    fail("type definition " + child->symbol + " is defined through itself");
                if (seen == state.end()) {
                    state[child] = State::Open;
                    stack.emplace_back(child, 0);
                }
            }
        }
    }

    static std::vector<const TypeDefinition*> containedTypes(const TypeDefinition& type) {
        std::vector<const TypeDefinition*> contained;
        if (type.element)
            contained.push_back(type.element);
        for (const RecordMember& member : type.members)
            contained.push_back(member.type);
        return contained;
    }

    // An element or set declared under a name other than its register symbol
    // carries the symbol.
    void readRegisterSymbol(const DOMElement* declaration) {
        const MetaMetadata::Loading::DeclarationFacts* facts = schema_.index().facts(declaration);
        if (facts == nullptr)
            return;
        const std::optional<std::string> symbol = fact(*facts, kSymbol);
        const std::optional<std::string> ul =
            symbol ? fact(*facts, Annotations::kULDesignator) : std::nullopt;
        if (!ul)
            return;
        types_.setRegisterSymbol(label("element or set " + *symbol, *ul), *symbol);
    }

    void linkElements() {
        for (const DOMElement* declaration : schema_.index().registeredComponents()) {
            const MetaMetadata::Loading::DeclarationFacts& facts =
                *schema_.index().facts(declaration);
            const std::optional<std::string> name = fact(facts, kTypeDefinition);
            if (!name)
                continue;
            const std::string element = attribute(declaration, u"name").value_or("");
            const TypeDefinition* type = types_.findType(localPart(*name));
            if (type == nullptr)
                fail("element " + element + " names type " + *name +
                     ", which the schema does not define");
            const std::optional<std::string> ul = fact(facts, Annotations::kULDesignator);
            if (ul)
                if (const std::optional<Label> parsed = Label::parse(*ul))
                    types_.linkElement(*parsed, *type);
        }
    }

    // A member of a top-level complex type flagged "Unique Identifier" names
    // (by its ref) the element that identifies the sets holding it. The
    // index has read every member's appinfo texts already.
    void readIdentifyingMembers(const DOMElement* type) {
        const MetaMetadata::Loading::ComplexTypeFacts* facts =
            schema_.index().complexTypeFacts(type);
        if (facts == nullptr)
            return;
        for (const DOMElement* member : facts->localDeclarations) {
            const MetaMetadata::Loading::DeclarationFacts* memberFacts =
                schema_.index().facts(member);
            if (memberFacts == nullptr)
                continue;
            if (memberFacts->firstText(kUniqueIdentifier) != std::u16string_view(u"true"))
                continue;
            if (memberFacts->ref)
                identifyingNames_.insert(localPart(utf8(*memberFacts->ref)));
        }
    }

    // Every set of the dictionary that holds an identifying element.
    void readUniqueIdentifiers() {
        if (identifyingNames_.empty())
            return;
        std::vector<Label> labels;
        for (const std::string& name : identifyingNames_) {
            const DOMElement* declaration =
                schema_.index().topLevelElement(Utils::stringToWstring(name));
            if (declaration == nullptr)
                continue;
            const MetaMetadata::Loading::DeclarationFacts* facts =
                schema_.index().facts(declaration);
            if (const std::optional<std::string> ul =
                    facts ? fact(*facts, Annotations::kULDesignator) : std::nullopt)
                if (const std::optional<Label> parsed = Label::parse(*ul))
                    labels.push_back(*parsed);
        }
        for (const MetaMetadata::MetaMetadataSet* set : dictionary_.metaMetadataSets())
            for (const auto& attribute : set->attributes()) {
                const Label element = Label(attribute->metaElement().universalLabel().array());
                if (std::find(labels.begin(), labels.end(), element) != labels.end()) {
                    types_.setUniqueIdentifier(Label(set->key().bytes()), element);
                    break;
                }
            }
    }

    void readLabelNames(const DOMElement* annotation) {
        for (const DOMElement* child = annotation->getFirstElementChild(); child != nullptr;
             child = child->getNextElementSibling()) {
            if (!isXsd(child, u"appinfo") ||
                !XMLString::equals(child->getAttributeNS(nullptr, u"source"), kLabelNames))
                continue;
            std::string line;
            for (const DOMNode* text = child->getFirstChild(); text != nullptr;
                 text = text->getNextSibling()) {
                if (text->getNodeType() != DOMNode::TEXT_NODE)
                    continue;
                for (const XMLCh* c = text->getNodeValue(); *c != 0; ++c) {
                    if (*c != u'\n') {
                        line.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
                        continue;
                    }
                    addLabelName(line);
                    line.clear();
                }
            }
            addLabelName(line);
        }
    }

    // "urn:smpte:ul:... Symbol", blanks around; a blank line names nothing.
    void addLabelName(const std::string& line) {
        const auto blank = [](char c) {
            return c == ' ' || c == '\t' || c == '\r';
        };
        std::size_t start = 0;
        while (start < line.size() && blank(line[start]))
            ++start;
        if (start == line.size())
            return;
        std::size_t end = start;
        while (end < line.size() && !blank(line[end]))
            ++end;
        std::size_t symbolStart = end;
        while (symbolStart < line.size() && blank(line[symbolStart]))
            ++symbolStart;
        std::size_t symbolEnd = symbolStart;
        while (symbolEnd < line.size() && !blank(line[symbolEnd]))
            ++symbolEnd;
        const std::string symbol = line.substr(symbolStart, symbolEnd - symbolStart);
        types_.addLabelName(
            {label("label names", line.substr(start, end - start)), symbol, symbol});
    }

    const Schema& schema_;
    const MetaMetadata::Dictionary& dictionary_;
    TypeDictionary& types_;
    std::vector<Pending> pending_;
    std::set<std::string> identifyingNames_;
};

} // namespace

void readSchemaTypes(const Schema& schema, const MetaMetadata::Dictionary& dictionary,
                     TypeDictionary& types) {
    Reader(schema, dictionary, types).run();
}

} // namespace TypeDefinitions
} // namespace Palimo
