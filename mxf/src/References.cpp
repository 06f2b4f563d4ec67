#include <Palimo/MXF/References.h>

#include "ValueWalk.h"

#include <map>

namespace Palimo {
namespace MXF {

std::vector<std::vector<StrongReferenceEdge>> strongReferences(const DecodedFile& file) {
    std::map<Identifiers::UUID, std::size_t> byInstanceUID;
    for (std::size_t i = 0; i < file.sets.size(); ++i)
        if (file.sets[i].instanceUID)
            byInstanceUID.emplace(*file.sets[i].instanceUID, i);

    std::vector<std::vector<StrongReferenceEdge>> edges(file.sets.size());
    for (std::size_t s = 0; s < file.sets.size(); ++s) {
        const std::vector<DecodedItem>& items = file.sets[s].items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].reference != DecodedItem::Reference::Strong || !items[i].value)
                continue;
            forEachValue(*items[i].value, [&](const Value& value) {
                const auto* uid = std::get_if<Identifiers::UUID>(&value.data);
                if (!uid)
                    return;
                const auto found = byInstanceUID.find(*uid);
                edges[s].push_back(StrongReferenceEdge{
                    i, *uid, found == byInstanceUID.end() ? kNoSet : found->second});
            });
        }
    }
    return edges;
}

std::vector<TreeLine> strongReferenceTree(const DecodedFile& file) {
    const auto edges = strongReferences(file);
    std::vector<bool> owned(file.sets.size(), false);
    for (const auto& fromSet : edges)
        for (const StrongReferenceEdge& edge : fromSet)
            if (edge.targetSet != kNoSet)
                owned[edge.targetSet] = true;

    std::vector<TreeLine> lines;
    std::vector<bool> shown(file.sets.size(), false);
    std::vector<TreeLine> pending; // a stack: the next line to print on top
    for (std::size_t root = 0; root < file.sets.size(); ++root) {
        if (owned[root])
            continue;
        TreeLine top;
        top.set = root;
        pending.push_back(top);
        while (!pending.empty()) {
            TreeLine line = pending.back();
            pending.pop_back();
            if (line.set != kNoSet) {
                line.repeated = shown[line.set];
                if (!line.repeated) {
                    shown[line.set] = true;
                    const auto& children = edges[line.set];
                    for (auto child = children.rbegin(); child != children.rend(); ++child) {
                        TreeLine next;
                        next.depth = line.depth + 1;
                        next.set = child->targetSet;
                        next.parent = line.set;
                        next.item = child->item;
                        next.target = child->target;
                        pending.push_back(next);
                    }
                }
            }
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace MXF
} // namespace Palimo
