#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

TMemoryStream::TMemoryStream(std::unique_ptr<char[]> bytes, std::int64_t size) : FBytes(std::move(bytes)), FSize(size)
{
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t n = std::clamp<std::int64_t>(FSize - FPosition, 0, std::max<std::int64_t>(count, 0));
    if (n > 0) {
        std::memcpy(buffer, FBytes.get() + FPosition, static_cast<std::size_t>(n));
        FPosition += n;
    }
    return n;
}

std::int64_t TMemoryStream::Write(const void* /*buffer*/, std::int64_t /*count*/)
{
    return 0;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t base = origin == TSeekOrigin::Begin ? 0 : origin == TSeekOrigin::Current ? FPosition : FSize;
    if (base + offset < 0) {
        throw EStreamError("Stream seek error");
    }
    FPosition = base + offset;
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t /*size*/)
{
    throw EStreamError("Stream size cannot change");
}
