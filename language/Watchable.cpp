#include "Watchable.h"

#include "MsgText.h"
#include "WatcherError.h"
#include "language/Messages.h"

#include <algorithm>

void TWatchable::Notify()
{
    for (std::size_t n = 0; n < FWatchers.size(); ++n) {
        try {
            FWatchers[n]->Update(*this);
        } catch (...) {
            throw EWatcherError(MsgText(msg::InternalProgramError));
        }
    }
}

void TWatchable::Attach(TWatcher& watcher)
{
    FWatchers.push_back(&watcher);
}

void TWatchable::Detach(TWatcher& watcher)
{
    const auto found = std::find(FWatchers.begin(), FWatchers.end(), &watcher);
    if (found != FWatchers.end()) {
        FWatchers.erase(found);
    }
}
