#pragma once
// Type definitions as one line of text, for listings and messages.
#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <string>

namespace Palimo {
namespace TypeDefinitions {

/// What the type is, after its symbol and without its label:
/// "Integer, 4 bytes, unsigned", "FixedArray of 8 RGBAComponent",
/// "Record {Numerator Int32, Denominator Int32}",
/// "Enumeration of UInt8 {0 FullFrame, 1 SeparateFields}",
/// "ExtendibleEnumeration of AUID, 12 known values",
/// "WeakReference to 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.34.00".
std::string typeSummary(const TypeDefinition& type);

} // namespace TypeDefinitions
} // namespace Palimo
