#include "StoredText.h"

#include "Utf8.h"
#include "Windows1252.h"

#include <optional>

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
        const std::optional<unsigned char> byte = ToWindows1252(*c);
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
    if (IsUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        AppendUtf8(text, FromWindows1252(static_cast<unsigned char>(byte)));
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
