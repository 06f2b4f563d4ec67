#pragma once
// The failure of an import: a register that cannot be read or holds an entry
// that cannot be understood, or an output file that cannot be written.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

namespace Palimo {
namespace Registers {

/// The message names the file and, for a malformed entry, the entry's number
/// in its register (counted from 1) and its symbol.
class RegisterError : public Exceptions::BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::RegisterError);
    }
};

} // namespace Registers
} // namespace Palimo
