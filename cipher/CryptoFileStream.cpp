#include "CryptoFileStream.h"

#include <algorithm>
#include <cstring>

TCryptoFileStream::TCryptoFileStream(std::unique_ptr<TBrassCrypto>& cryptoRef, const std::string& fileName,
                                     TFileMode mode)
    : TBasicFileStream(fileName, mode), FCryptoRef(cryptoRef)
{
}

std::int64_t TCryptoFileStream::Read(void* buffer, std::int64_t count)
{
    const std::int64_t done = TBasicFileStream::Read(buffer, count);
    DecodeAfterRead(static_cast<char*>(buffer), count);
    return done;
}

std::int64_t TCryptoFileStream::Write(const void* buffer, std::int64_t count)
{
    if (!FActive) {
        return TBasicFileStream::Write(buffer, count);
    }
    // Enciphered a scratch buffer at a time, so a large write needs no copy of its own size.
    if (FScratch.empty()) {
        FScratch.resize(ScratchSize);
    }
    const auto* source = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const auto n = static_cast<std::int64_t>(std::min<std::uint64_t>(ScratchSize, count - done));
        std::memcpy(FScratch.data(), source + done, static_cast<std::size_t>(n));
        EncodeForWrite(FScratch.data(), n);
        const std::int64_t written = TBasicFileStream::Write(FScratch.data(), n);
        done += written;
        if (written != n) {
            break;
        }
    }
    return done;
}

void TCryptoFileStream::EncodeForWrite(char* data, std::int64_t count)
{
    if (FActive && count > 0) {
        FCryptoRef->Crypt(data, static_cast<std::size_t>(count));
    }
}

void TCryptoFileStream::DecodeAfterRead(char* data, std::int64_t count)
{
    // Enciphering and deciphering are the same operation.
    EncodeForWrite(data, count);
}
