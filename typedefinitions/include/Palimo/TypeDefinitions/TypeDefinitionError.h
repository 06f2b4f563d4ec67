#pragma once
// A schema whose type definitions cannot be read.
#include <Palimo/Exceptions/BaseException.h>

namespace Palimo {
namespace Exceptions {

/// A type definition that names a type the schema does not define, is
/// defined through itself, repeats a symbol or label, or carries a fact that
/// cannot be read. The message names the type and what is wrong.
class TypeDefinitionError : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return 70; }
};

} // namespace Exceptions
} // namespace Palimo
