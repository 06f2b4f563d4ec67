#pragma once
// A member of a set: which element, whether required, its default value and
// local tag, and a few string properties.
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Templates/AutoPtr.h>
#include <Palimo/Templates/SharedPtr.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

namespace Palimo {
namespace MetaMetadata {

class MetaAttribute;

class AbstractMetaAttributeVisitor {
public:
    virtual ~AbstractMetaAttributeVisitor() = default;
    virtual void visit(const MetaAttribute& attribute) = 0;
};

class AbstractMetaAttribute {
public:
    virtual ~AbstractMetaAttribute() = default;
    virtual void accept(AbstractMetaAttributeVisitor& v) const = 0;
};

class MetaAttribute : public AbstractMetaAttribute, public PropertyMap {
public:
    PALIMO_CLASS_ALLOCATION
    /// `element` and `localTag` (possibly null) are not owned and must outlive
    /// the attribute (the dictionary keeps both); the default value is taken.
    MetaAttribute(const MetaElement& element, AttributeRequiredStatus::Status status,
                  Templates::auto_ptr<const Types::BaseType> defaultValue,
                  const Types::LocalTag* localTag);
    MetaAttribute(const MetaAttribute&) = delete;
    MetaAttribute& operator=(const MetaAttribute&) = delete;

    const MetaElement& metaElement() const { return *element_; }
    AttributeRequiredStatus::Status requiredStatus() const { return status_; }
    /// Null when the member has no default value.
    const Types::BaseType* defaultValue() const { return default_.get(); }
    /// Null when the element has no local tag.
    const Types::LocalTag* localTag() const { return localTag_; }

    void accept(AbstractMetaAttributeVisitor& v) const override { v.visit(*this); }

private:
    const MetaElement* element_;
    AttributeRequiredStatus::Status status_;
    Templates::auto_ptr<const Types::BaseType> default_;
    const Types::LocalTag* localTag_;
};

using MetaAttributePtr = Templates::SharedPtr<MetaAttribute, Templates::LockedCounter>;

} // namespace MetaMetadata
} // namespace Palimo
