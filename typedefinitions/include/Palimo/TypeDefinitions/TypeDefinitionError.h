#pragma once
// A schema whose type definitions cannot be read (code:
// Palimo/Exceptions/ErrorCodes.h).
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

namespace Palimo {
namespace TypeDefinitions {

/// A type definition that names a type the schema does not define, is
/// defined through itself, repeats a symbol or label, or carries a fact that
/// cannot be read. The message names the type and what is wrong.
class TypeDefinitionError : public Exceptions::BaseException {
public:
    using Exceptions::BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::TypeDefinitionError);
    }
};

} // namespace TypeDefinitions
} // namespace Palimo
