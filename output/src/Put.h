#pragma once
// Text straight into a stream's buffer: a file's text is made of many short
// pieces, and the stream's checks on each cost more than the copy. A buffer
// that fails is seen when the output is flushed.
#include <charconv>
#include <cstdint>
#include <ostream>
#include <string_view>

namespace Palimo {
namespace Output {

inline void put(std::ostream& out, std::string_view text) {
    out.rdbuf()->sputn(text.data(), static_cast<std::streamsize>(text.size()));
}

template <typename Integer>
void putNumber(std::ostream& out, Integer n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    put(out, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

} // namespace Output
} // namespace Palimo
