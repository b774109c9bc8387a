#include "SealedString.h"

#include "Base64.h"
#include "BrassCrypto.h"
#include "CryptoError.h"
#include "SecureZero.h"

#include <cstdint>

namespace {

constexpr std::uint16_t SealPasses = 3333;
constexpr std::size_t CheckSize = 8;

void AppendLittleEndian(std::string& buffer, std::int64_t value)
{
    auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t n = 0; n < CheckSize; ++n) {
        buffer += static_cast<char>(bits & 0xFF);
        bits >>= 8;
    }
}

std::int64_t ReadLittleEndian(std::string_view bytes)
{
    std::uint64_t bits = 0;
    for (std::size_t n = CheckSize; n-- > 0;) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[n]);
    }
    return static_cast<std::int64_t>(bits);
}

} // namespace

std::string SealString(std::string_view plain, std::string_view key, bool withCheck)
{
    if (plain.empty()) {
        return {};
    }
    std::string buffer(plain);
    TBrassCrypto cipher(key, SealPasses);
    cipher.Crypt(buffer.data(), buffer.size());
    if (withCheck) {
        AppendLittleEndian(buffer, cipher.ComputeCheck());
    }
    std::string sealed = Base64Encode(buffer);
    SecureZero(buffer.data(), buffer.size());
    return sealed;
}

std::string UnsealString(std::string_view sealed, std::string_view key, bool withCheck)
{
    if (sealed.empty()) {
        return {};
    }
    std::string buffer = Base64Decode(sealed);
    std::int64_t storedCheck = 0;
    if (withCheck) {
        if (buffer.size() < CheckSize) {
            throw ECryptoError();
        }
        storedCheck = ReadLittleEndian(std::string_view(buffer).substr(buffer.size() - CheckSize));
        buffer.resize(buffer.size() - CheckSize);
    }
    TBrassCrypto cipher(key, SealPasses);
    cipher.Crypt(buffer.data(), buffer.size());
    if (withCheck && cipher.ComputeCheck() != storedCheck) {
        SecureZero(buffer.data(), buffer.size());
        throw ECryptoError();
    }
    return buffer;
}
