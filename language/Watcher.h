#pragma once

class TWatchable;

// Something that wants to hear when a watchable changes; windows relabel themselves through one.
class TWatcher
{
public:
    virtual ~TWatcher() = default;
    virtual void Update(TWatchable& sender) = 0;
};
