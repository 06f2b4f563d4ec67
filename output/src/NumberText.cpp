#include "NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Palimo {
namespace Output {

std::string twoDigits(unsigned n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", n);
    return text;
}

std::string yearText(int year, bool signAbove9999) {
    char text[16];
    if (year < 0)
        std::snprintf(text, sizeof text, "-%04d", -year);
    else if (year > 9999 && signAbove9999)
        std::snprintf(text, sizeof text, "+%d", year);
    else
        std::snprintf(text, sizeof text, "%04d", year);
    return text;
}

std::string shortestRealText(double real, const NonFiniteNames& names) {
    if (std::isnan(real))
        return names.nan;
    if (std::isinf(real))
        return real < 0 ? names.negativeInfinity : names.infinity;
    // A Float32 keeps its own shortest form rather than its double's.
    const bool single = static_cast<double>(static_cast<float>(real)) == real;
    char text[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, real);
        const double back = std::strtod(text, nullptr);
        if (single ? static_cast<float>(back) == static_cast<float>(real) : back == real)
            break;
    }
    return text;
}

} // namespace Output
} // namespace Palimo
