#pragma once

#include "Container.h"
#include "CryptoCatContainer.h"
#include "language/FormatText.h"
#include "language/Message.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Format 4, the container every Sealvane reads: a guarded, stateful interface over the
// catalogued container (see TContainer). It writes the catalog back on Close only when something
// changed. An entry whose stored header disagrees with the catalog is refused and nothing is
// written for it (see SeekToListedData). A new file that cannot be created where a file or a
// link stands raises EStreamError, or EContainerError for a read-only file.
class TRandomCryptoContainer : public TCryptoCatContainer, public TContainer
{
public:
    explicit TRandomCryptoContainer(const TContainerKey& key);
    ~TRandomCryptoContainer() override;

    std::int64_t Format() const override { return TCryptoContainer::Format; }
    void SetProgress(TCopyProgress progress) override { TBasicContainer::SetProgress(std::move(progress)); }
    std::int64_t GetZombieBytes() override;
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

    bool IsReadOnly() const override { return FMode == ModeReadOnly; }
    bool IsWritable() const override { return FMode == ModeWritable; }
    bool IsClosed() const override { return FMode == ModeNone || !FOpen; }
    bool IsModified() const override { return FModified; }
    const std::string& FileName() const override { return FFileName; }
    TContainerKey GetKey() const override;

protected:
    TCatalog& ScanCatalog() override;
    // Writes the end marker at the current position from the segment start state; the catalog
    // will follow it.
    void WriteEndMarker();

private:
    enum : std::uint8_t
    {
        ModeNone,
        ModeReadOnly,
        ModeWritable
    };

    TCatalog& OpenAs(const std::string& fileName, std::uint8_t mode);
    // Checks the index, reads the entry header stored where the catalog's entry index points,
    // and leaves stream and cipher at the entry's data. Every extraction and copy of an entry
    // comes through here: an entry whose header is not the one listed (IsListedEntry) is
    // refused, naming the entry as listed, so that what is written is what the user was shown.
    // Returns the catalog's entry.
    TCatalog::TEntry SeekToListedData(int index);
    void ReleaseAfterFailure();
    // Runs append at the end marker, then writes the end marker behind what it stored. When
    // append fails, TakeBack undoes it.
    void AppendUndoable(const std::function<void()>& append);
    // Removes the entries numbered from firstNewID on, cuts the file back to oldSize and writes
    // the end marker at entryStart again; the catalog goes back into the file at once unless
    // other changes wait for Close, so the file is byte for byte as before.
    void TakeBack(std::int64_t entryStart, std::int64_t oldSize, std::int32_t firstNewID, bool wasModified);
    void RequireOpen(const TMessage& refusal, std::initializer_list<TFormatArg> args);
    // Refuses to append the named file (or container) when closed or read only.
    void RequireAppendable(const std::string& fileName);
    TContainerKey Scrambled(const TContainerKey& key) const;

    std::unique_ptr<TBrassCrypto> FFreshCipher;
    bool FOpen = false;
    std::uint8_t FMode = ModeNone;
    bool FModified = false;
    std::string FFileName;
    TContainerKey FScrambledKey;
};
