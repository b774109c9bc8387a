#pragma once

#include <stdexcept>
#include <string>

// A watcher failed while being notified.
class EWatcherError : public std::runtime_error
{
public:
    explicit EWatcherError(const std::string& message) : std::runtime_error(message) {}
};
