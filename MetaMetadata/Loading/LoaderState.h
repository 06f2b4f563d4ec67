#pragma once
// The private record behind XSDDictionaryLoader, shared by every phase.
#include "bindings/Core.h"
#include "bindings/XMLUtils.h"

#include <map>
#include <memory>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Non-owning pointers into the schema document; order is significant and a
/// declaration may stand more than once.
using DeclarationList = std::vector<xercesc::DOMElement*>;

struct QueryCache;

struct LoaderState {
    PALIMO_CLASS_ALLOCATION

    /// Creates the parser and initialises the core library; throws what they throw.
    LoaderState();
    /// Deletes the keys, then releases the parser (and with it the document).
    ~LoaderState();
    LoaderState(const LoaderState&) = delete;
    LoaderState& operator=(const LoaderState&) = delete;

    bool pendingLoad = true;
    WString schemaDirectory;
    WString schemaFileName;
    xercesc::DOMDocument* schemaDocument = nullptr;    // owned by the parser
    xercesc::DOMLSParser* parser = nullptr;            // owned
    xercesc::DOMXPathNSResolver* nsResolver = nullptr; // owned by the document
    std::map<WString, MetaElement*> elementsByName;
    std::map<const MetaElement*, const LocalTag*> registeredElements;
    std::map<WString, KLV::Key*> keysByName; // owns the keys
    std::map<WString, WString> namespace2PrefixMap_;
    bool loadMetaElementDocumentation = false;
    bool loadMetaElementLengthDescription = false;
    bool loadAbstractGroups = false;
    /// Compiled expressions and indexes of the current load; released at the
    /// end of the load, and always before the parser.
    std::unique_ptr<QueryCache> queryCache;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
