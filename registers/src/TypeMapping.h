#pragma once
// Maps the types of the Types register onto the data types of the core
// library: simple types, arrays and batches, references and collections of
// references.
#include "RegisterEntries.h"

#include <Palimo/TypeDefinitions/CoreTypeMapping.h>
#include <Palimo/Types/Identifiers.h>

#include <map>
#include <optional>
#include <string>

namespace Palimo {
namespace Registers {

/// How an element of a register type is declared.
using MappedType = TypeDefinitions::CoreTypeMapping;

/// The mapping of one Types register.
class TypeMapper : public TypeDefinitions::TypeFactsSource {
public:
    /// `types` must outlive the mapper.
    explicit TypeMapper(const std::vector<TypeEntry>& types);

    /// The mapping of the type `ul` (an element's Type); a missing type
    /// (nothing given, or a label the register does not hold) maps to
    /// DataValue with the reason.
    MappedType map(const std::optional<Label>& ul) const;
    /// The entry of `ul`, matched with and then without its version byte.
    const TypeEntry* entry(const Label& ul) const;

    std::optional<TypeDefinitions::TypeFacts> find(const Label& ul) const override;
    std::string notFound(const Label& ul) const override;

private:
    std::map<Label, const TypeEntry*> exact_;
    std::map<Label, const TypeEntry*> withoutVersion_;
};

} // namespace Registers
} // namespace Palimo
