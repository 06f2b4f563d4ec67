#pragma once
// Differences between two dictionaries: elements matched by label, sets by
// key, set members by their element's label.
#include <Palimo/MetaMetadata/Dictionary.h>

#include <ostream>

namespace Mxfdict {

/// Lists the elements and sets added, removed and changed from `before` to
/// `after`, with what changed. Returns true when there is any difference.
bool diffDictionaries(std::ostream& out, const Palimo::MetaMetadata::Dictionary& before,
                      const Palimo::MetaMetadata::Dictionary& after);

} // namespace Mxfdict
