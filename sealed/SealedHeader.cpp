#include "SealedHeader.h"

#include "SealedBytes.h"
#include "SealedKeys.h"
#include "container/ContainerError.h"
#include "language/Messages.h"

namespace sealed {

namespace {

constexpr std::size_t BodySize = 48;
constexpr std::size_t BodyReserved = 16;

} // namespace

std::string SealHeader(const TSealedHeader& header, const TGcmKey& headerKey)
{
    TByteWriter plain;
    plain.U64(static_cast<std::uint64_t>(Format));
    plain.U32(header.Iterations);
    plain.U32(header.ChunkSize);
    plain.Bytes(header.Salt);
    plain.Bytes(header.Id);
    plain.Bytes(header.Check);
    const std::string nonce = RandomBytes(NonceSize);

    TByteWriter body;
    body.U64(header.CatalogPosition);
    body.U64(header.CatalogLength);
    body.U64(header.Generation);
    body.U64(header.ZombieBytes);
    body.Bytes(std::string(BodyReserved, '\0'));

    // The body authenticates every plain byte before it, the nonce included.
    const std::string additional = plain.Written() + nonce;
    std::string sealed(BodySize + TagSize, '\0');
    headerKey.Seal(nonce, additional, body.Written().data(), BodySize, sealed.data());
    return additional + sealed;
}

TSealedHeader ReadPlainHeader(std::string_view bytes, const std::string& fileName)
{
    if (bytes.size() < HeaderSize) {
        ThrowContainerError(msg::StringIncomplete,
                            {static_cast<std::int64_t>(bytes.size()), static_cast<std::int64_t>(HeaderSize)});
    }
    TByteReader reader(bytes);
    const std::int64_t format = reader.I64();
    if (format != Format) {
        ThrowContainerError(msg::InvalidContainerFormat, {format});
    }
    TSealedHeader header;
    header.Iterations = reader.U32();
    header.ChunkSize = reader.U32();
    header.Salt = reader.Bytes(SaltSize);
    header.Id = reader.Bytes(IdSize);
    header.Check = reader.Bytes(CheckSize);
    if (header.Iterations < MinIterations || header.Iterations > MaxIterations) {
        ThrowContainerError(msg::SealedIterationsRefused, {fileName, std::int64_t{header.Iterations}});
    }
    if (header.ChunkSize < MinChunkSize || header.ChunkSize > MaxChunkSize) {
        ThrowContainerError(msg::SealedChunkSizeRefused, {fileName, std::int64_t{header.ChunkSize}});
    }
    return header;
}

bool OpenHeaderBody(std::string_view bytes, const TGcmKey& headerKey, TSealedHeader& header)
{
    const std::string_view nonce = bytes.substr(HeaderPlainSize - NonceSize, NonceSize);
    const std::string_view sealed = bytes.substr(HeaderPlainSize, BodySize + TagSize);
    std::string body(BodySize, '\0');
    if (!headerKey.Open(nonce, bytes.substr(0, HeaderPlainSize), sealed.data(), BodySize, body.data())) {
        return false;
    }
    TByteReader reader(body);
    header.CatalogPosition = reader.U64();
    header.CatalogLength = reader.U64();
    header.Generation = reader.U64();
    header.ZombieBytes = reader.U64();
    return true;
}

} // namespace sealed
