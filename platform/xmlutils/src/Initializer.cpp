#include <Palimo/XMLUtils/Initializer.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMImplementationRegistry.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xqilla/utils/XQillaPlatformUtils.hpp>

#include <string>

namespace Palimo {
namespace XMLUtils {

namespace {
// The feature string under which XQilla registers its XPath 2.0 capable DOM.
const XMLCh kXPath2Features[] = u"XPath2 3.0";
} // namespace

Initializer& Initializer::instance() {
    // A function-local static is built once, thread-safely; a constructor
    // that throws leaves it unbuilt so that the next call tries again.
    static Initializer singleton;
    return singleton;
}

Initializer::Initializer() {
    try {
        xercesc::XMLPlatformUtils::Initialize();
        XQillaPlatformUtils::initialize();
    } catch (const xercesc::XMLException& e) {
        throw Exceptions::BaseException("Cannot initialise Xerces-C and XQilla: " +
                                            Utils::wstringToString(e.getMessage()),
                                        __FILE__, __LINE__);
    }
    implementation_ = xercesc::DOMImplementationRegistry::getDOMImplementation(kXPath2Features);
    if (!implementation_)
        throw Exceptions::BaseException(
            std::string("XQilla registered no DOM implementation for \"XPath2 3.0\""), __FILE__,
            __LINE__);
}

// Xerces and XQilla are deliberately not terminated: parsers and documents
// may still be held by objects that static destruction reaches later (or
// never), and a terminated Xerces would leave them dangling. The process
// exit reclaims the global state.
Initializer::~Initializer() = default;

xercesc::DOMImplementation* Initializer::domImplementation() const {
    return implementation_;
}

} // namespace XMLUtils
} // namespace Palimo
