#pragma once
// Decoded values as the one-line text of mxfdict read: names where the
// dictionary gives them, with the machine value beside them.
//
// Threads: only read the value; any number may run at once, each writing to
// its own stream.
#include <Palimo/MXF/Value.h>

#include <ostream>
#include <string>

namespace Palimo {
namespace Output {

/// The value on one line, written piece by piece: numbers as such; texts
/// quoted, with control characters, quotes and backslashes escaped as JSON
/// escapes them and every other character that could control a terminal
/// escaped too (TerminalText.h); labels as "Name (06.0e.2b.34...)" when
/// named, else dotted; UUIDs 8-4-4-4-12; UMIDs dotted; enumerations "Symbol
/// (N)", or "N (not named by the dictionary)"; records "{Member: value,
/// ...}"; lists "[a, b]"; Indirect values "Type value"; bytes "bytes 0a0b".
/// The dictionary's names are escaped like texts, without quotes.
void writeValueText(std::ostream& out, const MXF::Value& value);

/// The text of writeValueText, for a value known to be small.
std::string valueText(const MXF::Value& value);

/// A timestamp, date or time in ISO 8601 with milliseconds:
/// "2015-05-19T08:52:08.328Z", "2015-05-19", "08:52:08.328".
std::string timestampText(const MXF::Timestamp& stamp);
std::string dateText(const MXF::Date& date);
std::string timeText(const MXF::Time& time);

/// The shortest text that reads back as `real` (as a float when it is one);
/// "NaN", "Infinity" or "-Infinity" for those.
std::string realText(double real);

} // namespace Output
} // namespace Palimo
