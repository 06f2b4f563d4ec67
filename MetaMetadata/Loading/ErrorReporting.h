#pragma once
// Turning XML parser and XPath engine failures into ParseError, and the
// loader's own consistency checks.
#include "bindings/Core.h"

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/util/UTFDataFormatException.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xqilla/exceptions/XQException.hpp>
#include <xqilla/exceptions/XQillaException.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

// Message texts composed from a caught exception. A null text of the caught
// exception is written as an empty text.
WString describeXmlFailure(const XQillaException& e);
WString describeXmlFailure(const XQException& e);
WString describeXmlFailure(const xercesc::DOMException& e);
WString describeXmlFailure(const xercesc::UTFDataFormatException& e);
WString describeXmlFailure(const xercesc::SAXException& e);
WString describeXmlFailure(const xercesc::XMLException& e);

// Each throws a ParseError carrying describeXmlFailure(e).
[[noreturn]] void translateXmlFailure(const XQillaException& e);
[[noreturn]] void translateXmlFailure(const XQException& e);
[[noreturn]] void translateXmlFailure(const xercesc::DOMException& e);
[[noreturn]] void translateXmlFailure(const xercesc::UTFDataFormatException& e);
[[noreturn]] void translateXmlFailure(const xercesc::SAXException& e);
[[noreturn]] void translateXmlFailure(const xercesc::XMLException& e);

/// Throws ParseError "<condition>: <message>" with the given source location.
[[noreturn]] void throwCheckFailure(const char* condition, const WString& message, const char* file,
                                    int line);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
