#pragma once
// Turning XML parser and XPath engine failures into ParseError, and the
// loader's own consistency checks. The failures' classes are only declared
// here: a source that catches or makes one includes its header.
#include "bindings/CoreNames.h"

#include <xercesc/util/XercesDefs.hpp>

class XQException;
class XQillaException;

XERCES_CPP_NAMESPACE_BEGIN
class DOMException;
class SAXException;
class UTFDataFormatException;
class XMLException;
XERCES_CPP_NAMESPACE_END

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

/// `text` as a message quotes it: cut after XMLUtils::Limits::kQuotedText
/// code units, with a note of its full length (XMLUtils::quotedText).
WString quotedText(const WString& text);

/// Throws the core library's InvalidStringRepresentation "Invalid <what>
/// text: "<text>"", with `text` cut as quotedText cuts it, when `text` is
/// longer than XMLUtils::Limits::kQuotedText: no text of a label, key, local
/// tag, UUID or UMID is, and the core library would quote it whole.
void refuseOverlongText(const char* what, const WString& text, const char* file, int line);

/// Throws ParseError "<condition>: <message>" with the given source location.
[[noreturn]] void throwCheckFailure(const char* condition, const WString& message, const char* file,
                                    int line);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
