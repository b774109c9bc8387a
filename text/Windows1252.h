#pragma once

#include <optional>

// Windows-1252, the 8-bit code page of stored names and of RTF. Its five unassigned bytes stand for
// the C1 control characters of the same value, so that every byte has a character and back.
char32_t FromWindows1252(unsigned char byte);

// The Windows-1252 byte of a character, if it has one.
std::optional<unsigned char> ToWindows1252(char32_t c);
