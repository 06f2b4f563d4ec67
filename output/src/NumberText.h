#pragma once
// The pieces of numbers, dates and times that every text form of values
// shares; each form adds its own spelling of what is not a plain number.
#include <string>

namespace Palimo {
namespace Output {

/// `n` (below 100) in two digits: "07".
std::string twoDigits(unsigned n);

/// The year in at least four digits, "-" in front when negative ("-0001");
/// with `signAbove9999` a year over 9999 gets a "+" in front, as ISO 8601
/// writes expanded years.
std::string yearText(int year, bool signAbove9999);

/// How a text form spells the reals that are no number.
struct NonFiniteNames {
    const char* nan;
    const char* infinity;
    const char* negativeInfinity;
};

/// The shortest text that reads back as `real` (as a float when it is one):
/// "0.1", "-2.5e-07"; NaN and the infinities by `names`.
std::string shortestRealText(double real, const NonFiniteNames& names);

} // namespace Output
} // namespace Palimo
