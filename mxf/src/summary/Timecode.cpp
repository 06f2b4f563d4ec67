#include <Palimo/MXF/Timecode.h>

#include <cmath>
#include <limits>

namespace Palimo {
namespace MXF {

std::optional<TimecodeFields> timecodeFields(const TimecodeStart& start) {
    if (start.base == 0)
        return std::nullopt;
    TimecodeFields fields;
    fields.negative = start.frames < 0;
    fields.dropFrame = start.dropFrame;
    // The magnitude as unsigned: -INT64_MIN does not fit a signed integer.
    std::uint64_t count = fields.negative ? 0 - static_cast<std::uint64_t>(start.frames)
                                          : static_cast<std::uint64_t>(start.frames);
    const std::uint64_t base = start.base;
    if (start.dropFrame && base % 30 == 0) {
        // Labels 0 and 1 (0 to 3 at 60) of every minute but each tenth are
        // skipped: add back the labels skipped before this frame.
        const std::uint64_t dropped = base / 15;
        const std::uint64_t perMinute = base * 60 - dropped;
        const std::uint64_t perTenMinutes = base * 600 - dropped * 9;
        const std::uint64_t tens = count / perTenMinutes;
        const std::uint64_t rest = count % perTenMinutes;
        const std::uint64_t skipped =
            dropped * 9 * tens + (rest > dropped ? dropped * ((rest - dropped) / perMinute) : 0);
        count += skipped;
    }
    fields.frames = static_cast<unsigned>(count % base);
    const std::uint64_t totalSeconds = count / base;
    fields.seconds = static_cast<unsigned>(totalSeconds % 60);
    fields.minutes = static_cast<unsigned>(totalSeconds / 60 % 60);
    fields.hours = totalSeconds / 3600;
    return fields;
}

std::optional<std::int64_t> editUnitsToMilliseconds(std::int64_t count, const Rational& editRate) {
    if (editRate.numerator <= 0 || editRate.denominator <= 0)
        return std::nullopt;
    // long double holds 64 bits of mantissa on the platforms built for; the
    // product of a count and a 32-bit denominator may not fit 64 bits.
    const long double milliseconds = std::roundl(static_cast<long double>(count) * 1000.0L *
                                                 editRate.denominator / editRate.numerator);
    if (milliseconds >= static_cast<long double>(std::numeric_limits<std::int64_t>::max()) ||
        milliseconds < static_cast<long double>(std::numeric_limits<std::int64_t>::min()))
        return std::nullopt;
    return static_cast<std::int64_t>(milliseconds);
}

} // namespace MXF
} // namespace Palimo
