#include "ChunkPipeline.h"

#include "UninitialisedBuffer.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr std::size_t SlotCount = 6;

// Slots wander from free to read to transformed and back to free; each queue hands them on.
class TSlotQueues
{
public:
    enum TQueue
    {
        Free,
        Read,
        Transformed,
        QueueCount
    };

    TSlotQueues()
    {
        for (std::size_t slot = 0; slot < SlotCount; ++slot) {
            FQueues[Free].push_back(slot);
        }
    }

    // The next slot of the queue, or nothing when the queue will get no more or work stopped.
    bool Take(TQueue queue, std::size_t& slot)
    {
        std::unique_lock<std::mutex> guard(FLock);
        FChanged.wait(guard, [&] { return FFailed || !FQueues[queue].empty() || FFinished[queue]; });
        if (FFailed || FQueues[queue].empty()) {
            return false;
        }
        slot = FQueues[queue].front();
        FQueues[queue].pop_front();
        return true;
    }

    void Put(TQueue queue, std::size_t slot)
    {
        {
            const std::lock_guard<std::mutex> guard(FLock);
            FQueues[queue].push_back(slot);
        }
        FChanged.notify_all();
    }

    // No more slots will be put into the queue.
    void Finish(TQueue queue)
    {
        {
            const std::lock_guard<std::mutex> guard(FLock);
            FFinished[queue] = true;
        }
        FChanged.notify_all();
    }

    void Fail(std::exception_ptr error)
    {
        {
            const std::lock_guard<std::mutex> guard(FLock);
            if (!FError) {
                FError = error;
            }
            FFailed = true;
        }
        FChanged.notify_all();
    }

    std::exception_ptr Error()
    {
        const std::lock_guard<std::mutex> guard(FLock);
        return FError;
    }

private:
    std::mutex FLock;
    std::condition_variable FChanged;
    std::array<std::deque<std::size_t>, QueueCount> FQueues;
    std::array<bool, QueueCount> FFinished{};
    bool FFailed = false;
    std::exception_ptr FError;
};

} // namespace

void TChunkPipeline::Run(std::int64_t count, std::int64_t chunkSize, const TStage& read, const TStage& transform,
                         const TStage& write)
{
    std::array<std::unique_ptr<char[]>, SlotCount> chunks;
    std::array<std::int64_t, SlotCount> sizes{};
    for (auto& chunk : chunks) {
        chunk = UninitialisedBuffer(static_cast<std::size_t>(chunkSize));
    }
    TSlotQueues queues;

    std::thread reader([&] {
        try {
            std::size_t slot = 0;
            for (std::int64_t left = count; left > 0 && queues.Take(TSlotQueues::Free, slot);) {
                sizes[slot] = std::min(left, chunkSize);
                read(chunks[slot].get(), sizes[slot]);
                left -= sizes[slot];
                queues.Put(TSlotQueues::Read, slot);
            }
        } catch (...) {
            queues.Fail(std::current_exception());
        }
        queues.Finish(TSlotQueues::Read);
    });
    std::thread writer([&] {
        try {
            std::size_t slot = 0;
            while (queues.Take(TSlotQueues::Transformed, slot)) {
                write(chunks[slot].get(), sizes[slot]);
                queues.Put(TSlotQueues::Free, slot);
            }
        } catch (...) {
            queues.Fail(std::current_exception());
        }
    });
    try {
        std::size_t slot = 0;
        while (queues.Take(TSlotQueues::Read, slot)) {
            transform(chunks[slot].get(), sizes[slot]);
            queues.Put(TSlotQueues::Transformed, slot);
        }
    } catch (...) {
        queues.Fail(std::current_exception());
    }
    queues.Finish(TSlotQueues::Transformed);
    reader.join();
    writer.join();
    if (const std::exception_ptr error = queues.Error()) {
        std::rethrow_exception(error);
    }
}
