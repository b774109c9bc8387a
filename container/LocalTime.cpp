#include "LocalTime.h"

#include <cstdio>

std::int64_t LocalSecondsFromUnix(const timespec& moment)
{
    time_t seconds = moment.tv_sec + (moment.tv_nsec >= 500'000'000 ? 1 : 0);
    tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return seconds;
    }
    return static_cast<std::int64_t>(::timegm(&local));
}

std::int64_t LocalSecondsNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return LocalSecondsFromUnix(now);
}

namespace {

// How far the local wall clock is ahead of UTC at a moment, in seconds.
std::int64_t ZoneOffsetAt(time_t moment)
{
    return LocalSecondsFromUnix(timespec{moment, 0}) - moment;
}

} // namespace

timespec UnixFromLocalSeconds(std::int64_t localSeconds)
{
    // Where the zone's offset stays the same for a day around it, a local time stands for one
    // moment: itself less that offset. That answer is mktime's, found without mktime, which
    // looks at the zone's file again on every call (extracting many files calls this for each).
    constexpr std::int64_t Day = 86400;
    constexpr std::int64_t Far = std::int64_t{1} << 40;
    if (localSeconds > -Far && localSeconds < Far) {
        const auto guess = static_cast<time_t>(localSeconds - ZoneOffsetAt(static_cast<time_t>(localSeconds)));
        const std::int64_t offset = ZoneOffsetAt(guess);
        const auto moment = static_cast<time_t>(localSeconds - offset);
        if (ZoneOffsetAt(moment) == offset && ZoneOffsetAt(moment - Day) == offset &&
            ZoneOffsetAt(moment + Day) == offset) {
            return timespec{moment, 0};
        }
    }
    // Near a change of the offset (summer time beginning or ending), the zone's rules decide.
    const auto wall = static_cast<time_t>(localSeconds);
    tm fields{};
    ::gmtime_r(&wall, &fields);
    fields.tm_isdst = -1; // let the zone rules decide whether summer time applies
    timespec moment{};
    moment.tv_sec = ::mktime(&fields);
    return moment;
}

std::string LocalDateText(std::int64_t localSeconds)
{
    // The stored seconds count the local wall clock as if it were UTC: reading them as UTC gives
    // the local date and time fields unchanged.
    const auto seconds = static_cast<time_t>(localSeconds);
    tm fields{};
    if (::gmtime_r(&seconds, &fields) == nullptr) {
        return "?";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", fields.tm_year + 1900, fields.tm_mon + 1,
                  fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec);
    return text;
}
