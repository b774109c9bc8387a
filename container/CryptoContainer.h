#pragma once

#include "BasicContainer.h"
#include "ContainerKey.h"
#include "cipher/BrassCrypto.h"
#include "cipher/CryptoFileStream.h"

#include <memory>
#include <string>
#include <string_view>

// An enciphered container. The cipher comes from the key; the file begins with its format
// number in plain text, then 128 to 255 random bytes that hide the start of the keystream, then
// the key's check value, which tells a wrong password from a right one without deciphering
// anything else. A wrong password costs about two seconds.
class TCryptoContainer : public TBasicContainer
{
public:
    static constexpr std::int64_t Format = 4;
    // Part of the file format: the cipher's key is the key's bytes followed by the pad's remaining
    // letters.
    static constexpr std::string_view KeyPad = "VkQmZrTwHxJ";

    explicit TCryptoContainer(const TContainerKey& key);

    // The key's bytes followed by the pad's characters after their length; 11 bytes or more stay
    // as they are.
    static std::string PaddedKey(std::string_view keyBytes);

protected:
    std::unique_ptr<TBasicFileStream> MakeStream(const std::string& fileName, TFileMode mode) override;

    void WriteHeader() override;
    // Raises EPasswordError ("Incorrect password!") after the wrong-password pause.
    void ReadHeader() override;
    virtual void WriteRandomPrefix();
    // Finds where the random bytes end by looking for the check value behind them, and leaves
    // the stream and the cipher just after the prefix.
    virtual void SkipRandomPrefix();
    virtual void WriteFormat();
    virtual void ReadFormat();

    // Plain (unenciphered) access for header fields.
    void SetCipherActive(bool active);

    // The cipher the stream runs through; the stream follows this variable, so replacing the
    // object here redirects it.
    std::unique_ptr<TBrassCrypto> FCipher;

private:
    TCryptoFileStream* FCryptoStream = nullptr;
};
