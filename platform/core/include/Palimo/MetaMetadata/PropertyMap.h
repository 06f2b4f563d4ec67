#pragma once
#include <Palimo/Templates/String.h>

#include <utility>
#include <vector>

namespace Palimo {
namespace MetaMetadata {

/// String properties (UTF-16 key and value) of elements, sets and attributes.
/// Keeps the order of first addition; adding a known key replaces its value.
class PropertyMap {
public:
    using Entry = std::pair<WString, WString>;

    PropertyMap() = default;
    PropertyMap(const PropertyMap&) = default;
    virtual PropertyMap& operator=(const PropertyMap& other);
    virtual ~PropertyMap();

    /// Stores copies of key and value.
    virtual void addProperty(const WString& key, const WString& value);
    /// The value of `key`; the empty string when it was never added.
    virtual WString getProperty(const WString& key) const;

    bool hasProperty(const WString& key) const;
    /// Every property, in order of first addition.
    const std::vector<Entry>& properties() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

} // namespace MetaMetadata
} // namespace Palimo
