#pragma once
// A decoded item value.
#include <cstdint>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

struct Value {
    enum class Kind {
        Integer,   // signed integers, lengths and positions: `integer`
        Unsigned,  // unsigned integers: `unsignedInteger`
        Real,      // Float32 and Float64: `real`, and `text` ("NaN", "Infinity", ... too)
        Boolean,   // `boolean`
        String,    // UTF-16, UTF-8 and ISO 7 text, as UTF-8: `text`
        Label,     // universal labels (and AUIDs that are labels), dotted: `text`
        UUID,      // UUIDs, references (the target's InstanceUID) and AUIDs that are no
                   // label, 8-4-4-4-12: `text`
        UMID,      // 32- or 64-byte UMIDs, dotted: `text`
        Rational,  // "N/D": `text`
        Timestamp, // ISO 8601 with milliseconds, "2015-05-19T08:52:08.328Z"; dates
                   // "2015-05-19" and times "08:52:08.328": `text`
        Record,    // small records: RGBA components "R8", color primaries "x,y",
                   // JPEG 2000 component sizings "depth,dx,dy": `text`
        Version,   // "major.minor" or product versions "major.minor.patch.build.release": `text`
        List       // arrays and batches: `items`
    };

    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::uint64_t unsignedInteger = 0;
    double real = 0;
    bool boolean = false;
    std::string text;
    std::vector<Value> items;
};

} // namespace MXF
} // namespace Palimo
