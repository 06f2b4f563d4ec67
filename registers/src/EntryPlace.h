#pragma once
// Where in a register a fact was read, for the messages of RegisterError.
#include <Palimo/Registers/RegisterError.h>

#include <cstddef>
#include <string>

namespace Palimo {
namespace Registers {

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
