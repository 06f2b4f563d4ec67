#pragma once
// Raw memory for every object the core library hands across library
// boundaries, and an adaptor that lets standard containers use it.
#include <cstddef>
#include <new>

namespace Palimo {
namespace Platform {

/// malloc-based allocator. allocate() throws std::bad_alloc when memory is
/// exhausted (never returns null); deallocate() accepts null and is told the size.
struct malloc_alloc {
    static void* allocate(std::size_t size);
    static void deallocate(void* p, std::size_t size) noexcept;
};

/// Standard allocator over malloc_alloc, for the library's strings and vectors.
template <class T>
struct StdAllocator {
    using value_type = T;
    StdAllocator() noexcept = default;
    template <class U>
    StdAllocator(const StdAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(malloc_alloc::allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { malloc_alloc::deallocate(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const StdAllocator<U>&) const noexcept {
        return true;
    }
    template <class U>
    bool operator!=(const StdAllocator<U>&) const noexcept {
        return false;
    }
};

} // namespace Platform
} // namespace Palimo

/// Class allocation operators over malloc_alloc, with the placement forms.
#define PALIMO_CLASS_ALLOCATION                                                                    \
    static void* operator new(std::size_t size) {                                                  \
        return ::Palimo::Platform::malloc_alloc::allocate(size);                                   \
    }                                                                                              \
    static void* operator new[](std::size_t size) {                                                \
        return ::Palimo::Platform::malloc_alloc::allocate(size);                                   \
    }                                                                                              \
    static void operator delete(void* p, std::size_t size) noexcept {                              \
        ::Palimo::Platform::malloc_alloc::deallocate(p, size);                                     \
    }                                                                                              \
    static void operator delete[](void* p, std::size_t size) noexcept {                            \
        ::Palimo::Platform::malloc_alloc::deallocate(p, size);                                     \
    }                                                                                              \
    static void* operator new(std::size_t, void* where) noexcept {                                 \
        return where;                                                                              \
    }                                                                                              \
    static void* operator new[](std::size_t, void* where) noexcept {                               \
        return where;                                                                              \
    }                                                                                              \
    static void operator delete(void*, void*) noexcept {}                                          \
    static void operator delete[](void*, void*) noexcept {}
