#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// Containers store times as whole seconds since 1970-01-01 00:00:00 counted on the local wall
// clock, without time-zone conversion: 14:00 local time is stored as 14:00 whatever the zone.

// A moment as local wall-clock seconds, rounded to the nearest second.
std::int64_t LocalSecondsFromUnix(const timespec& moment);
std::int64_t LocalSecondsNow();
// The moment a stored local wall-clock time stands for on this machine.
timespec UnixFromLocalSeconds(std::int64_t localSeconds);
// A stored local wall-clock time as "2026-12-06 14:03:05".
std::string LocalDateText(std::int64_t localSeconds);
