#pragma once
// Decoded values in the JSON of mxfdict read (its schema:
// mxfdict-output.schema.json, $defs/value).
//
// Threads: only reads the value; any number may run at once, each with its
// own sink.
#include <Palimo/Output/JsonSink.h>

#include <Palimo/MXF/Value.h>

namespace Palimo {
namespace Output {

/// Integers and floating-point numbers as numbers (NaN and the infinities as
/// "NaN", "Infinity", "-Infinity"), Booleans as true/false, texts as strings,
/// UUIDs, UMIDs, rationals, timestamps, dates, times and versions as the
/// strings of their text forms; AUIDs as {"value": label or UUID, "labelName":
/// name or null}; enumerations as {"value": N, "symbol": symbol or null};
/// records as objects of their fields; lists as arrays; Indirect values as
/// {"type": symbol or null, "typeLabel": label, "value": value}; bytes as hex.
void describeValue(JsonSink& sink, const MXF::Value& value);

} // namespace Output
} // namespace Palimo
