#pragma once
// Positions and lengths of a track as time: the start of a timecode track as
// hours, minutes, seconds and frames, and a count of edit units as
// milliseconds. Both functions only compute: any number of threads may call
// them at once.
#include <Palimo/MXF/Value.h>

#include <cstdint>
#include <optional>

namespace Palimo {
namespace MXF {

/// What a TimecodeComponent says of its start: StartTimecode (frames since
/// midnight at the rounded base), RoundedTimecodeBase (frames a second) and
/// DropFrame.
struct TimecodeStart {
    std::int64_t frames = 0;
    std::uint16_t base = 0;
    bool dropFrame = false;
};

struct TimecodeFields {
    bool negative = false;   // a start before midnight, which files may hold
    std::uint64_t hours = 0; // not wrapped at 24
    unsigned minutes = 0;
    unsigned seconds = 0;
    unsigned frames = 0;
    bool dropFrame = false; // written HH:MM:SS;FF
};

/// The fields of `start`. With drop frame at a base that is a multiple of 30,
/// the frame numbers that drop-frame timecode skips (2 per 30 frames a second
/// at the start of each minute but every tenth) are counted as the labels
/// show them; at another base, drop frame only changes the separator. None
/// when the base is 0.
std::optional<TimecodeFields> timecodeFields(const TimecodeStart& start);

/// `count` edit units at `editRate` in milliseconds, rounded to the nearest;
/// none when the rate is not positive or the result does not fit.
std::optional<std::int64_t> editUnitsToMilliseconds(std::int64_t count, const Rational& editRate);

} // namespace MXF
} // namespace Palimo
