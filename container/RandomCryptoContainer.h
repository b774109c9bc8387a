#pragma once

#include "CryptoCatContainer.h"
#include "language/FormatText.h"
#include "language/Message.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The container the program works with: a guarded, stateful interface over the catalogued
// container. It opens a container for writing or read-only, adds, extracts and deletes entries,
// takes over all entries of another container, keeps memo and extra, and writes the catalog back
// on Close only when something changed. Every refused operation leaves the object as it was.
// One object serves one key for its whole life.
class TRandomCryptoContainer : public TCryptoCatContainer
{
public:
    explicit TRandomCryptoContainer(const TContainerKey& key);
    ~TRandomCryptoContainer() override;

    std::int64_t GetZombieBytes();
    // Creates a new, empty container file and opens it for writing. The name must be free: a file
    // or a link standing there is refused (EStreamError, or EContainerError for a read-only
    // file) and left alone, so that no one can make this write into another file.
    TCatalog& OpenNew(const std::string& fileName);
    TCatalog& Open(const std::string& fileName);
    TCatalog& OpenReadOnly(const std::string& fileName);
    // Opens for writing when that works, else read-only (a wrong password thus costs two pauses).
    TCatalog& OpenExisting(const std::string& fileName);
    // Writes the catalog back when modified and releases the file, whatever happens.
    void Close();

    // Stores a file at the end; baseFolder must be a leading part of fileName. When it fails or
    // is cancelled (see SetProgress), the container and its file are as they were before.
    TCatalog& AddFile(const std::string& fileName, const std::string& baseFolder);
    // Stores every file of the read-ahead at the end, in its order, telling starting before each
    // one. All of them or none: when one fails or the progress cancels, the container and its
    // file are as they were before, and the failure is raised.
    TCatalog& AddFiles(TFileReadAhead& files, const TFileStarting& starting = {});
    // Writes entry index (in the catalog's current order) under a folder, or as the given file;
    // the file appears only when complete. It is the entry as the catalog lists it: one whose
    // stored header disagrees is refused and nothing is written for it (see SeekToListedData).
    // With a write-behind, a small file is handed over to it and written after this returns (its
    // failure told through the write-behind); a large one is written after any file of its name
    // the write-behind still holds. Returns the catalog's entry.
    std::shared_ptr<TFileInfo> ExtractFile(int index, const std::string& targetFolder,
                                           TFileWriteBehind* writeBehind = nullptr);
    std::shared_ptr<TFileInfo> ExtractFileTo(int index, const std::string& targetFile);
    // Drops the entry from the catalog; its bytes stay in the file and count as zombie bytes.
    TCatalog& DeleteEntry(const TFileInfo& entry);
    TCatalog& GetCatalog();
    TCatalog& RegenCatalog(bool markModified);
    // Copies every entry, the memo and the extra of another container (with its own key),
    // each entry as the source's catalog lists it (refused as ExtractFile refuses it). The
    // progress counts the bytes of all entries together. When it fails or is cancelled, the
    // container and its file are as they were before.
    TCatalog& AppendContainer(const std::string& fileName, const TContainerKey& key);

    void SetMemo(const std::string& text) override;
    std::string GetMemo() override;
    void SetExtra(const std::string& text) override;
    std::string GetExtra() override;

    bool IsReadOnly() const { return FMode == ModeReadOnly; }
    bool IsWritable() const { return FMode == ModeWritable; }
    bool IsClosed() const { return FMode == ModeNone || !FOpen; }
    bool IsModified() const { return FModified; }
    const std::string& FileName() const { return FFileName; }

    // The key as given to the constructor.
    TContainerKey GetKey() const;

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

// Writes a new container at targetFile, under targetKey, holding everything of the source
// container. The new container is built at tempFile, a free name (created as OpenNew creates),
// and put in place only once it is complete, so the target is never left half-written. The
// progress counts the bytes of all entries; when it cancels (ECancelled), the source and the
// target are untouched and tempFile is gone.
void CopyContainer(const std::string& sourceFile, const TContainerKey& sourceKey, const std::string& targetFile,
                   const std::string& tempFile, const TContainerKey& targetKey, const TCopyProgress& progress = {});
// Gives a container a new key (and a new random prefix and freshly written entries).
void RekeyContainer(const std::string& fileName, const TContainerKey& newKey, const TContainerKey& oldKey,
                    const std::string& tempFile, const TCopyProgress& progress = {});
// True when the key opens the container; false for a wrong password (after its pause); every
// other failure is raised.
bool CheckPassword(const std::string& fileName, const TContainerKey& key);
