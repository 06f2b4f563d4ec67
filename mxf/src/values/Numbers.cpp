#include "Numbers.h"

#include <cmath>
#include <cstring>

namespace Palimo {
namespace MXF {

std::uint64_t unsignedNumber(const std::uint8_t* bytes, std::size_t size, bool littleEndian) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[littleEndian ? size - 1 - i : i];
    return value;
}

std::int64_t signedNumber(const std::uint8_t* bytes, std::size_t size, bool littleEndian) {
    const std::uint64_t value = unsignedNumber(bytes, size, littleEndian);
    const unsigned bits = static_cast<unsigned>(8 * size);
    if (bits < 64 && (value >> (bits - 1)) != 0)
        return static_cast<std::int64_t>(value | (~std::uint64_t{0} << bits));
    return static_cast<std::int64_t>(value);
}

namespace {

// binary16: 1 sign bit, 5 exponent bits, 10 fraction bits.
double halfFloat(std::uint16_t bits) {
    const int exponent = (bits >> 10) & 0x1f;
    const double fraction = bits & 0x3ff;
    double magnitude;
    if (exponent == 0)
        magnitude = std::ldexp(fraction, -24);
    else if (exponent == 31)
        magnitude = fraction == 0 ? HUGE_VAL : std::nan("");
    else
        magnitude = std::ldexp(fraction + 1024, exponent - 25);
    return (bits & 0x8000) ? -magnitude : magnitude;
}

} // namespace

double floatNumber(const std::uint8_t* bytes, std::size_t size, bool littleEndian) {
    const std::uint64_t bits = unsignedNumber(bytes, size, littleEndian);
    if (size == 2)
        return halfFloat(static_cast<std::uint16_t>(bits));
    if (size == 4) {
        const auto narrow = static_cast<std::uint32_t>(bits);
        float single;
        std::memcpy(&single, &narrow, sizeof single);
        return single;
    }
    double real;
    std::memcpy(&real, &bits, sizeof real);
    return real;
}

} // namespace MXF
} // namespace Palimo
