#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads one well-formed UTF-8 sequence at pos (no overlong forms, no surrogates, nothing above
// U+10FFFF) and advances pos past it; nothing, and pos unchanged, when the bytes there are not
// such a sequence.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos);

// Reads the character at pos and moves pos past it; a byte that starts no well-formed sequence
// reads as U+FFFD and is passed over alone.
char32_t NextCharacter(std::string_view utf8, std::size_t& pos);

// Whether the whole text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Appends a code point as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
