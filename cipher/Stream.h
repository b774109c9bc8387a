#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A failure of a stream: opening, creating, reading or writing.
class EStreamError : public std::runtime_error
{
public:
    explicit EStreamError(const std::string& message) : std::runtime_error(message) {}
};

enum class TSeekOrigin
{
    Begin,
    Current,
    End
};

// A byte stream with a position and a size. Sizes and positions are 64-bit throughout.
class TStream
{
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Read and Write return the number of bytes moved, which may be fewer than asked for.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() = 0;
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::Begin); }

    // Read or write exactly count bytes, or raise EStreamError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
};
