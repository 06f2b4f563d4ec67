#pragma once
// The private record behind XSDDictionaryLoader, shared by every phase.
#include "bindings/Core.h"
#include "bindings/XMLUtils.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Non-owning pointers into the schema document; order is significant and a
/// declaration may stand more than once.
using DeclarationList = std::vector<xercesc::DOMElement*>;

struct QueryCache;

struct WStringHash {
    std::size_t operator()(const WString& text) const noexcept {
        return std::hash<std::u16string_view>()(std::u16string_view(text.data(), text.size()));
    }
};

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
    // Looked up once per set member, so hashed; never iterated.
    std::unordered_map<WString, MetaElement*, WStringHash> elementsByName;
    std::unordered_map<const MetaElement*, const LocalTag*> registeredElements;
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
