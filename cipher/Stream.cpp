#include "Stream.h"

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count > 0 && Read(buffer, count) != count) {
        throw EStreamError("Stream read error");
    }
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count > 0 && Write(buffer, count) != count) {
        throw EStreamError("Stream write error");
    }
}
