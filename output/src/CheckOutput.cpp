#include <Palimo/Output/CheckOutput.h>
#include <Palimo/Output/JsonSink.h>

#include "SinkValues.h"

namespace Palimo {
namespace Output {

using Check::Finding;

std::string sourcePrefix(const std::string& file, int line) {
    if (file.empty())
        return {};
    return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
}

void printFindings(std::ostream& out, const std::vector<Finding>& findings) {
    for (const Finding& finding : findings)
        out << sourcePrefix(finding.file, finding.line) << finding.declaration << ": "
            << finding.message << " [" << finding.kind << "]\n";
}

void writeFindingsJson(std::ostream& out, const std::string& schema,
                       const std::vector<Finding>& findings) {
    JsonStreamWriter sink(out);
    beginDocument(sink);
    sink.key("schema");
    sink.string(schema);
    sink.key("findings");
    sink.beginArray();
    for (const Finding& finding : findings) {
        sink.beginObject();
        sink.key("kind");
        sink.string(finding.kind);
        sink.key("declaration");
        sink.string(finding.declaration);
        sink.key("file");
        stringOrNull(sink, finding.file.empty() ? nullptr : &finding.file);
        sink.key("line");
        if (finding.line > 0)
            sink.integer(finding.line);
        else
            sink.null();
        sink.key("message");
        sink.string(finding.message);
        sink.endObject();
    }
    sink.endArray();
    sink.endObject();
    sink.finish();
}

} // namespace Output
} // namespace Palimo
