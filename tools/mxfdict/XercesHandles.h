#pragma once
// Owners of the Xerces objects the tool creates itself.
#include <Palimo/XMLUtils/Initializer.h>

#include <xercesc/dom/DOMImplementationLS.hpp>
#include <xercesc/dom/DOMLSParser.hpp>

#include <memory>

namespace Mxfdict {

struct ParserRelease {
    void operator()(xercesc::DOMLSParser* parser) const { parser->release(); }
};
/// A parser, released with every document it made.
using ParserPtr = std::unique_ptr<xercesc::DOMLSParser, ParserRelease>;

/// A synchronous parser of the XQilla DOM implementation, as the loader uses.
inline ParserPtr createParser() {
    return ParserPtr(Palimo::XMLUtils::Initializer::instance().domImplementation()->createLSParser(
        xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr));
}

} // namespace Mxfdict
