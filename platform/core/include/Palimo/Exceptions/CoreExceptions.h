#pragma once
// Failures of the core library itself (codes: ErrorCodes.h).
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

namespace Palimo {
namespace Exceptions {

/// A text that a label, key, tag, UUID or UMID constructor cannot read.
/// The message quotes the text.
class InvalidStringRepresentation : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return codeOf(ErrorCode::InvalidStringRepresentation); }
};

/// A data type identifier that a factory query does not support.
class UnsupportedDataType : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return codeOf(ErrorCode::UnsupportedDataType); }
};

/// An argument that an operation refuses (a null or non-simple collection item).
class InvalidArgument : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return codeOf(ErrorCode::InvalidArgument); }
};

} // namespace Exceptions
} // namespace Palimo
