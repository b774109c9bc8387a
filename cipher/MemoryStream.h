#pragma once

#include "Stream.h"

#include <cstdint>
#include <memory>

// Bytes held in memory, read as a stream: what was read of a file ahead of time, copied into a
// container like the file itself. It cannot be written or resized.
class TMemoryStream : public TStream
{
public:
    TMemoryStream(std::unique_ptr<char[]> bytes, std::int64_t size);

    std::int64_t Read(void* buffer, std::int64_t count) override;
    // Writes nothing (returns 0), so that WriteBuffer raises.
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return FSize; }
    // Raises EStreamError.
    void SetSize(std::int64_t size) override;

private:
    std::unique_ptr<char[]> FBytes;
    std::int64_t FSize;
    std::int64_t FPosition = 0;
};
