#pragma once

#include "BasicFileStream.h"
#include "BrassCrypto.h"

#include <memory>
#include <vector>

// A file stream that runs every byte read or written through the owner's current cipher. The
// stream holds a reference to the owner's cipher variable, not to a cipher object, so when the
// owner replaces the cipher (with a clone of a saved state) the stream follows at once. Seeking
// leaves the cipher alone: whoever moves the position must put the cipher into the state that
// belongs to the new position.
class TCryptoFileStream : public TBasicFileStream
{
public:
    TCryptoFileStream(std::unique_ptr<TBrassCrypto>& cryptoRef, const std::string& fileName, TFileMode mode);

    // Deciphers the whole requested count in the buffer (the keystream advances by count even
    // when fewer bytes were read) and returns the number of bytes actually read.
    std::int64_t Read(void* buffer, std::int64_t count) override;
    // Enciphers into a scratch buffer and writes that; the caller's buffer is never modified.
    std::int64_t Write(const void* buffer, std::int64_t count) override;

    // False: bytes pass unchanged and the cipher is left alone (for plain header fields).
    bool Active() const { return FActive; }
    void SetActive(bool active) { FActive = active; }

protected:
    void EncodeForWrite(char* data, std::int64_t count) override;
    void DecodeAfterRead(char* data, std::int64_t count) override;

private:
    static constexpr std::size_t ScratchSize = 64 * 1024;

    std::unique_ptr<TBrassCrypto>& FCryptoRef;
    bool FActive = true;
    std::vector<char> FScratch;
};
