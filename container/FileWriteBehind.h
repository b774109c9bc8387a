#pragma once

#include "PendingFile.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

// Writes a whole file at finalName, complete or not at all (through a TPendingFile): fill writes
// its contents through the handle it is given, raising when that fails; then the file gets its
// last-write time (local wall-clock seconds). A folder above it that cannot be made raises
// "Invalid folder".
void WriteCompleteFile(const std::string& finalName, std::int64_t lastWriteLocal, const std::function<void(int)>& fill,
                       TOverwrite overwrite = TOverwrite::Allowed);

// Writes whole files on threads of its own while the caller prepares the next ones: extracting
// many small files is bound by the system's work of creating them, which the threads share. Each
// file is written by WriteWholeFile. A failed file is told to the caller's onFailure, on the
// caller's thread, during a later Write, Settle or Finish, as the exception the write raised.
class TFileWriteBehind
{
public:
    using TFailure = std::function<void(const std::exception& error)>;

    // Files up to this size are worth handing over; a larger one is better written by the
    // caller, as it comes.
    static constexpr std::int64_t MaxFileSize = 1 << 20;

    // Holds at most maxBytesWaiting bytes of contents that wait for a thread (and one file more).
    // Whether a file may replace one of its name holds for every file handed over.
    explicit TFileWriteBehind(TFailure onFailure, TOverwrite overwrite = TOverwrite::Allowed,
                              std::int64_t maxBytesWaiting = 16 << 20);
    // Abandons the files no thread has begun and waits for those under way, telling nothing;
    // whoever needs to know calls Finish first.
    ~TFileWriteBehind();
    TFileWriteBehind(const TFileWriteBehind&) = delete;
    TFileWriteBehind& operator=(const TFileWriteBehind&) = delete;

    // Hands a file over. Waits while too many bytes wait, and while a file of the same name is
    // still to be written, so that the last one handed over is the one that stays.
    void Write(std::string finalName, std::string contents, std::int64_t lastWriteLocal);
    // Waits until no file of that name is still to be written.
    void Settle(const std::string& finalName);
    // Waits until every file handed over is written.
    void Finish();

    TOverwrite Overwrite() const { return FOverwrite; }

private:
    struct TFile
    {
        std::string Name;
        std::string Contents;
        std::int64_t LastWrite = 0;
    };

    void Work();
    // Waits, holding the lock, until ready says so; then tells the failures gathered so far,
    // without the lock.
    void WaitAndTell(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready);

    const TFailure FOnFailure;
    const TOverwrite FOverwrite;
    const std::int64_t FMaxBytesWaiting;
    std::mutex FMutex;
    // Told to the threads when a file waits or when they are to stop; to the caller when a file
    // is written.
    std::condition_variable FFileWaits;
    std::condition_variable FFileWritten;
    std::deque<TFile> FWaiting;
    std::int64_t FBytesWaiting = 0;
    // The names waiting or being written, each with its count.
    std::unordered_map<std::string, int> FUnwritten;
    std::vector<std::exception_ptr> FFailures;
    bool FStopping = false;
    std::vector<std::thread> FThreads;
};
