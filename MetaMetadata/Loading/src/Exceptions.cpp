// The destructors and codes are defined here, out of line, so that each
// class's type information and virtual table are emitted once, in the loader
// library, and hosts can catch the classes by type.
#include <MetaMetadata/Loading/Exceptions.h>

namespace Palimo {
namespace Exceptions {

ParseError::~ParseError() = default;
int ParseError::exceptionCode() const {
    return 33;
}

InvalidULDesignator::~InvalidULDesignator() = default;
int InvalidULDesignator::exceptionCode() const {
    return 25;
}

InvalidMetaElementDeclaration::~InvalidMetaElementDeclaration() = default;
int InvalidMetaElementDeclaration::exceptionCode() const {
    return 20;
}

} // namespace Exceptions
} // namespace Palimo
