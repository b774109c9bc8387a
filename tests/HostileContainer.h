#pragma once

#include "container/RandomCryptoContainer.h"
#include "sealed/SealedHeader.h"
#include "sealed/SealedKeys.h"
#include "sealed/SealedRecords.h"
#include "sealed/SealedStream.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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

// One entry of a format-5 container written by a hostile sender who has the password: stored with
// its own header and data, listed in the catalog as relist makes it (its fields, or the nonce
// prefix that names its stream).
struct THostileSealedEntry
{
    TFileInfo Stored;
    std::string Data;
    std::function<void(TFileInfo& listed, std::string& prefix)> Relist;
};

// Writes such a container at file, from the format's own parts, so that what the catalog lists
// may differ from what the streams hold.
inline void WriteHostileSealed(const std::string& file, const std::string& password,
                               const std::vector<THostileSealedEntry>& entries)
{
    using namespace sealed;
    TSealedHeader header;
    header.Iterations = MinIterations;
    header.Salt = RandomBytes(SaltSize);
    header.Id = RandomBytes(IdSize);
    const TSealedKeys keys(TContainerKey(password).Bytes(), header.Salt, header.Iterations);
    header.Check = keys.Check();
    TBasicFileStream out(file, TFileMode::Create);
    out.WriteBuffer(std::string(HeaderSize, '\0').data(), HeaderSize);
    TCatalogRecord catalog;
    catalog.Generation = header.Generation = 1;
    for (const THostileSealedEntry& entry : entries) {
        const std::string stored = EncodeEntryHeader(entry.Stored);
        const auto position = static_cast<std::uint64_t>(out.Size());
        TSealedWriter stream(out, {keys.Entry(), header.Id, header.ChunkSize}, EntryKind, stored.size() + entry.Data.size());
        stream.WriteBuffer(stored.data(), static_cast<std::int64_t>(stored.size()));
        stream.WriteBuffer(entry.Data.data(), static_cast<std::int64_t>(entry.Data.size()));
        stream.Finish();
        TFileInfo listed = entry.Stored;
        std::string prefix = stream.Prefix();
        if (entry.Relist) {
            entry.Relist(listed, prefix);
        }
        catalog.Entries.push_back({position, stream.StoredLength(), prefix, EncodeEntryHeader(listed)});
    }
    const std::string plain = EncodeCatalog(catalog);
    header.CatalogPosition = static_cast<std::uint64_t>(out.Size());
    TSealedWriter stream(out, {keys.Catalog(), header.Id, header.ChunkSize}, CatalogKind, plain.size());
    stream.WriteBuffer(plain.data(), static_cast<std::int64_t>(plain.size()));
    stream.Finish();
    header.CatalogLength = stream.StoredLength();
    const std::string sealedHeader = SealHeader(header, keys.Header());
    out.SetPosition(0);
    out.WriteBuffer(sealedHeader.data(), HeaderSize);
    out.Close();
}
