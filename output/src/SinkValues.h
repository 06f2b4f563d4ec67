#pragma once
// Values that a JSON description writes as null when they are absent.
#include <Palimo/Output/JsonSink.h>

#include <optional>
#include <string>

namespace Palimo {
namespace Output {

inline void stringOrNull(JsonSink& sink, const std::string* text) {
    if (text)
        sink.string(*text);
    else
        sink.null();
}

inline void stringOrNull(JsonSink& sink, const std::optional<std::string>& text) {
    stringOrNull(sink, text ? &*text : nullptr);
}

} // namespace Output
} // namespace Palimo
