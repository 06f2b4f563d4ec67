#include <Palimo/XMLUtils/Initializer.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMImplementationRegistry.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xqilla/utils/XQillaPlatformUtils.hpp>

#include <memory>
#include <string>

namespace Palimo {
namespace XMLUtils {

namespace {
// The feature string under which XQilla registers its XPath 2.0 capable DOM.
const XMLCh kXPath2Features[] = u"XPath2 3.0";

struct DocumentReleaser {
    void operator()(xercesc::DOMDocument* document) const noexcept { document->release(); }
};

// Xerces-C fills the table that tells which node may hold which (behind
// every insertion into a DOM tree) on first use, without a lock: two threads
// parsing at once would race to fill it. Inserting one node here, while the
// singleton is built and no other thread can reach the DOM, fills it first.
void fillLazyDomTables(xercesc::DOMImplementation& implementation) {
    const std::unique_ptr<xercesc::DOMDocument, DocumentReleaser> document(
        implementation.createDocument());
    document->appendChild(document->createElement(u"schema"));
}
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
    fillLazyDomTables(*implementation_);
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
