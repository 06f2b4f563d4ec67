#include "TypeDefinitionModel.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>

namespace Palimo {
namespace Registers {
namespace {

// Types that the register's facts alone do not tell apart, by label bytes 9
// to 12 under 06.0e.2b.34.01.04.01.xx (the version byte aside).
struct KnownCharacter {
    std::uint8_t bytes[4];
    std::size_t size;
};

// The register gives character types no size: Character is a UTF-16 code
// unit, Char an ISO 646 and UTF8Character a UTF-8 one.
constexpr KnownCharacter kCharacters[] = {
    {{0x01, 0x10, 0x01, 0x00}, 2},
    {{0x01, 0x10, 0x03, 0x00}, 1},
    {{0x01, 0x10, 0x05, 0x00}, 1},
};
constexpr std::uint8_t kAUID[4] = {0x01, 0x03, 0x01, 0x00};

bool isTypeLabel(const Label& ul) {
    return ul.isSMPTE() && ul[4] == 0x01 && ul[5] == 0x04 && ul[6] == 0x01;
}

bool hasBytes(const Label& ul, const std::uint8_t (&bytes)[4]) {
    return isTypeLabel(ul) && ul[8] == bytes[0] && ul[9] == bytes[1] && ul[10] == bytes[2] &&
           ul[11] == bytes[3] && ul[12] == 0 && ul[13] == 0 && ul[14] == 0 && ul[15] == 0;
}

// The register lists its floating-point types (Float, SingleFloat, ...) as
// integers under its number types.
bool isUnderNumberTypes(const Label& ul) {
    return isTypeLabel(ul) && ul[8] == 0x01 && ul[9] == 0x02;
}

std::optional<std::size_t> characterSize(const TypeEntry& type) {
    for (const KnownCharacter& known : kCharacters)
        if (hasBytes(type.ul, known.bytes))
            return known.size;
    if (type.typeSize == 1u || type.typeSize == 2u)
        return *type.typeSize;
    return std::nullopt;
}

// A decimal integer with an optional sign, or hex digits after "0x".
std::optional<std::int64_t> parseInteger(const std::string& text) {
    if (text.empty() || text.find_first_of(" \t\n\r") != std::string::npos)
        return std::nullopt;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.c_str() + (hex ? 2 : 0);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, hex ? 16 : 10);
    if (errno != 0 || end == begin || *end != '\0' || (hex && *begin == '-'))
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

std::string mostCommonNamespace(const std::vector<TypeEntry>& types) {
    std::map<std::string, std::size_t> counts;
    for (const TypeEntry& type : types)
        ++counts[type.namespaceName];
    std::string best;
    std::size_t most = 0;
    for (const auto& [uri, count] : counts)
        if (count > most) {
            best = uri;
            most = count;
        }
    return best;
}

// Works out each type once, the types it uses first.
class Definer {
public:
    Definer(const Registers& registers, const TypeMapper& types, TypeDefinitionModel& model)
        : types_(types), groups_(registers.groups), labels_(registers.labels),
          names_(assignTypeNames(registers.types)), model_(model) {}

    // The declaration of the type `ul`; null when it is not written, with
    // `reason` saying why as part of a sentence about the type that uses it
    // as its `role`.
    const TypeDeclaration* require(const Label& ul, const std::string& role, std::string& reason) {
        const TypeEntry* type = types_.entry(ul);
        if (!type) {
            reason = "its " + role + " " + ul.dotted() + " is not in the Types register";
            return nullptr;
        }
        const auto [state, fresh] = states_.emplace(type, State{});
        if (!fresh) {
            if (state->second.defining)
                reason = "it is defined through itself";
            else if (!state->second.declaration)
                reason = "its " + role + " " + type->symbol + " is left out";
            return state->second.declaration;
        }
        state->second.defining = true;
        TypeDeclaration declaration;
        declaration.entry = type;
        declaration.name = names_.at(type).name;
        std::string own;
        const bool defined = fill(*type, declaration, own);
        State& done = states_.at(type);
        done.defining = false;
        if (!defined) {
            model_.leftOut.push_back(
                {"type definition " + type->symbol + " (" + type->ul.dotted() + ")", own});
            reason = "its " + role + " " + type->symbol + " is left out";
            return nullptr;
        }
        if (!names_.at(type).reason.empty())
            model_.renames.push_back(
                {"type", type->symbol, declaration.name, names_.at(type).reason});
        declarations_.push_back(std::move(declaration));
        done.declaration = &declarations_.back();
        byName_.emplace(done.declaration->name, done.declaration);
        return done.declaration;
    }

    std::vector<TypeDeclaration> declarations() const {
        std::vector<TypeDeclaration> ordered(declarations_.begin(), declarations_.end());
        std::sort(ordered.begin(), ordered.end(),
                  [](const TypeDeclaration& a, const TypeDeclaration& b) {
                      return a.entry->ul < b.entry->ul;
                  });
        return ordered;
    }

private:
    struct State {
        bool defining = false;
        const TypeDeclaration* declaration = nullptr;
    };

    // The declaration at the end of a chain of renames (each defined before
    // the rename that names it).
    const TypeDeclaration& resolved(const TypeDeclaration& declaration) const {
        const TypeDeclaration* at = &declaration;
        for (auto next = byName_.find(at->element);
             at->kind == TypeKind::Rename && next != byName_.end() && next->second != at;
             next = byName_.find(at->element))
            at = next->second;
        return *at;
    }

    // The type that a type names in `ul` as its `role`, which it needs.
    const TypeDeclaration* part(const std::optional<Label>& ul, const std::string& role,
                                std::string& reason) {
        if (!ul) {
            reason = "it has no " + role;
            return nullptr;
        }
        return require(*ul, role, reason);
    }

    bool fill(const TypeEntry& type, TypeDeclaration& out, std::string& reason) {
        const std::string& kind = type.typeKind;
        if (kind == "Integer" || kind == "Float") {
            out.size = type.typeSize.value_or(0);
            out.isSigned = type.qualifiers.find("isSigned") != std::string::npos;
            const bool isFloat = kind == "Float" ||
                                 (isUnderNumberTypes(type.ul) && (out.size == 4 || out.size == 8));
            if (isFloat) {
                out.kind = TypeKind::Float;
                out.isSigned = false;
                if (out.size == 4 || out.size == 8)
                    return true;
                reason = "it has no size of 4 or 8 bytes";
                return false;
            }
            out.kind = TypeKind::Integer;
            if (out.size >= 1 && out.size <= 8)
                return true;
            reason = "it has no size of 1 to 8 bytes";
            return false;
        }
        if (kind == "Character") {
            out.kind = TypeKind::Character;
            const std::optional<std::size_t> size = characterSize(type);
            if (size) {
                out.size = *size;
                return true;
            }
            reason = "it has no size of 1 or 2 bytes";
            return false;
        }
        if (kind == "String") {
            out.kind = TypeKind::String;
            const TypeDeclaration* character = part(type.baseType, "character type", reason);
            if (!character)
                return false;
            if (resolved(*character).kind != TypeKind::Character) {
                reason = "its character type " + character->name + " is no character type";
                return false;
            }
            out.element = character->name;
            return true;
        }
        if (kind == "Rename") {
            out.kind = TypeKind::Rename;
            const TypeDeclaration* base = part(type.baseType, "base type", reason);
            if (!base)
                return false;
            out.element = base->name;
            out.complex = base->complex;
            return true;
        }
        if (kind == "Enumeration")
            return fillEnumeration(type, out, reason);
        if (kind == "Record")
            return fillRecord(type, out, reason);
        if (kind == "FixedArray" || kind == "VariableArray" || kind == "Set") {
            out.kind = kind == "FixedArray"      ? TypeKind::FixedArray
                       : kind == "VariableArray" ? TypeKind::VariableArray
                                                 : TypeKind::Set;
            out.complex = true;
            if (out.kind == TypeKind::FixedArray) {
                out.count = type.typeSize.value_or(0);
                if (out.count == 0) {
                    reason = "it has no element count (TypeSize)";
                    return false;
                }
            }
            const TypeDeclaration* item = part(type.baseType, "item type", reason);
            if (!item)
                return false;
            out.element = item->name;
            return true;
        }
        if (kind == "Indirect" || kind == "Opaque" || kind == "Stream") {
            out.kind = kind == "Indirect" ? TypeKind::Indirect
                       : kind == "Opaque" ? TypeKind::Opaque
                                          : TypeKind::Stream;
            return true;
        }
        if (kind == "StrongReference" || kind == "WeakReference") {
            out.kind =
                kind == "StrongReference" ? TypeKind::StrongReference : TypeKind::WeakReference;
            if (type.baseType) {
                const GroupEntry* group = groups_.find(*type.baseType);
                out.target = localSetKey(group ? group->ul : *type.baseType);
            }
            return true;
        }
        reason = kind.empty() ? "it has no type kind" : "its type kind " + kind + " is unknown";
        return false;
    }

    bool fillEnumeration(const TypeEntry& type, TypeDeclaration& out, std::string& reason) {
        const TypeDeclaration* base = part(type.baseType, "base type", reason);
        if (!base)
            return false;
        out.element = base->name;
        const TypeDeclaration& underlying = resolved(*base);
        if (underlying.kind == TypeKind::Integer) {
            out.kind = TypeKind::Enumeration;
            for (const TypeFacet& facet : type.facets) {
                if (facet.value.empty() && facet.symbol.empty())
                    continue;
                const std::optional<std::int64_t> value = parseInteger(facet.value);
                if (!value || facet.symbol.empty()) {
                    model_.notes.push_back("enumeration " + type.symbol + ": the value \"" +
                                           facet.value + "\" (" + facet.symbol +
                                           ") is no integer with a symbol and is not listed");
                    continue;
                }
                out.values.push_back({std::to_string(*value), facet.symbol,
                                      facet.name == facet.symbol ? std::string() : facet.name});
            }
            return true;
        }
        if (underlying.kind == TypeKind::Record && hasBytes(underlying.entry->ul, kAUID)) {
            out.kind = TypeKind::ExtendibleEnumeration;
            for (const TypeFacet& facet : type.facets) {
                const std::optional<Label> label = parseRegisterLabel(facet.value);
                if (!label)
                    continue;
                const LabelEntry* named = labels_.find(*label);
                const std::string& symbol = named ? named->symbol : facet.symbol;
                if (!symbol.empty())
                    out.values.push_back({label->urn(), symbol, std::string()});
            }
            return true;
        }
        if (underlying.kind == TypeKind::String) {
            // Values that are texts have no integer to name: the type is its
            // string type under another name.
            out.kind = TypeKind::Rename;
            model_.notes.push_back("enumeration " + type.symbol + " has values of string type " +
                                   base->name + ": it is written as a rename of it");
            return true;
        }
        reason = "its base type " + base->name + " is neither an integer, AUID nor a string";
        return false;
    }

    bool fillRecord(const TypeEntry& type, TypeDeclaration& out, std::string& reason) {
        out.kind = TypeKind::Record;
        out.complex = true;
        if (type.facets.empty()) {
            reason = "it has no members";
            return false;
        }
        for (const TypeFacet& facet : type.facets) {
            if (facet.symbol.empty()) {
                reason = "a member has no symbol";
                return false;
            }
            const TypeDeclaration* member =
                part(facet.type, "member " + facet.symbol + "'s type", reason);
            if (!member)
                return false;
            out.members.push_back({facet.symbol, member->name});
        }
        return true;
    }

    const TypeMapper& types_;
    const EntriesByLabel<GroupEntry> groups_;
    const EntriesByLabel<LabelEntry> labels_;
    const std::map<const TypeEntry*, TypeName> names_;
    TypeDefinitionModel& model_;
    std::map<const TypeEntry*, State> states_;
    std::deque<TypeDeclaration> declarations_; // places stay while it grows
    std::map<std::string, const TypeDeclaration*> byName_;
};

} // namespace

TypeDefinitionModel defineTypes(const Registers& registers, const Selection& selection,
                                const TypeMapper& types) {
    TypeDefinitionModel model;
    model.namespaceURI = mostCommonNamespace(registers.types);
    Definer definer(registers, types, model);
    for (const ElementEntry* element : selection.elements) {
        if (!element->type)
            continue;
        std::string reason;
        if (const TypeDeclaration* type = definer.require(*element->type, "type", reason))
            model.elementTypes.emplace(element, type->name);
    }
    model.types = definer.declarations();
    return model;
}

} // namespace Registers
} // namespace Palimo
