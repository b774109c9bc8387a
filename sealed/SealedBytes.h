#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The plain encodings of format 5: unsigned little-endian integers of 4 and 8 bytes, and strings
// as a 4-byte length followed by their bytes.
namespace sealed {

class TByteWriter
{
public:
    void U32(std::uint32_t value);
    void U64(std::uint64_t value);
    void Bytes(std::string_view bytes) { FBytes += bytes; }
    void String(std::string_view text);

    const std::string& Written() const { return FBytes; }
    std::string& Written() { return FBytes; }

private:
    std::string FBytes;
};

// Reads the encodings from bytes a stranger may have written: every read past the end raises
// EContainerError ("String incomplete"), so no length is trusted before it is checked.
class TByteReader
{
public:
    explicit TByteReader(std::string_view bytes) : FBytes(bytes) {}

    std::uint32_t U32();
    std::uint64_t U64();
    std::int64_t I64() { return static_cast<std::int64_t>(U64()); }
    std::string_view Bytes(std::size_t count);
    std::string String();

    std::size_t Left() const { return FBytes.size() - FAt; }
    std::size_t Position() const { return FAt; }

private:
    std::string_view FBytes;
    std::size_t FAt = 0;
};

// The integer's bytes, least significant first.
std::string LittleEndian(std::uint64_t value, std::size_t size);

} // namespace sealed
