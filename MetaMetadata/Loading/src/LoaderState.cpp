#include "LoaderState.h"

#include "ErrorReporting.h"

#include <Palimo/Initializer.h>
#include <Palimo/XMLUtils/Initializer.h>

#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMLSParser.hpp>
#include <xercesc/util/PlatformUtils.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

xercesc::DOMLSParser* createParser() {
    xercesc::DOMImplementation* implementation =
        XMLUtils::Initializer::instance().domImplementation();
    xercesc::DOMLSParser* parser =
        implementation->createLSParser(xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr,
                                       xercesc::XMLPlatformUtils::fgMemoryManager, nullptr);
    if (parser == nullptr)
        throwCheckFailure("parser != nullptr", u"Unable to create the schema parser", __FILE__,
                          __LINE__);
    return parser;
}

} // namespace

// Members are built in declaration order; the parser is created between the
// document and the resolver, as declared.
LoaderState::LoaderState() : parser(createParser()) {
    try {
        Palimo::Initializer::instance();
    } catch (...) {
        parser->release();
        throw;
    }
}

LoaderState::~LoaderState() {
    // Compiled expressions belong to the document: released while it lives.
    schema.reset();
    setKeys.clear();
    elements.tags.clear();
    elements.byName.clear();
    // Releasing the parser also releases the schema document.
    parser->release();
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
