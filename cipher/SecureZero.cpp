#include "SecureZero.h"

#include <cstring>

void SecureZero(void* data, std::size_t size) noexcept
{
    std::memset(data, 0, size);
    // The empty assembly statement claims to read the memory, so the stores above stay.
    asm volatile("" : : "r"(data) : "memory");
}

void SecureClear(std::string& text) noexcept
{
    SecureZero(text.data(), text.size());
    text.clear();
}
