// An allocator for large tables that are read at random (hash tables over a
// million entries): on Linux a block of 2 MiB or more is laid out on
// transparent huge pages where the system allows them, so that filling it
// takes a few page faults instead of thousands and a lookup rarely misses the
// address cache. Elsewhere, or for smaller blocks, it is the plain heap.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

template <class T> struct tsHugePageAllocator {
    using value_type = T;

    tsHugePageAllocator() = default;
    template <class U> tsHugePageAllocator(const tsHugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        const std::size_t bytes = count * sizeof(T);
#if defined(__linux__)
        if (bytes >= kHugePage) {
            const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
            void* block = std::aligned_alloc(kHugePage, rounded);
            if (block == nullptr)
                throw std::bad_alloc();
            ::madvise(block, rounded, MADV_HUGEPAGE); // only advice: the block works without
            return static_cast<T*>(block);
        }
#endif
        return static_cast<T*>(::operator new(bytes));
    }

    void deallocate(T* block, std::size_t count) noexcept {
#if defined(__linux__)
        if (count * sizeof(T) >= kHugePage) {
            std::free(block);
            return;
        }
#endif
        ::operator delete(block);
        (void)count;
    }

    template <class U> bool operator==(const tsHugePageAllocator<U>&) const noexcept {
        return true;
    }

private:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
};
