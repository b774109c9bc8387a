#include "FileWriteBehind.h"

#include "ContainerError.h"
#include "LocalFiles.h"
#include "PendingFile.h"
#include "cipher/BasicFileStream.h"
#include "language/Messages.h"

#include <filesystem>
#include <optional>

namespace {

// Two share the system's work of creating files well; more only wait for each other on the folder.
constexpr int WritingThreads = 2;
constexpr std::size_t WakeBatch = 16;

} // namespace

void WriteCompleteFile(const std::string& finalName, std::int64_t lastWriteLocal, const std::function<void(int)>& fill,
                       TOverwrite overwrite)
{
    std::optional<TPendingFile> pending;
    try {
        pending.emplace(finalName, overwrite);
    } catch (const std::filesystem::filesystem_error&) {
        ThrowContainerError(msg::InvalidFolder);
    }
    fill(pending->Handle());
    SetLastWriteLocalSeconds(pending->Handle(), lastWriteLocal);
    pending->Commit();
}

TFileWriteBehind::TFileWriteBehind(TFailure onFailure, TOverwrite overwrite, std::int64_t maxBytesWaiting)
    : FOnFailure(std::move(onFailure)), FOverwrite(overwrite), FMaxBytesWaiting(maxBytesWaiting)
{
    for (int n = 0; n < WritingThreads; ++n) {
        FThreads.emplace_back([this] { Work(); });
    }
}

TFileWriteBehind::~TFileWriteBehind()
{
    {
        const std::lock_guard<std::mutex> lock(FMutex);
        FStopping = true;
    }
    FFileWaits.notify_all();
    for (std::thread& thread : FThreads) {
        thread.join();
    }
}

void TFileWriteBehind::Write(std::string finalName, std::string contents, std::int64_t lastWriteLocal)
{
    std::unique_lock<std::mutex> lock(FMutex);
    WaitAndTell(lock, [&] { return FBytesWaiting <= FMaxBytesWaiting && !FUnwritten.contains(finalName); });
    FBytesWaiting += static_cast<std::int64_t>(contents.size());
    ++FUnwritten[finalName];
    FWaiting.push_back({std::move(finalName), std::move(contents), lastWriteLocal});
    // A thread is woken for a batch of files rather than for each; whoever waits for the files
    // to be written wakes them all.
    const bool wake = FWaiting.size() % WakeBatch == 0;
    lock.unlock();
    if (wake) {
        FFileWaits.notify_one();
    }
}

void TFileWriteBehind::Settle(const std::string& finalName)
{
    std::unique_lock<std::mutex> lock(FMutex);
    WaitAndTell(lock, [&] { return !FUnwritten.contains(finalName); });
}

void TFileWriteBehind::Finish()
{
    std::unique_lock<std::mutex> lock(FMutex);
    WaitAndTell(lock, [&] { return FUnwritten.empty(); });
}

void TFileWriteBehind::WaitAndTell(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready)
{
    if (!ready()) {
        FFileWaits.notify_all();
        FFileWritten.wait(lock, ready);
    }
    std::vector<std::exception_ptr> failures;
    failures.swap(FFailures);
    lock.unlock();
    for (const std::exception_ptr& failure : failures) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& error) {
            FOnFailure(error);
        }
    }
    lock.lock();
}

void TFileWriteBehind::Work()
{
    std::unique_lock<std::mutex> lock(FMutex);
    while (true) {
        FFileWaits.wait(lock, [this] { return FStopping || !FWaiting.empty(); });
        if (FStopping) {
            return;
        }
        TFile file = std::move(FWaiting.front());
        FWaiting.pop_front();
        lock.unlock();
        std::exception_ptr failure;
        try {
            WriteCompleteFile(
                file.Name, file.LastWrite,
                [&](int handle) {
                    TBasicFileStream::WriteWholeAt(handle, file.Contents.data(),
                                                   static_cast<std::int64_t>(file.Contents.size()), 0, file.Name);
                },
                FOverwrite);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        FBytesWaiting -= static_cast<std::int64_t>(file.Contents.size());
        if (--FUnwritten[file.Name] == 0) {
            FUnwritten.erase(file.Name);
        }
        if (failure) {
            FFailures.push_back(failure);
        }
        FFileWritten.notify_one();
    }
}
