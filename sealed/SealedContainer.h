#pragma once

#include "SealedHeader.h"
#include "SealedKeys.h"
#include "SealedRecords.h"
#include "SealedStream.h"
#include "container/BasicContainer.h"
#include "container/Container.h"
#include "language/FormatText.h"
#include "language/Message.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

// Format 5, the authenticated container: a 140-byte header whose body is sealed, then sealed
// streams, one per entry and one per catalog (see docs/container-format.md). Every change is
// appended: new entries and a new catalog go to the end of the file, and rewriting the header
// commits them, so a change cut short leaves the container as it was. An entry is read only
// through its authenticated chunks, after its stream was found to be the one the catalog lists.
class TSealedContainer : public TBasicContainer, public TContainer
{
public:
    explicit TSealedContainer(const TContainerKey& key, std::uint32_t newIterations = sealed::DefaultIterations);
    ~TSealedContainer() override;

    std::int64_t Format() const override { return sealed::Format; }
    void SetProgress(TCopyProgress progress) override { TBasicContainer::SetProgress(std::move(progress)); }
    TCatalog& OpenNew(const std::string& fileName) override;
    TCatalog& Open(const std::string& fileName) override;
    TCatalog& OpenReadOnly(const std::string& fileName) override;
    void Close() override;

    TCatalog& AddFiles(TFileReadAhead& files, const TFileStarting& starting = {}) override;
    std::shared_ptr<TFileInfo> ExtractFile(int index, const std::string& targetFolder,
                                           TFileWriteBehind* writeBehind = nullptr) override;
    std::shared_ptr<TFileInfo> ExtractFileTo(int index, const std::string& targetFile) override;
    TStream& EntryData(int index) override;
    TCatalog& DeleteEntry(const TFileInfo& entry) override;
    TCatalog& GetCatalog() override;
    TCatalog& RegenCatalog(bool markModified) override;
    TCatalog& AppendContainer(TContainer& source) override;

    void SetMemo(const std::string& text) override;
    std::string GetMemo() override;
    void SetExtra(const std::string& text) override;
    std::string GetExtra() override;
    std::int64_t GetZombieBytes() override;

    bool IsReadOnly() const override { return FOpen && !FWritable; }
    bool IsWritable() const override { return FOpen && FWritable; }
    bool IsClosed() const override { return !FOpen; }
    bool IsModified() const override { return FModified; }
    const std::string& FileName() const override { return FFileName; }
    TContainerKey GetKey() const override { return FKey; }

protected:
    void StoreEntry(const std::shared_ptr<TFileInfo>& entry, TStream& contents, std::int64_t doneBefore,
                    std::int64_t total) override;

private:
    TCatalog& OpenAs(const std::string& fileName, bool writable);
    // Reads the header and the catalog it points at; recovers by scanning when either fails to
    // authenticate. Raises EPasswordError for a wrong password, after the pause.
    void ReadContainer();
    void DeriveKeys(const sealed::TSealedHeader& header);
    bool ReadStoredCatalog();
    void Recover();
    // Takes the catalog's entries and the streams they list.
    void TakeCatalog(const sealed::TCatalogRecord& record, bool regenerated);
    // Appends a new catalog and rewrites the header to point at it, each flushed to the device.
    void Commit();
    sealed::TStreamSeal EntrySeal() const;
    sealed::TStreamSeal CatalogSeal() const;
    // The stream of the listed entry index, checked against the catalog, standing after the
    // entry header at the entry's data.
    std::shared_ptr<TFileInfo> OpenListedEntry(int index);
    // Runs the change and commits it; when either fails, drops the entries it added, takes back
    // the texts and cuts the file back.
    void Undoable(const std::function<void()>& change);
    void RequireOpen(const TMessage& refusal, std::initializer_list<TFormatArg> args) const;
    void RequireWritable(const TMessage& closed, const TMessage& readOnly, std::initializer_list<TFormatArg> args) const;
    void Release();

    const TContainerKey FKey;
    const std::uint32_t FNewIterations;
    std::unique_ptr<sealed::TSealedKeys> FKeys;
    sealed::TSealedHeader FHeader;
    std::unique_ptr<TCatalog> FCatalog = std::make_unique<TCatalog>();
    // The stream of every listed entry, by entry.
    std::unordered_map<const TFileInfo*, sealed::TListedStream> FStreams;
    std::unique_ptr<sealed::TSealedReader> FEntryReader;
    std::string FMemo;
    std::string FExtra;
    std::string FFileName;
    bool FOpen = false;
    bool FWritable = false;
    bool FModified = false;
    // Whether a change was committed since opening, and the order that commit stored: a session
    // with changes keeps the order it ends with, as format 4 does by writing its catalog on
    // closing.
    bool FCommittedSinceOpen = false;
    std::int64_t FCommittedSortCode = 0;
};
