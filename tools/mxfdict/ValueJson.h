#pragma once
// Decoded values in the JSON of mxfdict read (its schema:
// mxfdict-output.schema.json, $defs/value).
#include "JsonSink.h"

#include <Palimo/MXF/Value.h>

namespace Mxfdict {

/// Integers and floating-point numbers as numbers (NaN and the infinities as
/// "NaN", "Infinity", "-Infinity"), Booleans as true/false, texts as strings,
/// UUIDs, UMIDs, rationals, timestamps, dates, times and versions as the
/// strings of their text forms; AUIDs as {"value": label or UUID, "labelName":
/// name or null}; enumerations as {"value": N, "symbol": symbol or null};
/// records as objects of their fields; lists as arrays; Indirect values as
/// {"type": symbol or null, "typeLabel": label, "value": value}; bytes as hex.
void describeValue(JsonSink& sink, const Palimo::MXF::Value& value);

/// The same as a tree, for a value known to be small.
Json valueToJson(const Palimo::MXF::Value& value);

} // namespace Mxfdict
