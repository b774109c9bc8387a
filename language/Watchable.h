#pragma once

#include "Watcher.h"

#include <vector>

// Keeps an ordered list of watchers (not owned) and notifies them in that order.
class TWatchable
{
public:
    TWatchable() = default;
    TWatchable(const TWatchable&) = delete;
    TWatchable& operator=(const TWatchable&) = delete;
    virtual ~TWatchable() = default;

    // Calls Update on every watcher from the first to the last. When one fails, the walk stops
    // there and EWatcherError ("Internal program error!") is raised; the watchers after it are
    // not called.
    virtual void Notify();
    // Appends the watcher; a watcher attached twice is called twice.
    virtual void Attach(TWatcher& watcher);
    // Removes the watcher wherever it stands; one that is not attached is ignored.
    virtual void Detach(TWatcher& watcher);

    std::size_t WatcherCount() const { return FWatchers.size(); }

private:
    std::vector<TWatcher*> FWatchers;
};
