#pragma once
// Visiting every value inside a decoded value, depth first: the value itself,
// then its record fields, list items or Indirect value in order. Values nest
// no deeper than the decoder lets them (kMaxValueDepth), so the recursion is
// bounded.
#include <Palimo/MXF/Value.h>

#include <variant>

namespace Palimo {
namespace MXF {

template <typename V, typename F>
void forEachValue(V& value, F&& visit) {
    visit(value);
    if (auto* record = std::get_if<Record>(&value.data)) {
        for (auto& field : record->fields)
            forEachValue(field.value, visit);
    } else if (auto* list = std::get_if<List>(&value.data)) {
        for (auto& item : list->items)
            forEachValue(item, visit);
    } else if (auto* indirect = std::get_if<Indirect>(&value.data)) {
        for (auto& inner : indirect->value)
            forEachValue(inner, visit);
    }
}

} // namespace MXF
} // namespace Palimo
