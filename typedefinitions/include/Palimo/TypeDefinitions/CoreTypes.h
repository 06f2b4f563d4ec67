#pragma once
// Which flat data type of the core library a register type stands for, where
// the register's type label alone says it: the register import and an MXF
// file's own dictionary map types onto the core's alike.
//
// Threads: pure functions.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/Types/Identifiers.h>

#include <cstddef>
#include <optional>

namespace Palimo {
namespace TypeDefinitions {

/// The core type that the register type of `typeLabel` stands for as a whole
/// (Position, Length, AUID, UMID, UUID, Boolean, the characters and strings,
/// Rational and the other records the core knows, ExtUMID, DataValue,
/// Stream, Indirect, Opaque), by bytes 9 to 12 of a label under
/// 06.0e.2b.34.01.04.01; none for any other type.
std::optional<Types::Identifier> knownCoreType(const Identifiers::Label& typeLabel);

/// Whether `typeLabel` is the register's array of UTF-16 strings, whose items
/// are whole strings though the register gives them as characters.
bool isUtf16StringArray(const Identifiers::Label& typeLabel);

/// The core integer of `size` bytes and that sign; NoIdentifier for a size
/// the core has no integer of.
Types::Identifier coreIntegerType(std::size_t size, bool isSigned);

} // namespace TypeDefinitions
} // namespace Palimo
