#include "Wipe.h"

#include "ContainerError.h"
#include "LocalFiles.h"
#include "cipher/BasicFileStream.h"
#include "language/Messages.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::int64_t BlockSize = 8192;
constexpr int PassesPerCycle = 3;

TWipePassHook PassHook;

// The bytes a pass writes: every byte one value, or fresh random bytes for each block.
class TPassPattern
{
public:
    TPassPattern(int pass, std::mt19937_64& generator) : FRandom(pass == 2), FGenerator(generator), FBlock(BlockSize)
    {
        if (!FRandom) {
            std::fill(FBlock.begin(), FBlock.end(), static_cast<char>(pass == 0 ? 0xAA : 0x55));
        }
    }
    const char* NextBlock()
    {
        if (FRandom) {
            for (std::size_t n = 0; n < FBlock.size(); n += 8) {
                const std::uint64_t bits = FGenerator();
                for (std::size_t k = 0; k < 8; ++k) {
                    FBlock[n + k] = static_cast<char>(bits >> (8 * k));
                }
            }
        }
        return FBlock.data();
    }

private:
    bool FRandom;
    std::mt19937_64& FGenerator;
    std::vector<char> FBlock;
};

// Whole blocks up to the file's size: what one pass writes.
std::int64_t PassLength(std::int64_t fileSize)
{
    return (fileSize + BlockSize - 1) / BlockSize * BlockSize;
}

void OverwriteOnce(const std::string& fileName, int cycle, std::int64_t& done, std::int64_t total,
                   const TWipeProgress& progress)
{
    if (!FileExists(fileName)) {
        ThrowContainerError(msg::ContainerNotFound, {fileName});
    }
    if (IsReadOnlyFile(fileName)) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {fileName});
    }
    std::random_device device;
    std::mt19937_64 generator(
        device() ^ static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    for (int pass = 0; pass < PassesPerCycle; ++pass) {
        {
            // Opened for reading and writing without truncation, so the same blocks are overwritten.
            TBasicFileStream stream(fileName, TFileMode::OpenReadWrite);
            const std::int64_t size = stream.Size();
            TPassPattern pattern(pass, generator);
            for (std::int64_t written = 0; written < size; written += BlockSize) {
                stream.WriteBuffer(pattern.NextBlock(), BlockSize);
                done += BlockSize;
                if (progress) {
                    progress(done, total);
                }
            }
            // Each pass reaches the device before the next begins; else the passes could meet
            // only in the page cache and just the last would ever be written.
            stream.Flush();
        }
        if (PassHook) {
            PassHook(fileName, cycle * PassesPerCycle + pass);
        }
    }
}

} // namespace

void WipePass(const std::string& fileName)
{
    std::int64_t done = 0;
    OverwriteOnce(fileName, 0, done, 0, {});
}

void WipeFile(const std::string& fileName, std::int32_t cycles, bool deleteAfter)
{
    WipeFile(fileName, cycles, deleteAfter, {});
}

void WipeFile(const std::string& fileName, std::int32_t cycles, bool deleteAfter, const TWipeProgress& progress)
{
    std::int64_t done = 0;
    const std::int64_t total =
        cycles > 0 && FileExists(fileName)
            ? PassLength(static_cast<std::int64_t>(FileSizeOf(fileName))) * PassesPerCycle * cycles
            : 0;
    for (std::int32_t cycle = 0; cycle < cycles; ++cycle) {
        OverwriteOnce(fileName, cycle, done, total, progress);
    }
    // The caller must learn that the overwritten file is still there.
    if (deleteAfter && ::unlink(fileName.c_str()) != 0) {
        throw EStreamError("Cannot delete file '" + fileName + "': " + std::strerror(errno));
    }
}

TWipePassHook SetWipePassHook(TWipePassHook hook)
{
    std::swap(PassHook, hook);
    return hook;
}
