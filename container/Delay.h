#pragma once

#include <cstdint>
#include <functional>

// The pauses the containers make (the wrong-password pause) go through one replaceable sleep, so
// that tests can record them instead of waiting.
using TSleepFunction = std::function<void(std::int64_t milliseconds)>;

// How long a wrong password holds the caller, whatever the format: guessing stays slow.
inline constexpr std::int64_t WrongPasswordPauseMs = 2000;

void SleepMilliseconds(std::int64_t milliseconds);
// Replaces the sleep; an empty function restores the real one. Returns the previous one.
TSleepFunction SetSleepFunction(TSleepFunction sleep);
