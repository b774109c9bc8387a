#pragma once

#include "container/RandomCryptoContainer.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

// Stores entries with any stored name, as a damaged or hostile container may carry them. The
// catalog lists each entry as its header says unless relist changes the listed entry once the
// header is written, as a hostile sender's catalog may.
class THostileContainer : public TRandomCryptoContainer
{
public:
    using TRandomCryptoContainer::TRandomCryptoContainer;

    void AddStoredEntry(TPathInfo path, const std::string& data = {},
                        const std::function<void(TFileInfo&)>& relist = {})
    {
        FStream->SetPosition(FCatalogPos - 8);
        auto entry = std::make_shared<TFileInfo>();
        entry->FSize = static_cast<std::int64_t>(data.size());
        entry->FPath = std::move(path);
        AddEntry(entry);
        FStream->WriteBuffer(data.data(), entry->FSize);
        WriteEndMarker();
        if (relist) {
            relist(*entry);
        }
    }
};
