#pragma once
// The library's strings: UTF-16 text in 16-bit units (the unit is char16_t,
// which is also Xerces' XMLCh here, so buffers pass to Xerces without casts).
// std::basic_string keeps its buffer NUL-terminated.
#include <Palimo/Platform/Allocator.h>

#include <string>
#include <vector>

namespace Palimo {
namespace Templates {

template <class CharT>
using basic_string =
    std::basic_string<CharT, std::char_traits<CharT>, Platform::StdAllocator<CharT>>;

template <class T>
using vector = std::vector<T, Platform::StdAllocator<T>>;

} // namespace Templates

using WChar = char16_t;
using WString = Templates::basic_string<char16_t>;

} // namespace Palimo
