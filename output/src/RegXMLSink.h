#pragma once
// What a walk over the header metadata produces: the pieces of the document
// and, apart from them, each use of a namespace in the order RegXML gives
// prefixes (a set's `uid` attribute is written with its start tag, but its
// namespace counts as used only after the identifying item).
#include <string>

namespace Palimo {
namespace Output {

class RegXMLSink {
public:
    virtual ~RegXMLSink() = default;
    virtual void useNamespace(const std::string& /*uri*/) {}
    virtual void startElement(const std::string& /*uri*/, const std::string& /*name*/) {}
    virtual void attribute(const std::string& /*uri*/, const std::string& /*name*/,
                           const std::string& /*value*/) {}
    virtual void text(const std::string& /*text*/) {}
    virtual void comment(const std::string& /*text*/) {}
    virtual void endElement() {}
};

} // namespace Output
} // namespace Palimo
