#include "PasswordCheckCode.h"

#include <cstdint>

std::string PasswordCheckCode(std::string_view keyBytes)
{
    if (keyBytes.empty()) {
        return {};
    }
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // The sum wraps at 32 bits on very long texts; the code is its lowest twelve bits either way.
    std::uint32_t sum = 0;
    std::uint32_t position = 0;
    for (const char byte : keyBytes) {
        sum += static_cast<unsigned char>(byte) * ++position;
    }
    return {Digits[(sum >> 6) & 63], Digits[sum & 63]};
}
