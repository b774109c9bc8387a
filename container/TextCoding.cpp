#include "TextCoding.h"

#include "Utf8.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves unassigned stand for the C1
// control characters of the same value, so that every byte has a character and back.
constexpr std::array<char32_t, 32> HighControlBlock = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharOfByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return HighControlBlock[byte - 0x80];
    }
    return byte; // ASCII and 0xA0 to 0xFF are Latin-1
}

std::optional<unsigned char> ByteOfChar(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    for (std::size_t n = 0; n < HighControlBlock.size(); ++n) {
        if (HighControlBlock[n] == c) {
            return static_cast<unsigned char>(0x80 + n);
        }
    }
    return std::nullopt;
}

} // namespace

std::string ToStoredText(std::string_view utf8)
{
    std::string stored;
    stored.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::optional<char32_t> c = NextUtf8(utf8, pos);
        if (!c) {
            // Not UTF-8: the bytes are 8-bit text already.
            return std::string(utf8);
        }
        const std::optional<unsigned char> byte = ByteOfChar(*c);
        if (!byte) {
            return std::string(utf8);
        }
        stored += static_cast<char>(*byte);
    }
    return stored;
}

std::string FromStoredText(std::string_view bytes)
{
    // UTF-8 without a multi-byte sequence is ASCII, which reads the same either way.
    bool valid = true;
    for (std::size_t pos = 0; pos < bytes.size() && valid;) {
        valid = NextUtf8(bytes, pos).has_value();
    }
    if (valid) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        AppendUtf8(text, CharOfByte(static_cast<unsigned char>(byte)));
    }
    return text;
}

std::string SettledStoredText(std::string_view text)
{
    // A change makes the text shorter (each character read as one byte of UTF-8 instead of two or
    // more), or, once at most, turns bytes that are not UTF-8 into their characters: it ends.
    std::string settled(text);
    for (std::string next = FromStoredText(ToStoredText(settled)); next != settled;
         next = FromStoredText(ToStoredText(settled))) {
        settled = std::move(next);
    }
    return settled;
}
