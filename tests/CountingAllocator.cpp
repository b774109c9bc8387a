#include "CountingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> LargestAllocation{0};
std::atomic<std::size_t> TotalAllocation{0};

} // namespace

void* operator new(std::size_t size)
{
    std::size_t largest = LargestAllocation.load(std::memory_order_relaxed);
    while (size > largest && !LargestAllocation.compare_exchange_weak(largest, size)) {
    }
    TotalAllocation.fetch_add(size, std::memory_order_relaxed);
    if (void* memory = std::malloc(size != 0 ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace CountingAllocator {

void Reset()
{
    LargestAllocation = 0;
    TotalAllocation = 0;
}

std::size_t Largest()
{
    return LargestAllocation.load();
}

std::size_t Total()
{
    return TotalAllocation.load();
}

} // namespace CountingAllocator
