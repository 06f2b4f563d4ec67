#include "EntryPlace.h"

namespace Palimo {
namespace Registers {

std::string EntryPlace::text() const {
    std::string result = file;
    if (entry != 0) {
        result += ", entry " + std::to_string(entry);
        if (!symbol.empty())
            result += " (" + symbol + ")";
    }
    return result;
}

void throwMalformed(const EntryPlace& place, const std::string& what) {
    throw RegisterError(place.text() + ": " + what, __FILE__, __LINE__);
}

} // namespace Registers
} // namespace Palimo
