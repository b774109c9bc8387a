#include "FileReadAhead.h"

#include "ContainerError.h"
#include "cipher/BasicFileStream.h"
#include "cipher/ChunkPipeline.h"
#include "cipher/MemoryStream.h"
#include "cipher/UninitialisedBuffer.h"
#include "language/Messages.h"

#include <algorithm>

namespace {

// Files a caller of Next waits for once it has taken every file read.
constexpr std::size_t ReadyBatch = 32;

} // namespace

TFileReadAhead::TFileReadAhead(std::vector<TFileToStore> files) : TFileReadAhead(std::move(files), TLimits()) {}

TFileReadAhead::TFileReadAhead(std::vector<TFileToStore> files, const TLimits& limits)
    : FFiles(std::move(files)), FLimits(limits)
{
    // A single file gains nothing from a thread: it is read when asked for. So is every file
    // where the build has no threads.
    if (TChunkPipeline::Available && FFiles.size() > 1) {
        FThread = std::thread([this] { Run(); });
    }
}

TFileReadAhead::~TFileReadAhead()
{
    if (FThread.joinable()) {
        {
            const std::lock_guard<std::mutex> guard(FLock);
            FStopping = true;
        }
        FRoom.notify_all();
        FThread.join();
    }
}

void TFileReadAhead::Run()
{
    try {
        for (std::size_t index = 0; index < FFiles.size(); ++index) {
            {
                std::unique_lock<std::mutex> lock(FLock);
                WaitForRoom(lock, [this] {
                    return FStopping || (FWaiting.size() < FLimits.HeldFiles && FHeldHandles < FLimits.HeldHandles);
                });
                if (FStopping) {
                    return;
                }
            }
            TWaiting waiting = Read(index);
            const std::lock_guard<std::mutex> guard(FLock);
            if (FStopping) {
                return;
            }
            FHeldBytes += waiting.HeldBytes;
            FHeldHandles += waiting.HoldsHandle ? 1 : 0;
            FWaiting.push_back(std::move(waiting));
            if (FWanted != 0 && FWaiting.size() >= FWanted) {
                FReady.notify_one();
            }
        }
    } catch (...) {
        // Only the queue itself can fail here (out of memory); the one waiting for it hears so.
        const std::lock_guard<std::mutex> guard(FLock);
        FBroken = std::current_exception();
        FReady.notify_one();
    }
}

TFileReadAhead::TWaiting TFileReadAhead::Read(std::size_t index)
{
    const std::string& name = FFiles[index].FullName;
    TWaiting waiting;
    waiting.File.Index = index;
    try {
        std::unique_ptr<TBasicFileStream> stream;
        try {
            stream = std::make_unique<TBasicFileStream>(name, TFileMode::OpenRead);
        } catch (const EStreamError&) {
            // The stream's error says why in words only; a file that is not there is named so.
            if (FileExists(name)) {
                throw;
            }
        }
        if (stream) {
            waiting.File.Facts = FactsOfOpen(stream->Handle(), name);
        }
        if (!waiting.File.Facts.Exists) {
            waiting.Missing = true;
            return waiting;
        }
        const std::int64_t size = waiting.File.Facts.Size;
        if (size > FLimits.WholeFileSize) {
            waiting.HoldsHandle = true;
            waiting.File.Contents = std::move(stream);
            return waiting;
        }
        if (!WaitForBytes(size)) {
            return waiting;
        }
        auto bytes = UninitialisedBuffer(static_cast<std::size_t>(size));
        TBasicFileStream::ReadWholeAt(stream->Handle(), bytes.get(), size, 0, name);
        stream->Close();
        waiting.HeldBytes = size;
        waiting.File.Contents = std::make_unique<TMemoryStream>(std::move(bytes), size);
    } catch (...) {
        waiting.Failure = std::current_exception();
    }
    return waiting;
}

bool TFileReadAhead::WaitForBytes(std::int64_t bytes)
{
    std::unique_lock<std::mutex> lock(FLock);
    // A file larger than the bound alone still gets through, once nothing else is held.
    WaitForRoom(lock, [&] { return FStopping || FHeldBytes == 0 || FHeldBytes + bytes <= FLimits.HeldBytes; });
    return !FStopping;
}

void TFileReadAhead::WaitForRoom(std::unique_lock<std::mutex>& lock, const std::function<bool()>& room)
{
    if (room()) {
        return;
    }
    FThreadWaits = true;
    if (FWanted != 0) {
        FReady.notify_one();
    }
    FRoom.wait(lock, room);
    FThreadWaits = false;
}

std::optional<TReadFile> TFileReadAhead::Next()
{
    if (FHandedOver == FFiles.size()) {
        return std::nullopt;
    }
    TWaiting waiting;
    if (FThread.joinable()) {
        std::unique_lock<std::mutex> lock(FLock);
        if (FWaiting.empty()) {
            // Woken for a batch, or for what there is when the thread cannot read on.
            FWanted = std::min(ReadyBatch, FFiles.size() - FHandedOver);
            FReady.wait(
                lock, [this] { return FBroken || FWaiting.size() >= FWanted || (FThreadWaits && !FWaiting.empty()); });
            FWanted = 0;
        }
        if (FWaiting.empty()) {
            std::rethrow_exception(FBroken);
        }
        waiting = std::move(FWaiting.front());
        FWaiting.pop_front();
        FHeldBytes -= waiting.HeldBytes;
        FHeldHandles -= waiting.HoldsHandle ? 1 : 0;
        if (FThreadWaits) {
            FRoom.notify_one();
        }
    } else {
        waiting = Read(FHandedOver);
    }
    ++FHandedOver;
    if (waiting.Missing) {
        ThrowContainerError(msg::FileNotFound, {FFiles[waiting.File.Index].FullName});
    }
    if (waiting.Failure) {
        std::rethrow_exception(waiting.Failure);
    }
    return std::move(waiting.File);
}
