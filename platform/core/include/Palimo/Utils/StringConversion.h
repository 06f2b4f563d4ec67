#pragma once
// UTF-8 <-> UTF-16. Lossless for valid text; an invalid sequence becomes
// U+FFFD (one replacement per bad sequence), never a failure.
#include <Palimo/Templates/String.h>

#include <string>

namespace Palimo {
namespace Utils {
WString stringToWstring(const std::string& narrow);
WString stringToWstring(const char* narrow); // null gives the empty string
std::string wstringToString(const WString& wide);
std::string wstringToString(const char16_t* wide); // null gives the empty string
} // namespace Utils
namespace Platform {
using Utils::stringToWstring;
} // namespace Platform
} // namespace Palimo
