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

// One entry as a hostile sender stores it: with its own header and data, listed in the catalog as
// relist makes it (its fields, or in format 5 the nonce prefix that names its stream). Format 4
// stores only the entry's path and data.
struct THostileEntry
{
    TFileInfo Stored;
    std::string Data;
    std::function<void(TFileInfo& listed, std::string& prefix)> Relist;

    THostileEntry(TPathInfo path, std::string data = {},
                  std::function<void(TFileInfo& listed, std::string& prefix)> relist = {})
        : Data(std::move(data)), Relist(std::move(relist))
    {
        Stored.FPath = std::move(path);
        Stored.FSize = static_cast<std::int64_t>(Data.size());
    }
};

// Writes a format-5 container at file from the format's own parts, so that what the catalog lists
// may differ from what the streams hold; a sender who has the password can write it.
inline void WriteHostileSealed(const std::string& file, const std::string& password,
                               const std::vector<THostileEntry>& entries, const std::string& extra = {})
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
    catalog.Extra = extra;
    for (const THostileEntry& entry : entries) {
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

// Writes entries and the extra text as a hostile sender may, in format 4 or 5.
inline void WriteHostileContainer(const std::string& file, const std::string& password, std::int64_t format,
                                  const std::vector<THostileEntry>& entries, const std::string& extra = {})
{
    if (format == sealed::Format) {
        WriteHostileSealed(file, password, entries, extra);
        return;
    }
    THostileContainer writer{TContainerKey(password)};
    writer.OpenNew(file);
    for (const THostileEntry& entry : entries) {
        std::function<void(TFileInfo&)> relist;
        if (entry.Relist) {
            relist = [&entry](TFileInfo& listed) {
                std::string prefix;
                entry.Relist(listed, prefix);
            };
        }
        writer.AddStoredEntry(entry.Stored.FPath, entry.Data, relist);
    }
    if (!extra.empty()) {
        writer.SetExtra(extra);
    }
    writer.Close();
}
