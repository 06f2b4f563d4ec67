#include <Palimo/Initializer.h>

#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/Types/BaseTypeFactory.h>

namespace Palimo {

Initializer& Initializer::instance() {
    // Function-local statics are initialised once, thread-safely.
    static Initializer initializer;
    return initializer;
}

Initializer::Initializer() {
    // Create the process-wide registries up front so that their first use
    // never happens mid-load.
    Types::Factories::BaseTypeFactory::instance();
    MetaMetadata::AttributeRequiredStatus::instance();
}

} // namespace Palimo
