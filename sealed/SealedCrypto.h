#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The primitives of format 5, each one call into OpenSSL's libcrypto: random bytes, PBKDF2 and
// HKDF over SHA-256, and AES-256-GCM with a 12-byte nonce and a 16-byte tag. A failure of the
// library itself raises std::runtime_error; a tag that does not match is an answer, not an error.
namespace sealed {

inline constexpr std::size_t KeySize = 32;
inline constexpr std::size_t NonceSize = 12;
inline constexpr std::size_t TagSize = 16;

// Bytes from the operating system's generator, as OpenSSL draws them.
std::string RandomBytes(std::size_t count);

std::string Pbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                         std::size_t length);
std::string HkdfSha256(std::string_view key, std::string_view salt, std::string_view info, std::size_t length);

// One AES-256-GCM key, set up once and used for many seals and opens.
class TGcmKey
{
public:
    explicit TGcmKey(std::string_view key);
    TGcmKey(const TGcmKey&) = delete;
    TGcmKey& operator=(const TGcmKey&) = delete;
    ~TGcmKey();

    // Enciphers size bytes of plain into out and writes the tag behind them (out holds size +
    // TagSize bytes); plain and out may be the same memory.
    void Seal(std::string_view nonce, std::string_view additional, const char* plain, std::size_t size,
              char* out) const;
    // Deciphers size bytes of sealed (followed by its tag) into out; false when the tag does not
    // match, and then out holds nothing to be used.
    [[nodiscard]] bool Open(std::string_view nonce, std::string_view additional, const char* sealed,
                            std::size_t size, char* out) const;

private:
    struct TContexts;
    TContexts* FContexts;
};

} // namespace sealed
