#include "Delay.h"

#include <chrono>
#include <thread>

namespace {

TSleepFunction& CurrentSleep()
{
    static TSleepFunction sleep;
    return sleep;
}

} // namespace

void SleepMilliseconds(std::int64_t milliseconds)
{
    if (milliseconds <= 0) {
        return;
    }
    if (CurrentSleep()) {
        CurrentSleep()(milliseconds);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

TSleepFunction SetSleepFunction(TSleepFunction sleep)
{
    TSleepFunction previous = std::move(CurrentSleep());
    CurrentSleep() = std::move(sleep);
    return previous;
}
