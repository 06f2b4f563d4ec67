#pragma once
// The strong references between the sets of decoded header metadata, and the
// tree they form from the sets that nothing owns (the Preface first of all).
#include <Palimo/MXF/DecodedFile.h>

#include <cstddef>
#include <vector>

namespace Palimo {
namespace MXF {

struct StrongReferenceEdge {
    std::size_t item = 0;           // index in the referring set's items
    Identifiers::UUID target;       // the InstanceUID referred to
    std::size_t targetSet = kNoSet; // index in file.sets; kNoSet when no set has it
};

/// For each set (by index in file.sets), its strong references in item order
/// (each UUID in the value of an item whose reference is Strong, depth first).
/// A target is the first set in file order with that InstanceUID.
std::vector<std::vector<StrongReferenceEdge>> strongReferences(const DecodedFile& file);

/// One line of the tree, in depth-first order.
struct TreeLine {
    std::size_t depth = 0;
    std::size_t set = kNoSet; // kNoSet: a reference to no set (`target` says which)
    std::size_t parent = kNoSet;
    std::size_t item = 0;     // the parent's item that refers here (not for roots)
    Identifiers::UUID target; // the InstanceUID referred to (not for roots)
    bool repeated = false;    // shown before: its references are not followed again
};

/// The tree of strong references from every set that no strong reference
/// owns, in file order. Each set's references are followed once, so shared
/// sets and cycles end the walk; no recursion, however deep the tree.
std::vector<TreeLine> strongReferenceTree(const DecodedFile& file);

} // namespace MXF
} // namespace Palimo
