#pragma once
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Platform/Allocator.h>

#include <vector>

namespace Palimo {
namespace MetaMetadata {

/// A set declaration: its KLV key, its members in order, its properties.
/// Copies share the attributes.
class MetaMetadataSet : public PropertyMap {
public:
    PALIMO_CLASS_ALLOCATION
    explicit MetaMetadataSet(const KLV::Key& key) : key_(key) {}
    MetaMetadataSet(const MetaMetadataSet&) = default;
    MetaMetadataSet& operator=(const MetaMetadataSet&) = default;

    const KLV::Key& key() const { return key_; }
    /// Appends a share of the attribute (null pointers are refused with
    /// Exceptions::InvalidArgument).
    void addMetaAttribute(const MetaAttributePtr& attribute);
    const std::vector<MetaAttributePtr>& attributes() const { return attributes_; }

private:
    KLV::Key key_;
    std::vector<MetaAttributePtr> attributes_;
};

} // namespace MetaMetadata
} // namespace Palimo
