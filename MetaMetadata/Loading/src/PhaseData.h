#pragma once
// What the phases of one load hand each other: the declaration lists found in
// the schema, the switches, the set keys and the meta elements built.
#include "bindings/CoreNames.h"
#include "bindings/Dom.h"

#include <Palimo/KLV/Key.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Non-owning pointers into the schema document; order is significant and a
/// declaration may stand more than once.
using DeclarationList = std::vector<xercesc::DOMElement*>;

struct WStringHash {
    std::size_t operator()(const WString& text) const noexcept {
        return std::hash<std::u16string_view>()(std::u16string_view(text.data(), text.size()));
    }
};

/// The loader's switches, read by the builders of property maps.
struct LoadOptions {
    bool metaElementDocumentation = false;
    bool metaElementLengthDescription = false;
    /// Kept for the host; no phase reads it.
    bool abstractGroups = false;
};

/// The key registered for each set name; the later declaration of a name wins.
using SetKeys = std::map<WString, auto_ptr<KLV::Key>>;

/// The meta elements that the element phase handed to the dictionary, by
/// declaration name, and the local tag the dictionary held for each label.
struct ElementRegistry {
    // Looked up once per set member, so hashed; never iterated.
    std::unordered_map<WString, MetaElement*, WStringHash> byName;
    std::unordered_map<const MetaElement*, const LocalTag*> tags;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
