#pragma once
// The summary of a read MXF file as mxfdict read --summary writes it: one
// line of text, or one JSON object on one line (JSON Lines).
//
// Threads: the writers only read the summary; any number may write at once,
// each to its own stream.

#include <Palimo/MXF/Summary.h>

#include <ostream>
#include <string>

namespace Palimo {
namespace Output {

/// "PATH: " then, separated by "; ", what the file gives of: the operational
/// pattern, the header partition's status (and the copy read when it is
/// another), "essence" and the essence containers, each package with its
/// tracks and descriptors in brackets, and "problems". Labels by their names,
/// else dotted.
void printSummary(std::ostream& out, const std::string& path, const MXF::Summary& summary);

/// {"formatVersion", "file", ["operationalPattern"], ["essenceContainers"],
/// "headerPartition", "copyRead", "packages", "problems", ["problemsNotKept"]}
/// on one line, ending in a newline (JsonStreamWriter).
void writeSummaryJson(std::ostream& out, const std::string& path, const MXF::Summary& summary);

/// For a file that cannot be read: "PATH: cannot read: MESSAGE", and
/// {"formatVersion", "file", "error"} on one line.
void printUnreadableSummary(std::ostream& out, const std::string& path, const std::string& message);
void writeUnreadableSummaryJson(std::ostream& out, const std::string& path,
                                const std::string& message);

/// "HH:MM:SS:FF", "HH:MM:SS;FF" for drop frame, "-" in front before midnight.
std::string timecodeText(const MXF::TimecodeFields& fields);
/// "HH:MM:SS.mmm", "-" in front when negative.
std::string durationText(std::int64_t milliseconds);

} // namespace Output
} // namespace Palimo
