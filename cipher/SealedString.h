#pragma once

#include <string>
#include <string_view>

// A short text (such as a stored mail password) enciphered with a key and carried as Base64.
// With check, eight bytes of the cipher's check value after enciphering follow the text, so that
// unsealing with another key is detected. An empty text seals to an empty text and back.
std::string SealString(std::string_view plain, std::string_view key, bool withCheck);

// Raises ECryptoError when withCheck and the check does not match.
std::string UnsealString(std::string_view sealed, std::string_view key, bool withCheck);
