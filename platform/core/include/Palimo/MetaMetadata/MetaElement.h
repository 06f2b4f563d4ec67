#pragma once
// Meta elements: the properties that sets may hold, identified by their
// universal label and typed by a data type identifier.
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/Identifiers.h>

#include <cstdint>

namespace Palimo {
namespace MetaMetadata {

class MetaSimpleElement;
class MetaCollection;
class MetaReferenceElement;
class MetaReferenceCollection;

class MetaElementVisitor {
public:
    virtual ~MetaElementVisitor() = default;
    virtual void visit(MetaSimpleElement& e) = 0;
    virtual void visit(MetaCollection& e) = 0;
    virtual void visit(MetaReferenceElement& e) = 0;
    virtual void visit(MetaReferenceCollection& e) = 0;
};

class ConstMetaElementVisitor {
public:
    virtual ~ConstMetaElementVisitor() = default;
    virtual void visit(const MetaSimpleElement& e) = 0;
    virtual void visit(const MetaCollection& e) = 0;
    virtual void visit(const MetaReferenceElement& e) = 0;
    virtual void visit(const MetaReferenceCollection& e) = 0;
};

class MetaElement : public PropertyMap {
public:
    PALIMO_CLASS_ALLOCATION
    MetaElement(const MetaElement&) = delete;
    MetaElement& operator=(const MetaElement&) = delete;

    const Types::UniversalLabel& universalLabel() const { return label_; }
    Types::Identifier dataType() const { return dataType_; }

    virtual void accept(MetaElementVisitor& v) = 0;
    virtual void accept(ConstMetaElementVisitor& v) const = 0;

protected:
    MetaElement(const Types::UniversalLabel& label, Types::Identifier dataType)
        : label_(label), dataType_(dataType) {}

private:
    Types::UniversalLabel label_;
    Types::Identifier dataType_;
};

/// An element of one simple data type.
class MetaSimpleElement : public MetaElement {
public:
    MetaSimpleElement(const Types::UniversalLabel& label, Types::Identifier dataType)
        : MetaElement(label, dataType) {}
    void accept(MetaElementVisitor& v) override { v.visit(*this); }
    void accept(ConstMetaElementVisitor& v) const override { v.visit(*this); }
};

/// Limits on the number of items of a collection. Default: no minimum (0) and
/// no maximum.
class CollectionSizeLimits {
public:
    CollectionSizeLimits() = default;
    CollectionSizeLimits(std::uint32_t minimum, std::uint32_t maximum)
        : minimum_(minimum), maximum_(maximum), hasMaximum_(true) {}
    std::uint32_t minimum() const { return minimum_; }
    bool hasMaximum() const { return hasMaximum_; }
    std::uint32_t maximum() const { return maximum_; }
    bool operator==(const CollectionSizeLimits& o) const {
        return minimum_ == o.minimum_ && hasMaximum_ == o.hasMaximum_ &&
               (!hasMaximum_ || maximum_ == o.maximum_);
    }

private:
    std::uint32_t minimum_ = 0;
    std::uint32_t maximum_ = 0;
    bool hasMaximum_ = false;
};

/// An Array or Batch: data type 0 or 1, items of the sub type.
class MetaCollectionElement : public MetaElement {
public:
    Types::Identifier dataSubType() const { return dataSubType_; }
    const CollectionSizeLimits& sizeLimits() const { return limits_; }

protected:
    MetaCollectionElement(const Types::UniversalLabel& label, CollectionSizeLimits limits,
                          Types::Identifier dataType, Types::Identifier dataSubType)
        : MetaElement(label, dataType), limits_(limits), dataSubType_(dataSubType) {}

private:
    CollectionSizeLimits limits_;
    Types::Identifier dataSubType_;
};

/// A collection of simple values.
class MetaCollection : public MetaCollectionElement {
public:
    MetaCollection(const Types::UniversalLabel& label, CollectionSizeLimits limits,
                   Types::Identifier dataType, Types::Identifier dataSubType)
        : MetaCollectionElement(label, limits, dataType, dataSubType) {}
    void accept(MetaElementVisitor& v) override { v.visit(*this); }
    void accept(ConstMetaElementVisitor& v) const override { v.visit(*this); }
};

/// A strong or weak reference to a set whose key is one of the targets.
class MetaReferenceElement : public MetaElement {
public:
    MetaReferenceElement(const Types::UniversalLabel& label, const KLV::KeyVector& targets,
                         Types::Identifier dataType)
        : MetaElement(label, dataType), targets_(targets) {}
    const KLV::KeyVector& targetKeys() const { return targets_; }
    void accept(MetaElementVisitor& v) override { v.visit(*this); }
    void accept(ConstMetaElementVisitor& v) const override { v.visit(*this); }

private:
    KLV::KeyVector targets_;
};

/// An Array or Batch of strong or weak references.
class MetaReferenceCollection : public MetaCollectionElement {
public:
    MetaReferenceCollection(const Types::UniversalLabel& label, CollectionSizeLimits limits,
                            const KLV::KeyVector& targets, Types::Identifier dataType,
                            Types::Identifier dataSubType)
        : MetaCollectionElement(label, limits, dataType, dataSubType), targets_(targets) {}
    const KLV::KeyVector& targetKeys() const { return targets_; }
    void accept(MetaElementVisitor& v) override { v.visit(*this); }
    void accept(ConstMetaElementVisitor& v) const override { v.visit(*this); }

private:
    KLV::KeyVector targets_;
};

} // namespace MetaMetadata
} // namespace Palimo
