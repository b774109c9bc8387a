#include "SealedBytes.h"

#include "container/ContainerError.h"
#include "language/Messages.h"

namespace sealed {

std::string LittleEndian(std::uint64_t value, std::size_t size)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

void TByteWriter::U32(std::uint32_t value)
{
    FBytes += LittleEndian(value, 4);
}

void TByteWriter::U64(std::uint64_t value)
{
    FBytes += LittleEndian(value, 8);
}

void TByteWriter::String(std::string_view text)
{
    U32(static_cast<std::uint32_t>(text.size()));
    FBytes += text;
}

std::string_view TByteReader::Bytes(std::size_t count)
{
    if (count > Left()) {
        ThrowContainerError(msg::StringIncomplete, {static_cast<std::int64_t>(Left()), static_cast<std::int64_t>(count)});
    }
    const std::string_view bytes = FBytes.substr(FAt, count);
    FAt += count;
    return bytes;
}

std::uint32_t TByteReader::U32()
{
    const std::string_view bytes = Bytes(4);
    std::uint32_t value = 0;
    for (int n = 3; n >= 0; --n) {
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(n)]);
    }
    return value;
}

std::uint64_t TByteReader::U64()
{
    const std::string_view bytes = Bytes(8);
    std::uint64_t value = 0;
    for (int n = 7; n >= 0; --n) {
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(n)]);
    }
    return value;
}

std::string TByteReader::String()
{
    const std::uint32_t length = U32();
    return std::string(Bytes(length));
}

} // namespace sealed
