#include <Palimo/TypeDefinitions/TypeText.h>

namespace Palimo {
namespace TypeDefinitions {
namespace {

std::string symbolOf(const TypeDefinition* type) {
    return type ? type->symbol : "?";
}

} // namespace

std::string typeSummary(const TypeDefinition& type) {
    std::string text = typeKindName(type.kind);
    switch (type.kind) {
    case TypeKind::Integer:
        return text + ", " + std::to_string(type.size) + " byte" + (type.size == 1 ? "" : "s") +
               (type.isSigned ? ", signed" : ", unsigned");
    case TypeKind::Float:
    case TypeKind::Character:
        return text + ", " + std::to_string(type.size) + " byte" + (type.size == 1 ? "" : "s");
    case TypeKind::FixedArray:
        return text + " of " + std::to_string(type.count) + " " + symbolOf(type.element);
    case TypeKind::String:
    case TypeKind::Rename:
    case TypeKind::VariableArray:
    case TypeKind::Set:
        return text + " of " + symbolOf(type.element);
    case TypeKind::Enumeration: {
        text += " of " + symbolOf(type.element) + " {";
        for (std::size_t i = 0; i < type.values.size(); ++i)
            text += (i ? ", " : "") + std::to_string(type.values[i].value) + " " +
                    type.values[i].symbol;
        return text + "}";
    }
    case TypeKind::ExtendibleEnumeration:
        return text + " of " + symbolOf(type.element) + ", " + std::to_string(type.values.size()) +
               " known value" + (type.values.size() == 1 ? "" : "s");
    case TypeKind::Record: {
        text += " {";
        for (std::size_t i = 0; i < type.members.size(); ++i)
            text += (i ? ", " : "") + type.members[i].symbol + " " + symbolOf(type.members[i].type);
        return text + "}";
    }
    case TypeKind::StrongReference:
    case TypeKind::WeakReference:
        return type.target ? text + " to " + type.target->dotted() : text;
    case TypeKind::Indirect:
    case TypeKind::Opaque:
    case TypeKind::Stream:
        break;
    }
    return text;
}

} // namespace TypeDefinitions
} // namespace Palimo
