#pragma once

#include <stdexcept>
#include <string>

// A sealed text failed its check (wrong key or damaged text).
class ECryptoError : public std::runtime_error
{
public:
    explicit ECryptoError(const std::string& message) : std::runtime_error(message) {}
};
