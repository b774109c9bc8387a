#include "Base64.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::int8_t, 256> MakeDecodeTable()
{
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    for (std::size_t n = 0; n < Alphabet.size(); ++n) {
        table[static_cast<unsigned char>(Alphabet[n])] = static_cast<std::int8_t>(n);
    }
    return table;
}

constexpr std::array<std::int8_t, 256> DecodeTable = MakeDecodeTable();

} // namespace

std::string Base64Encode(std::string_view bytes)
{
    std::string text;
    text.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        bitCount += 8;
        while (bitCount >= 6) {
            bitCount -= 6;
            text += Alphabet[(bits >> bitCount) & 0x3F];
        }
    }
    if (bitCount > 0) {
        text += Alphabet[(bits << (6 - bitCount)) & 0x3F];
    }
    return text;
}

std::string Base64Decode(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const char c : text) {
        const int value = DecodeTable[static_cast<unsigned char>(c)];
        if (value < 0) {
            continue;
        }
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes += static_cast<char>((bits >> bitCount) & 0xFF);
        }
    }
    return bytes;
}
