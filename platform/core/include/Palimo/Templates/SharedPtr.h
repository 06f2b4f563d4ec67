#pragma once
// Reference-counted pointer whose count lives on the heap and changes only
// through the atomic interlocked operations. The owner flag decides whether
// the last share deletes the object.
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Platform/Synchronization.h>

#include <atomic>
#include <utility>

namespace Palimo {
namespace Templates {

/// Counting policy: an atomic count changed with interlocked operations.
struct LockedCounter {
    static long increment(std::atomic<long>& c) noexcept {
        return Platform::Synchronization::interlockedIncrement(c);
    }
    static long decrement(std::atomic<long>& c) noexcept {
        return Platform::Synchronization::interlockedDecrement(c);
    }
};

template <class T, class Counter = LockedCounter>
class SharedPtr {
public:
    SharedPtr() noexcept = default;
    /// Takes `p` (deleted by the last share when `owner` is true). If the
    /// count cannot be allocated, an owned `p` is deleted and bad_alloc passes on.
    explicit SharedPtr(T* p, bool owner = true) : ptr_(p), owner_(owner) {
        if (!p)
            return;
        try {
            void* mem = Platform::malloc_alloc::allocate(sizeof(std::atomic<long>));
            count_ = new (mem) std::atomic<long>(1);
        } catch (...) {
            if (owner)
                delete p;
            throw;
        }
    }
    SharedPtr(const SharedPtr& o) noexcept : ptr_(o.ptr_), count_(o.count_), owner_(o.owner_) {
        if (count_)
            Counter::increment(*count_);
    }
    SharedPtr(SharedPtr&& o) noexcept : ptr_(o.ptr_), count_(o.count_), owner_(o.owner_) {
        o.ptr_ = nullptr;
        o.count_ = nullptr;
    }
    SharedPtr& operator=(SharedPtr o) noexcept {
        swap(o);
        return *this;
    }
    ~SharedPtr() { reset(); }

    void reset() noexcept {
        if (count_ && Counter::decrement(*count_) == 0) {
            if (owner_)
                delete ptr_;
            count_->~atomic<long>();
            Platform::malloc_alloc::deallocate(count_, sizeof(std::atomic<long>));
        }
        ptr_ = nullptr;
        count_ = nullptr;
    }
    void swap(SharedPtr& o) noexcept {
        std::swap(ptr_, o.ptr_);
        std::swap(count_, o.count_);
        std::swap(owner_, o.owner_);
    }

    T* get() const noexcept { return ptr_; }
    T& operator*() const noexcept { return *ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }
    /// Number of shares, 0 for an empty pointer.
    long useCount() const noexcept { return count_ ? count_->load() : 0; }
    bool owner() const noexcept { return owner_; }

private:
    T* ptr_ = nullptr;
    std::atomic<long>* count_ = nullptr;
    bool owner_ = true;
};

} // namespace Templates
} // namespace Palimo
