#pragma once

#include "container/RandomCryptoContainer.h"

#include <memory>
#include <string>

// Stores entries with any stored name, as a damaged or hostile container may carry them.
class THostileContainer : public TRandomCryptoContainer
{
public:
    using TRandomCryptoContainer::TRandomCryptoContainer;

    void AddStoredEntry(TPathInfo path, const std::string& data = {})
    {
        FStream->SetPosition(FCatalogPos - 8);
        auto entry = std::make_shared<TFileInfo>();
        entry->FSize = static_cast<std::int64_t>(data.size());
        entry->FPath = std::move(path);
        AddEntry(entry);
        FStream->WriteBuffer(data.data(), entry->FSize);
        WriteEndMarker();
    }
};
