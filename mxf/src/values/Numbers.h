#pragma once
// Integers and IEEE 754 floating-point numbers of 1 to 8 bytes in either
// byte order. Callers check that the bytes are there.
#include <cstddef>
#include <cstdint>

namespace Palimo {
namespace MXF {

/// The unsigned integer of `size` (1 to 8) bytes.
std::uint64_t unsignedNumber(const std::uint8_t* bytes, std::size_t size, bool littleEndian);
/// The two's complement integer of `size` (1 to 8) bytes, sign-extended.
std::int64_t signedNumber(const std::uint8_t* bytes, std::size_t size, bool littleEndian);
/// The binary16, binary32 or binary64 number of `size` (2, 4 or 8) bytes.
double floatNumber(const std::uint8_t* bytes, std::size_t size, bool littleEndian);

} // namespace MXF
} // namespace Palimo
