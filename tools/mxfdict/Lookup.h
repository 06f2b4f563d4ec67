#pragma once
// Finding dictionary entries by label, local tag or name.
#include <Palimo/MetaMetadata/Dictionary.h>

#include <ostream>
#include <string>

namespace Mxfdict {

/// Prints every element and set that `key` names, trying in turn: a universal
/// label (an element's label or a set's key; without an exact match, an entry
/// that differs only in the version byte matches, and the output says so), a
/// local tag ("3c.0a", "3c0a" or "0x3c0a"), and a name (XML tag name or name
/// in the MXF standard, the "name" property). Returns false when nothing matched.
bool lookup(std::ostream& out, const Palimo::MetaMetadata::Dictionary& dictionary,
            const std::string& key);

} // namespace Mxfdict
