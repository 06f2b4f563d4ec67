#pragma once
// A JSON string, written once for every JSON output: quoted, escaped as
// nlohmann escapes it, each byte that is no UTF-8 as U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

namespace Palimo {
namespace Output {

/// The most characters writeJsonString writes for `text`: no byte takes more
/// than the six of "\u00XX".
inline std::size_t maxJsonStringSize(std::string_view text) {
    return 2 + 6 * text.size();
}

/// Writes `text` as a JSON string from `at`, where there is room for
/// maxJsonStringSize(text) characters; returns where it ends.
char* writeJsonString(char* at, std::string_view text);

/// The same as a string.
std::string jsonString(std::string_view text);

} // namespace Output
} // namespace Palimo
