#pragma once

#include <cstddef>

// Counts what operator new hands out in a test program that links CountingAllocator.cpp, which
// replaces the global operator new and delete: the largest single request and the bytes of all
// requests since the last reset.
namespace CountingAllocator {

void Reset();
std::size_t Largest();
std::size_t Total();

} // namespace CountingAllocator
