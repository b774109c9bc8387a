#pragma once

#include "LocalFiles.h"
#include "PathInfo.h"
#include "cipher/Stream.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A file to be stored: the name it is opened by, and the path the container keeps for it (whose
// relative folder may be cut short, so it need not lead back to the file).
struct TFileToStore
{
    std::string FullName;
    TPathInfo Path;
};

// A file as the read-ahead hands it over: what it was when opened, and its contents from the
// start, held in memory when small, else the file itself, still open and held exclusively.
struct TReadFile
{
    std::size_t Index = 0; // in TFileReadAhead::Files()
    TFileFacts Facts;
    std::unique_ptr<TStream> Contents;
};

// Opens and reads files, in the given order, on a thread of its own, while the caller does
// other work (sets up a key, stores the files handed over before). Each file is opened
// exclusively, as a file stream opens it, and its facts are taken from the open handle. What is
// waiting to be handed over stays within bounds whatever the count and the size of the files:
// bytes held in memory, files held open, and files in all. Destroying it stops the thread and
// waits for it; a file being read is finished first.
class TFileReadAhead
{
public:
    struct TLimits
    {
        std::int64_t WholeFileSize = std::int64_t{1} << 20; // larger files are handed over open
        std::int64_t HeldBytes = std::int64_t{16} << 20;    // of small files read and waiting
        int HeldHandles = 64;                               // of large files waiting
        std::size_t HeldFiles = 4096;                       // waiting, of any kind
    };

    explicit TFileReadAhead(std::vector<TFileToStore> files);
    TFileReadAhead(std::vector<TFileToStore> files, const TLimits& limits);
    ~TFileReadAhead();
    TFileReadAhead(const TFileReadAhead&) = delete;
    TFileReadAhead& operator=(const TFileReadAhead&) = delete;

    const std::vector<TFileToStore>& Files() const { return FFiles; }

    // The next file in order, waiting until it has been read; nothing after the last one. A file
    // that could not be read raises here, when its turn comes: "File '%s' not found!" when it is
    // missing or not a regular file, else the stream's error.
    std::optional<TReadFile> Next();

private:
    // A file as it waits: read, or the failure met when reading it.
    struct TWaiting
    {
        TReadFile File;
        bool Missing = false;
        std::exception_ptr Failure;
        std::int64_t HeldBytes = 0;
        bool HoldsHandle = false;
    };

    void Run();
    // Reads the file at index; never raises: a failure is kept for the caller of Next.
    TWaiting Read(std::size_t index);
    // Waits until that many more bytes may be held; false when stopped meanwhile.
    bool WaitForBytes(std::int64_t bytes);
    // Waits until room says so, first handing what is waiting to a caller of Next who waits for more.
    void WaitForRoom(std::unique_lock<std::mutex>& lock, const std::function<bool()>& room);

    const std::vector<TFileToStore> FFiles;
    const TLimits FLimits;
    std::size_t FHandedOver = 0;

    std::mutex FLock;
    // The thread waits on FRoom for files to be taken; the caller of Next waits on FReady for a
    // batch of files, so that neither wakes the other for every file.
    std::condition_variable FRoom;
    std::condition_variable FReady;
    // The files the waiting caller of Next wants ready; 0 while it does not wait.
    std::size_t FWanted = 0;
    bool FThreadWaits = false;
    std::deque<TWaiting> FWaiting;
    std::int64_t FHeldBytes = 0;
    int FHeldHandles = 0;
    bool FStopping = false;
    std::exception_ptr FBroken; // the thread failed outside any file
    std::thread FThread;
};
