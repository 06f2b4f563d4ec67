#include "ErrorReporting.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/Limits.h>
#include <Palimo/XMLUtils/QuotedText.h>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/util/UTFDataFormatException.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xqilla/exceptions/XQException.hpp>
#include <xqilla/exceptions/XQillaException.hpp>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

/// A caught exception's text, cut as a quoted text is (it may quote an
/// expression that pastes a schema's text); a null text is written as the
/// empty text.
WString textOf(const XMLCh* text) {
    return text != nullptr ? XMLUtils::quotedText(WString(text)) : WString();
}

/// The readable name of a class as the run-time type information gives it
/// (demangled where the ABI mangles it, e.g. "xercesc_3_2::SAXException").
WString typeName(const std::type_info& type) {
    const char* name = type.name();
#if defined(__GNUG__)
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    if (status == 0 && demangled)
        return Utils::stringToWstring(demangled.get());
#endif
    return Utils::stringToWstring(name);
}

/// "<label>: <text>"; the labels given with their own colon read "X:: text".
WString joined(const WString& label, const WString& text) {
    return label + u": " + text;
}

} // namespace

WString describeXmlFailure(const XQillaException& e) {
    return joined(u"XQillaException:", textOf(e.getString()));
}

WString describeXmlFailure(const XQException& e) {
    return joined(u"XQException:", textOf(e.getError()));
}

WString describeXmlFailure(const xercesc::DOMException& e) {
    // The code is printed as the signed 16-bit number it is, right after the text.
    const std::string code = std::to_string(static_cast<short>(e.code));
    return joined(u"DOMException:", textOf(e.msg)) + u"(" + Utils::stringToWstring(code) + u")";
}

// The three below name the class of the handler, not of the thrown object: a
// SAXParseException is reported as a SAXException.
WString describeXmlFailure(const xercesc::UTFDataFormatException& e) {
    return joined(typeName(typeid(xercesc::UTFDataFormatException)), textOf(e.getMessage()));
}

WString describeXmlFailure(const xercesc::SAXException& e) {
    return joined(typeName(typeid(xercesc::SAXException)), textOf(e.getMessage()));
}

WString describeXmlFailure(const xercesc::XMLException& e) {
    return joined(typeName(typeid(xercesc::XMLException)), textOf(e.getMessage()));
}

void translateXmlFailure(const XQillaException& e) {
    throw Exceptions::ParseError(describeXmlFailure(e), __FILE__, __LINE__);
}

void translateXmlFailure(const XQException& e) {
    throw Exceptions::ParseError(describeXmlFailure(e), __FILE__, __LINE__);
}

void translateXmlFailure(const xercesc::DOMException& e) {
    throw Exceptions::ParseError(describeXmlFailure(e), __FILE__, __LINE__);
}

void translateXmlFailure(const xercesc::UTFDataFormatException& e) {
    throw Exceptions::ParseError(describeXmlFailure(e), __FILE__, __LINE__);
}

void translateXmlFailure(const xercesc::SAXException& e) {
    throw Exceptions::ParseError(describeXmlFailure(e), __FILE__, __LINE__);
}

void translateXmlFailure(const xercesc::XMLException& e) {
    throw Exceptions::ParseError(describeXmlFailure(e), __FILE__, __LINE__);
}

void throwCheckFailure(const char* condition, const WString& message, const char* file, int line) {
    throw Exceptions::ParseError(Platform::stringToWstring(condition) + u": " + message, file,
                                 line);
}

WString quotedText(const WString& text) {
    return XMLUtils::quotedText(text);
}

void refuseOverlongText(const char* what, const WString& text, const char* file, int line) {
    if (text.size() <= XMLUtils::Limits::kQuotedText)
        return;
    throw Exceptions::InvalidStringRepresentation(u"Invalid " + Utils::stringToWstring(what) +
                                                      u" text: \"" + quotedText(text) + u"\"",
                                                  file, line);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
