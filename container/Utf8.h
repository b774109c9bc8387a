#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads one well-formed UTF-8 sequence at pos (no overlong forms, no surrogates, nothing above
// U+10FFFF) and advances pos past it; nothing, and pos unchanged, when the bytes there are not
// such a sequence.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos);

// Appends a code point of the Basic Multilingual Plane as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
