#pragma once
// The private record behind XSDDictionaryLoader: the parser that owns the
// schema document, and what one load makes of it.
#include "PhaseData.h"
#include "schema/Schema.h"

#include <Palimo/Platform/Allocator.h>

#include <functional>
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
    /// Reads more of the schema once the builders have filled the dictionary,
    /// before the schema is released; its failures are translated like the
    /// builders'. Set only by callers inside the project (the exported loader
    /// never sets it, so its loads stay as they are).
    std::function<void(const Schema&, Dictionary&)> afterBuilders;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
