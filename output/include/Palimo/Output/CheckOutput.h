#pragma once
// The findings of a schema check (Check/Findings.h) as mxfdict check writes
// them: a line each, or one JSON document.
//
// Threads: the writers only read their arguments; any number may write at
// once, each to its own stream.
#include <Palimo/Check/Findings.h>

#include <ostream>
#include <string>
#include <vector>

namespace Palimo {
namespace Output {

/// "FILE:LINE: ", "FILE: " without a line, nothing without a file: the start
/// of a report line about what is at that place.
std::string sourcePrefix(const std::string& file, int line);

/// "FILE:LINE: DECLARATION: MESSAGE [KIND]", a line a finding.
void printFindings(std::ostream& out, const std::vector<Check::Finding>& findings);

/// {"formatVersion", "schema", "findings": [{"kind", "declaration", "file", "line",
/// "message"}]}, indented; an unknown file or line is null.
void writeFindingsJson(std::ostream& out, const std::string& schema,
                       const std::vector<Check::Finding>& findings);

} // namespace Output
} // namespace Palimo
