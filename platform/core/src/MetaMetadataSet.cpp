#include <Palimo/MetaMetadata/MetaMetadataSet.h>

#include <Palimo/Exceptions/CoreExceptions.h>

namespace Palimo {
namespace MetaMetadata {

void MetaMetadataSet::addMetaAttribute(const MetaAttributePtr& attribute) {
    if (!attribute)
        throw Exceptions::InvalidArgument(
            "A null attribute cannot be added to the set " + key_.text(), __FILE__, __LINE__);
    attributes_.push_back(attribute);
}

} // namespace MetaMetadata
} // namespace Palimo
