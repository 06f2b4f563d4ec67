#include "JsonOutput.h"

namespace Mxfdict {

Json jsonDocument() {
    Json document;
    document["formatVersion"] = kJsonFormatVersion;
    return document;
}

void writeJson(std::ostream& out, const Json& document) {
    out << document.dump(2) << '\n';
}

} // namespace Mxfdict
