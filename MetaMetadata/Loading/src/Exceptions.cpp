// The destructors and codes are defined here, out of line, so that each
// class's type information and virtual table are emitted once, in the loader
// library, and hosts can catch the classes by type.
#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/Exceptions/ErrorCodes.h>

namespace Palimo {
namespace Exceptions {

ParseError::~ParseError() = default;
int ParseError::exceptionCode() const {
    return codeOf(ErrorCode::ParseError);
}

InvalidULDesignator::~InvalidULDesignator() = default;
int InvalidULDesignator::exceptionCode() const {
    return codeOf(ErrorCode::InvalidULDesignator);
}

InvalidMetaElementDeclaration::~InvalidMetaElementDeclaration() = default;
int InvalidMetaElementDeclaration::exceptionCode() const {
    return codeOf(ErrorCode::InvalidMetaElementDeclaration);
}

} // namespace Exceptions
} // namespace Palimo
