#pragma once
// Reading UTF-8 one character at a time, and writing characters as UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace Palimo {
namespace Output {

constexpr char32_t kReplacementCharacter = 0xfffd;

/// The character at `at`, which then moves past it. A byte that starts no
/// well-formed sequence (a stray continuation byte, a sequence cut short, an
/// overlong form, a surrogate, a value over U+10FFFF) gives U+FFFD and moves
/// one byte on. `at` must be before the end.
char32_t nextCharacter(std::string_view text, std::size_t& at);

/// Appends `c` (at most U+10FFFF, no surrogate) as UTF-8.
void appendUtf8(std::string& out, char32_t c);

} // namespace Output
} // namespace Palimo
