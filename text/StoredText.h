#pragma once

#include <string>
#include <string_view>

// Containers store 8-bit text (names, a plain memo, the extra record), and a password becomes key
// bytes the same way. The program's text is UTF-8. Stored form: Windows-1252 when every character
// can be written so, else UTF-8 as it is.
std::string ToStoredText(std::string_view utf8);

// Bytes that are valid UTF-8 holding at least one multi-byte sequence are UTF-8; anything else is
// Windows-1252, where every byte has a character, so every byte string read as Windows-1252 comes
// back unchanged through ToStoredText.
std::string FromStoredText(std::string_view bytes);

// The text as it reads back once stored and read as often as it takes to stop changing. Windows-
// 1252 bytes that also form UTF-8 read as UTF-8, so a name such as "Ã©" reads back as "é" from a
// catalog written again; an entry header written once and the catalog entry written since name
// the same file when their settled texts are equal.
std::string SettledStoredText(std::string_view text);
