// Counts the heap allocations of the whole program by replacing operator new: include it in
// exactly one source of a test program. The audio path must make none.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> allocationCount{0};

// The replacements below are a matched pair; g++ 12 takes the free() in operator delete for a
// mismatch with operator new once the sanitizer builds inline them into one caller.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
