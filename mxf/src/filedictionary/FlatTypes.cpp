#include "FlatTypes.h"

#include <Palimo/TypeDefinitions/CoreTypeMapping.h>

#include <vector>

namespace Palimo {
namespace MXF {
namespace Definitions {
namespace {

using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeFacts;
using TypeDefinitions::TypeKind;

// The types that `root` is built on, by label, for the mapping: no deeper
// than it reads.
class DefinitionFacts : public TypeDefinitions::TypeFactsSource {
public:
    explicit DefinitionFacts(const TypeDefinition& root) {
        constexpr std::size_t kDepth = 66;
        for (const TypeDefinition* type = &root; type && types_.size() < kDepth;
             type = type->element) {
            if (byLabel(type->label))
                break; // defined through itself
            types_.push_back(type);
        }
    }

    std::optional<TypeFacts> find(const Identifiers::Label& label) const override {
        if (const TypeDefinition* type = byLabel(label))
            return facts(*type);
        return std::nullopt;
    }

    std::string notFound(const Identifiers::Label& label) const override {
        return "type " + label.dotted() + " is not defined";
    }

private:
    const TypeDefinition* byLabel(const Identifiers::Label& label) const {
        for (const TypeDefinition* type : types_)
            if (type->label == label)
                return type;
        return nullptr;
    }

    static TypeFacts facts(const TypeDefinition& type) {
        TypeFacts facts;
        facts.label = type.label;
        facts.symbol = type.symbol;
        facts.kindName = TypeDefinitions::typeKindName(type.kind);
        facts.size = type.size;
        facts.isSigned = type.isSigned;
        if (type.kind == TypeKind::StrongReference || type.kind == TypeKind::WeakReference)
            facts.base = type.target;
        else if (type.element)
            facts.base = type.element->label;
        return facts;
    }

    std::vector<const TypeDefinition*> types_;
};

} // namespace

FlatType flatType(const TypeDefinition& type) {
    const TypeDefinitions::CoreTypeMapping mapped =
        TypeDefinitions::mapToCoreType(type.label, DefinitionFacts(type));
    FlatType flat;
    flat.kind = mapped.kind;
    flat.identifier = mapped.identifier;
    flat.itemIdentifier = mapped.itemIdentifier;
    flat.itemName = mapped.itemName;
    if (mapped.target)
        flat.targets.push_back(*mapped.target);
    return flat;
}

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
