#pragma once

#include <stdexcept>
#include <string>

// An invalid file name, or two paths that cannot be joined.
class EPathError : public std::runtime_error
{
public:
    explicit EPathError(const std::string& message) : std::runtime_error(message) {}
};
