#pragma once

#include <cstddef>
#include <string>

// Overwrites memory with zeros in a way the optimiser cannot remove, for secrets that are about
// to be released (key permutations, password buffers).
void SecureZero(void* data, std::size_t size) noexcept;

// Zeroes the text's characters, then empties it.
void SecureClear(std::string& text) noexcept;
