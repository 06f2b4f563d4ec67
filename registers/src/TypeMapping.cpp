#include "TypeMapping.h"

namespace Palimo {
namespace Registers {

TypeMapper::TypeMapper(const std::vector<TypeEntry>& types) {
    for (const TypeEntry& type : types) {
        exact_.emplace(type.ul, &type);
        withoutVersion_.emplace(type.ul.withoutVersion(), &type);
    }
}

const TypeEntry* TypeMapper::entry(const Label& ul) const {
    const auto exact = exact_.find(ul);
    if (exact != exact_.end())
        return exact->second;
    const auto loose = withoutVersion_.find(ul.withoutVersion());
    return loose == withoutVersion_.end() ? nullptr : loose->second;
}

std::optional<TypeDefinitions::TypeFacts> TypeMapper::find(const Label& ul) const {
    const TypeEntry* type = entry(ul);
    if (!type)
        return std::nullopt;
    TypeDefinitions::TypeFacts facts;
    facts.label = type->ul;
    facts.symbol = type->symbol;
    facts.kindName = type->typeKind;
    if (type->typeSize)
        facts.size = *type->typeSize;
    facts.isSigned = type->qualifiers.find("isSigned") != std::string::npos;
    facts.base = type->baseType;
    return facts;
}

std::string TypeMapper::notFound(const Label& ul) const {
    return "type " + ul.dotted() + " is not in the Types register";
}

MappedType TypeMapper::map(const std::optional<Label>& ul) const {
    if (!ul) {
        MappedType mapped;
        mapped.fallback = "the element has no type";
        return mapped;
    }
    return TypeDefinitions::mapToCoreType(*ul, *this);
}

} // namespace Registers
} // namespace Palimo
