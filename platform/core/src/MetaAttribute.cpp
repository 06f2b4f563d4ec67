#include <Palimo/MetaMetadata/MetaAttribute.h>

namespace Palimo {
namespace MetaMetadata {

MetaAttribute::MetaAttribute(const MetaElement& element, AttributeRequiredStatus::Status status,
                             Templates::auto_ptr<const Types::BaseType> defaultValue,
                             const Types::LocalTag* localTag)
    : element_(&element), status_(status), default_(std::move(defaultValue)), localTag_(localTag) {}

} // namespace MetaMetadata
} // namespace Palimo
