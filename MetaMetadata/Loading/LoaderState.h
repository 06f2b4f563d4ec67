#pragma once
// The private record behind XSDDictionaryLoader: the parser that owns the
// schema document, and what one load makes of it.
#include "MetaMetadata/Loading/PhaseData.h"
#include "MetaMetadata/Loading/schema/Schema.h"

#include <memory>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

struct LoaderState {
    PALIMO_CLASS_ALLOCATION

    /// Creates the parser and initialises the core library; throws what they throw.
    LoaderState();
    /// Releases the schema, the keys and the element maps, then the parser
    /// (and with it the document).
    ~LoaderState();
    LoaderState(const LoaderState&) = delete;
    LoaderState& operator=(const LoaderState&) = delete;

    bool pendingLoad = true;
    WString schemaDirectory;
    WString schemaFileName;
    LoadOptions options;
    xercesc::DOMLSParser* parser = nullptr; // owned; owns the schema document
    /// The document stage's result; its expressions belong to the document,
    /// so it goes before the parser.
    std::unique_ptr<Schema> schema;
    SetKeys setKeys;
    ElementRegistry elements;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
