#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <iterator>

namespace Palimo {
namespace TypeDefinitions {
namespace {

constexpr const char* kKindNames[] = {"Integer",
                                      "Float",
                                      "Character",
                                      "String",
                                      "Rename",
                                      "Enumeration",
                                      "ExtendibleEnumeration",
                                      "Record",
                                      "FixedArray",
                                      "VariableArray",
                                      "Set",
                                      "Indirect",
                                      "Opaque",
                                      "Stream",
                                      "StrongReference",
                                      "WeakReference"};
static_assert(std::size(kKindNames) == static_cast<std::size_t>(TypeKind::WeakReference) + 1);

// Deep enough for any register type; a built dictionary has no cycles, this
// only guards a hand-made one.
constexpr int kMaxDepth = 64;

std::optional<std::size_t> fixedSizeOf(const TypeDefinition& type, int depth) {
    if (depth > kMaxDepth)
        return std::nullopt;
    switch (type.kind) {
    case TypeKind::Integer:
    case TypeKind::Float:
    case TypeKind::Character:
        return type.size;
    case TypeKind::Rename:
    case TypeKind::Enumeration:
        return type.element ? fixedSizeOf(*type.element, depth + 1) : std::nullopt;
    case TypeKind::ExtendibleEnumeration:
    case TypeKind::StrongReference:
        return 16;
    case TypeKind::FixedArray: {
        if (!type.element)
            return std::nullopt;
        const std::optional<std::size_t> item = fixedSizeOf(*type.element, depth + 1);
        if (!item)
            return std::nullopt;
        return *item * type.count;
    }
    case TypeKind::Record: {
        std::size_t total = 0;
        for (const RecordMember& member : type.members) {
            if (!member.type)
                return std::nullopt;
            const std::optional<std::size_t> size = fixedSizeOf(*member.type, depth + 1);
            if (!size)
                return std::nullopt;
            total += *size;
        }
        return total;
    }
    default:
        // Weak references take the size of their target's identifier.
        return std::nullopt;
    }
}

} // namespace

const char* typeKindName(TypeKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < std::size(kKindNames) ? kKindNames[index] : "";
}

std::optional<TypeKind> typeKindFromName(const std::string& name) {
    for (std::size_t i = 0; i < std::size(kKindNames); ++i)
        if (name == kKindNames[i])
            return static_cast<TypeKind>(i);
    return std::nullopt;
}

const TypeDefinition& TypeDefinition::resolved() const {
    const TypeDefinition* type = this;
    for (int depth = 0; type->kind == TypeKind::Rename && type->element && depth < kMaxDepth;
         ++depth)
        type = type->element;
    return *type;
}

std::optional<std::size_t> TypeDefinition::fixedSize() const {
    return fixedSizeOf(*this, 0);
}

const EnumerationValue* TypeDefinition::findValue(std::int64_t value) const {
    for (const EnumerationValue& known : values)
        if (known.value == value)
            return &known;
    return nullptr;
}

const EnumerationValue* TypeDefinition::findValue(const Label& label) const {
    for (const EnumerationValue& known : values)
        if (known.label == label)
            return &known;
    for (const EnumerationValue& known : values)
        if (known.label.equalIgnoringVersion(label))
            return &known;
    return nullptr;
}

} // namespace TypeDefinitions
} // namespace Palimo
