#pragma once
// Failures of the core library itself. Codes 40 and up; the loader's own
// exception classes use 20, 25 and 33.
#include <Palimo/Exceptions/BaseException.h>

namespace Palimo {
namespace Exceptions {

/// A text that a label, key, tag, UUID or UMID constructor cannot read.
/// The message quotes the text.
class InvalidStringRepresentation : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return 40; }
};

/// A data type identifier that a factory query does not support.
class UnsupportedDataType : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return 41; }
};

/// An argument that an operation refuses (a null or non-simple collection item).
class InvalidArgument : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return 42; }
};

} // namespace Exceptions
} // namespace Palimo
