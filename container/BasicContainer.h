#pragma once

#include "Catalog.h"
#include "CopyProgress.h"
#include "FileInfo.h"
#include "FileReadAhead.h"
#include "cipher/BasicFileStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TContainer;
class TFileWriteBehind;

// The root of the container classes: owns the container file's stream, writes and reads the
// primitive encodings (64-bit integers, length-prefixed strings) and the entry header that
// precedes every stored file, copies file contents in and out, and checks the file before
// opening it. Its own header and trailer are single 64-bit markers; the encrypted containers
// build on it.
class TBasicContainer
{
public:
    TBasicContainer() = default;
    TBasicContainer(const TBasicContainer&) = delete;
    TBasicContainer& operator=(const TBasicContainer&) = delete;
    virtual ~TBasicContainer() = default;

    // Write a new container with the given files, or extract every file of one under a folder.
    void CreateWith(const std::string& fileName, const std::vector<TPathInfo>& paths);
    std::unique_ptr<TCatalog> ExtractAllFrom(const std::string& fileName, const std::string& targetFolder);

    // Told the progress of each file's bytes as they are stored or extracted (at least once per
    // file, also an empty one); an empty function tells nothing. Answering false raises
    // ECancelled: a cancelled extraction leaves no file, and TRandomCryptoContainer takes a
    // cancelled add back.
    void SetProgress(TCopyProgress progress) { FProgress = std::move(progress); }

protected:
    // Opening; the checks come before the file is touched and name the file.
    virtual void OpenForWrite(const std::string& fileName);
    virtual void OpenForRead(const std::string& fileName);
    virtual void CreateFile(const std::string& fileName);
    // The stream the container works through; the encrypted containers make a cipher stream.
    virtual std::unique_ptr<TBasicFileStream> MakeStream(const std::string& fileName, TFileMode mode);
    void CloseStream();

    virtual void WriteHeader();
    virtual void WriteTrailer();
    // Places the entry at the current position, gives it its duplicate number and writes its header.
    virtual void AddEntry(const std::shared_ptr<TFileInfo>& entry);
    // Gives the entry the next duplicate number of its full name when this object stored one of
    // that name before.
    void NumberDuplicate(TFileInfo& entry);
    // Stores one entry at the current position: its header, then entry.FSize bytes of contents,
    // telling the progress doneBefore plus the bytes stored, out of total.
    virtual void StoreEntry(const std::shared_ptr<TFileInfo>& entry, TStream& contents, std::int64_t doneBefore,
                            std::int64_t total);
    void WriteEntryHeader(TFileInfo& entry);
    // Stores one file at the current position: entry header, then its bytes.
    void AppendFile(const TPathInfo& path, TReadFile& file);
    // Stores every file the read-ahead hands over, one after another, at the current position.
    void AppendAll(TFileReadAhead& files, const TFileStarting& starting);
    void AppendFiles(const std::vector<TPathInfo>& paths);
    // Stores every entry of an open container of either format, each as its catalog lists it
    // (refused as extraction refuses it), the progress counting the bytes of all of them.
    void StoreEntriesOf(TContainer& source);

    virtual void ReadHeader();
    // The entry header at the current position, or nullptr at the end-of-entries marker.
    std::shared_ptr<TFileInfo> ReadEntryHeader();
    // The same, remembering where the header stood as the entry's position.
    virtual std::shared_ptr<TFileInfo> ReadEntryHeaderAt();
    // Reads the next entry header and writes the file it describes (ExtractData). Returns the
    // entry, or nullptr at the end marker.
    std::shared_ptr<TFileInfo> ExtractNext(const std::string& target, bool targetIsFile);
    // Writes the entry's data, which the data stream stands at, as the entry's file: as target
    // itself when targetIsFile, else under the target folder with the entry's folders and name.
    // With a write-behind, a small file is only read here and handed over to be written; a large
    // one is written here once the write-behind holds no file of its name.
    void ExtractData(const TFileInfo& entry, const std::string& target, bool targetIsFile,
                     TFileWriteBehind* writeBehind, TStream& data);
    std::unique_ptr<TCatalog> ExtractAll(const std::string& targetFolder);

    void WriteInt64(std::int64_t value);
    std::int64_t ReadInt64();
    void WriteString(std::string_view text);
    std::string ReadString();
    // Bytes between the current position and the end of the file.
    std::int64_t BytesLeft();
    // Refuses ("String incomplete") data of this size that the rest of the stream cannot hold: it
    // would make a silently short file.
    static void RequireDataLeft(TStream& data, std::int64_t size);
    // Copies count bytes from the source's position to the target's, telling the progress
    // doneBefore plus the bytes copied so far, out of total; raises ECancelled when it says so.
    void CopyReporting(TBasicFileStream& target, TStream& source, std::int64_t count, std::int64_t doneBefore,
                       std::int64_t total);
    // The same into any stream, in pieces of at most 1 MiB.
    void CopyReporting(TStream& target, TStream& source, std::int64_t count, std::int64_t doneBefore,
                       std::int64_t total);
    // Tells the progress; raises ECancelled when it says so.
    void Report(std::int64_t done, std::int64_t total);

    std::unique_ptr<TBasicFileStream> FStream;

private:
    TCopyProgress FProgress;
    // The full names added through this object, folded to lower case (letter case does not make
    // two names different), each with the duplicate number last given.
    std::unordered_map<std::wstring, std::int64_t> FNames;
};
