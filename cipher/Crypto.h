#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The RC4 stream cipher: a 256-entry permutation, two indices and the keystream XOR. Enciphering
// and deciphering are the same operation; every processed byte advances the keystream by one.
class TCrypto
{
public:
    // Plain RC4 set-up: identity permutation, both indices zero, one key-schedule pass.
    explicit TCrypto(std::string_view key);
    TCrypto(const TCrypto&) = delete;
    TCrypto& operator=(const TCrypto&) = delete;
    virtual ~TCrypto();

    // Enciphers or deciphers count bytes in place.
    virtual void Crypt(void* buffer, std::size_t count);
    // Reads count bytes from source and writes the result to destination; source stays as it is.
    // Source and destination may be the same buffer.
    virtual void CryptTo(const void* source, void* destination, std::size_t count);

    // The permutation entry S[index], as the byte the cipher defines.
    std::uint8_t StateByte(int index) const { return static_cast<std::uint8_t>(FState[index]); }

protected:
    // Leaves the permutation untouched; for derived classes that run their own set-up.
    TCrypto() = default;

    void ResetState();
    // One RC4 key-schedule pass over the current permutation, the key repeated cyclically (only
    // its first 256 bytes ever take part; an empty key contributes zero bytes). The pass keeps a
    // local j and does not touch FI or FJ.
    void KeyPass(std::string_view key);
    // The same pass run passes times in a row; faster than calling KeyPass in a loop.
    void KeyPasses(std::string_view key, std::uint32_t passes);

    // The permutation, one 32-bit cell per entry: byte cells cost partial-register stalls and
    // store-to-load forwarding in the keystream loop. Every cell holds a value 0 to 255.
    std::uint32_t FState[256];
    std::uint32_t FI = 0;
    std::uint32_t FJ = 0;
    std::int64_t FCheck = 0;
};
