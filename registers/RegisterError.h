#pragma once
// The failure of an import: a register that cannot be read or holds an entry
// that cannot be understood, or an output file that cannot be written.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

#include <string>

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

/// Where in a register a fact was read: the file name and the entry.
struct EntryPlace {
    std::string file;
    std::size_t entry = 0; // 1-based; 0 for the file as a whole
    std::string symbol;    // empty until the entry's Symbol is known

    /// "Groups.xml, entry 12 (Preface)", or the file name alone.
    std::string text() const;
};

/// Throws a RegisterError "<place>: <what>".
[[noreturn]] void throwMalformed(const EntryPlace& place, const std::string& what);

} // namespace Registers
} // namespace Palimo
