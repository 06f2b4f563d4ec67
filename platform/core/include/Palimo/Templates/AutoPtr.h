#pragma once
// The library's single-owner pointer. An empty pointer means "absent".
#include <memory>

namespace Palimo {
namespace Templates {
template <class T>
using auto_ptr = std::unique_ptr<T>;
} // namespace Templates
} // namespace Palimo
