#include <Palimo/Platform/Allocator.h>

#include <cstdlib>

namespace Palimo {
namespace Platform {

void* malloc_alloc::allocate(std::size_t size) {
    // malloc(0) may legally return null; ask for one byte so that a zero-size
    // request still yields a distinct pointer and null always means failure.
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void malloc_alloc::deallocate(void* p, std::size_t) noexcept {
    std::free(p);
}

} // namespace Platform
} // namespace Palimo
