#pragma once

#include <cstddef>
#include <memory>

// A byte buffer whose contents are left as they are: it is always filled before it is read, so
// clearing it would only cost time. (The standard library of the WebAssembly build lacks
// std::make_unique_for_overwrite, which does the same.)
inline std::unique_ptr<char[]> UninitialisedBuffer(std::size_t size)
{
    return std::unique_ptr<char[]>(new char[size]);
}
