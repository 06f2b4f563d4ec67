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
        Boolean,   // `boolean`
        String,    // UTF-16 and ISO 7 text, as UTF-8: `text`
        Label,     // universal labels, dotted: `text`
        UUID,      // UUIDs and references (the target's InstanceUID), 8-4-4-4-12: `text`
        UMID,      // 32- or 64-byte UMIDs, dotted: `text`
        Rational,  // "N/D": `text`
        Timestamp, // ISO 8601 with milliseconds, "2015-05-19T08:52:08.328Z": `text`
        Version,   // "major.minor" or product versions "major.minor.patch.build.release": `text`
        List       // arrays and batches: `items`
    };

    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::uint64_t unsignedInteger = 0;
    bool boolean = false;
    std::string text;
    std::vector<Value> items;
};

} // namespace MXF
} // namespace Palimo
