#include "MetaMetadata/Loading/LoaderState.h"

#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/schema/QueryCache.h"

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
    queryCache.reset();
    for (auto& entry : keysByName) {
        delete entry.second;
        entry.second = nullptr;
    }
    namespace2PrefixMap_.clear();
    keysByName.clear();
    registeredElements.clear();
    elementsByName.clear();
    // Releasing the parser also releases the schema document and its resolver.
    parser->release();
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
