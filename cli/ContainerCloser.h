#pragma once

#include "container/RandomCryptoContainer.h"

// Closes a container when a command leaves early through an error; the error that is already on
// its way is the one reported, so a failure of this late Close is dropped. On the normal way a
// command calls Close itself, so that its failure is seen.
class TContainerCloser
{
public:
    explicit TContainerCloser(TRandomCryptoContainer& container) : FContainer(container) {}
    ~TContainerCloser()
    {
        try {
            FContainer.Close();
        } catch (...) {
        }
    }
    TContainerCloser(const TContainerCloser&) = delete;
    TContainerCloser& operator=(const TContainerCloser&) = delete;

private:
    TRandomCryptoContainer& FContainer;
};
