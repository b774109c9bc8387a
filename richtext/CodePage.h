#pragma once

#include <optional>
#include <string>
#include <string_view>

// The character conversions RTF needs: Windows-1252 bytes and UTF-8.
namespace CodePage {

// The character a Windows-1252 byte stands for (its five unassigned bytes stand for the C1
// control characters of the same number).
char32_t FromWindows1252(unsigned char byte);

// The Windows-1252 byte of a character from U+007F (DEL, not printable) on, if it has one.
std::optional<unsigned char> ToWindows1252(char32_t c);

// Appends a code point as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// Reads the character at pos and moves pos past it; a byte that starts no well-formed sequence
// reads as U+FFFD and is passed over alone.
char32_t NextCharacter(std::string_view utf8, std::size_t& pos);

} // namespace CodePage
