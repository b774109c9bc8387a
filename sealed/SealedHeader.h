#pragma once

#include "SealedCrypto.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sealed {

inline constexpr std::int64_t Format = 5;
inline constexpr std::size_t HeaderSize = 140;
// The plain part, which the sealed body authenticates as its additional data.
inline constexpr std::size_t HeaderPlainSize = 76;
inline constexpr std::size_t IdSize = 16;
inline constexpr std::uint32_t DefaultChunkSize = 65'536;
inline constexpr std::uint32_t MinChunkSize = 4'096;
inline constexpr std::uint32_t MaxChunkSize = 1'048'576;

// The 140 bytes at the start of a format-5 container: in plain the format, the stretching count,
// the chunk size, the salt, the container's id and the key check; sealed behind them, where the
// catalog stands and how many bytes the file wastes. Rewriting it is the commit of every change.
struct TSealedHeader
{
    std::uint32_t Iterations = 0;
    std::uint32_t ChunkSize = DefaultChunkSize;
    std::string Salt;
    std::string Id;
    std::string Check;

    std::uint64_t CatalogPosition = 0;
    std::uint64_t CatalogLength = 0;
    std::uint64_t Generation = 0;
    std::uint64_t ZombieBytes = 0;
};

// The 140 bytes, with a fresh random nonce for the body.
std::string SealHeader(const TSealedHeader& header, const TGcmKey& headerKey);
// The plain fields of the first 140 bytes of the named file. Refuses (EContainerError) another
// format, a count or chunk size outside the accepted ranges, and a file too short to hold them.
TSealedHeader ReadPlainHeader(std::string_view bytes, const std::string& fileName);
// Fills the body's fields when its tag matches; false when the header was damaged or altered.
[[nodiscard]] bool OpenHeaderBody(std::string_view bytes, const TGcmKey& headerKey, TSealedHeader& header);

} // namespace sealed
