#pragma once
// The decoder over type definitions, one kind of type at a time. Every
// function decodes exactly the bytes it is given: a composite value splits
// its bytes among its parts before decoding them.
#include <Palimo/MXF/ValueDecoder.h>

#include "SpecialTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace Palimo {
namespace MXF {

class DefinitionDecoder {
public:
    explicit DefinitionDecoder(const TypeDefinitions::TypeDictionary& types) : types_(types) {}

    /// Where in the value's bytes: how they are ordered and how deep the
    /// value sits.
    struct Place {
        bool littleEndian = false;
        int depth = 0;
        Place deeper() const { return Place{littleEndian, depth + 1}; }
    };

    DecodedValue decode(const TypeDefinitions::TypeDefinition& type, const std::uint8_t* bytes,
                        std::size_t size, Place place) const;

    /// The encoded size of every value of `type`; none when values differ in
    /// size. Unlike TypeDefinition::fixedSize, it knows the special types
    /// (ProductReleaseType takes two bytes) and the identifiers of weak
    /// references.
    std::optional<std::size_t> encodedSize(const TypeDefinitions::TypeDefinition& type,
                                           int depth = 0) const;

private:
    using TypeDefinition = TypeDefinitions::TypeDefinition;

    DecodedValue decodeKind(const TypeDefinition& type, const TypeDefinition& resolved,
                            const std::uint8_t* bytes, std::size_t size, Place place) const;
    DecodedValue integer(const TypeDefinition& resolved, const std::uint8_t* bytes,
                         std::size_t size, Place place) const;
    DecodedValue text(const TypeDefinition& resolved, const std::uint8_t* bytes, std::size_t size,
                      Place place) const;
    DecodedValue enumeration(const TypeDefinition& resolved, bool twoBytes,
                             const std::uint8_t* bytes, std::size_t size, Place place) const;
    DecodedValue weakReference(const TypeDefinition& resolved, const std::uint8_t* bytes,
                               std::size_t size, Place place) const;

    // Collections.cpp
    DecodedValue record(const TypeDefinition& resolved, const std::uint8_t* bytes, std::size_t size,
                        Place place) const;
    DecodedValue fixedArray(const TypeDefinition& resolved, const std::uint8_t* bytes,
                            std::size_t size, Place place) const;
    DecodedValue variableArray(const TypeDefinition& resolved, const std::uint8_t* bytes,
                               std::size_t size, Place place) const;
    DecodedValue items(const TypeDefinition& resolved, const std::uint8_t* bytes, std::size_t count,
                       std::size_t itemSize, Place place) const;

    // IndirectValues.cpp
    DecodedValue indirect(const TypeDefinition& resolved, const std::uint8_t* bytes,
                          std::size_t size, Place place) const;

    const TypeDefinitions::TypeDictionary& types_;
};

/// The type's symbol for messages; its label when it has none.
std::string typeName(const TypeDefinitions::TypeDefinition& type);

/// A value of `type` holding `data`.
Value typedValue(const TypeDefinitions::TypeDefinition* type, Value::Data data);

/// Takes over the part's notes and its problem (prefixed by `where`, when the
/// whole has none yet) into `whole`; returns whether the part has a value.
bool takePart(DecodedValue& whole, DecodedValue& part, const std::string& where);

} // namespace MXF
} // namespace Palimo
