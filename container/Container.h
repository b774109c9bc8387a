#pragma once

#include "Catalog.h"
#include "ContainerKey.h"
#include "CopyProgress.h"
#include "FileInfo.h"
#include "FileReadAhead.h"
#include "cipher/Stream.h"

#include <cstdint>
#include <memory>
#include <string>

class TFileWriteBehind;

// A container file of either format as the program and the tool work with it: opened for writing
// or read-only, listing, adding, extracting and deleting entries, taking over another container,
// keeping memo and extra. Every refused operation leaves the object as it was. One object serves
// one key and one format for its whole life; the format comes from the file it opens, or is
// chosen for a new one (see sealed/ContainerFormats.h).
class TContainer
{
public:
    virtual ~TContainer() = default;

    // The format number the file has, or a new file gets: 4 or 5.
    virtual std::int64_t Format() const = 0;

    // Told the progress of each file's bytes as they are stored, extracted or copied; answering
    // false raises ECancelled, and what was begun is undone.
    virtual void SetProgress(TCopyProgress progress) = 0;

    // Creates a new, empty container file and opens it for writing. The name must be free: a file
    // or a link standing there is refused and left alone.
    virtual TCatalog& OpenNew(const std::string& fileName) = 0;
    virtual TCatalog& Open(const std::string& fileName) = 0;
    virtual TCatalog& OpenReadOnly(const std::string& fileName) = 0;
    // Opens for writing when that works, else read-only (a wrong password thus costs two pauses).
    TCatalog& OpenExisting(const std::string& fileName);
    // Writes what changed and releases the file, whatever happens.
    virtual void Close() = 0;

    // Stores a file at the end; baseFolder must be a leading part of fileName.
    TCatalog& AddFile(const std::string& fileName, const std::string& baseFolder);
    // Stores every file of the read-ahead, in its order, telling starting before each one. All
    // of them or none: when one fails or the progress cancels, the container and its file are as
    // they were before, and the failure is raised.
    virtual TCatalog& AddFiles(TFileReadAhead& files, const TFileStarting& starting = {}) = 0;
    // Writes entry index (in the catalog's current order) under a folder, or as the given file;
    // the file appears only when complete, and only when the stored entry is the one the catalog
    // lists. With a write-behind, a small file is handed over to it. Returns the catalog's entry.
    virtual std::shared_ptr<TFileInfo> ExtractFile(int index, const std::string& targetFolder,
                                                   TFileWriteBehind* writeBehind = nullptr) = 0;
    virtual std::shared_ptr<TFileInfo> ExtractFileTo(int index, const std::string& targetFile) = 0;
    // The data of entry index, checked as extraction checks it, as a stream standing at its first
    // byte; it stays valid until the next call on this container.
    virtual TStream& EntryData(int index) = 0;
    // Drops the entry from the catalog; its bytes stay in the file and count as zombie bytes.
    virtual TCatalog& DeleteEntry(const TFileInfo& entry) = 0;
    virtual TCatalog& GetCatalog() = 0;
    // Rebuilds the catalog by scanning the file for its entries.
    virtual TCatalog& RegenCatalog(bool markModified) = 0;
    // Copies every entry, the memo and the extra of another open container (of any format), each
    // entry as the source's catalog lists it. The progress counts the bytes of all entries
    // together. When it fails or is cancelled, this container and its file are as before.
    virtual TCatalog& AppendContainer(TContainer& source) = 0;

    virtual void SetMemo(const std::string& text) = 0;
    virtual std::string GetMemo() = 0;
    virtual void SetExtra(const std::string& text) = 0;
    virtual std::string GetExtra() = 0;
    virtual std::int64_t GetZombieBytes() = 0;

    virtual bool IsReadOnly() const = 0;
    virtual bool IsWritable() const = 0;
    virtual bool IsClosed() const = 0;
    virtual bool IsModified() const = 0;
    virtual const std::string& FileName() const = 0;
    // The key as given to the constructor.
    virtual TContainerKey GetKey() const = 0;
};
