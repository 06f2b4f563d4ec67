#include <Palimo/MetaMetadata/PropertyMap.h>

#include <algorithm>

namespace Palimo {
namespace MetaMetadata {

PropertyMap& PropertyMap::operator=(const PropertyMap& other) {
    entries_ = other.entries_;
    return *this;
}

PropertyMap::~PropertyMap() = default;

void PropertyMap::addProperty(const WString& key, const WString& value) {
    // Maps hold a handful of entries, so a linear search beats an index.
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.first == key; });
    if (it != entries_.end())
        it->second = value;
    else
        entries_.emplace_back(key, value);
}

WString PropertyMap::getProperty(const WString& key) const {
    for (const Entry& e : entries_)
        if (e.first == key)
            return e.second;
    return WString();
}

bool PropertyMap::hasProperty(const WString& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.first == key; });
}

} // namespace MetaMetadata
} // namespace Palimo
