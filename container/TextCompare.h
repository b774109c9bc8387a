#pragma once

#include <string>
#include <string_view>

// The text as a locale's collation compares it without regard to letter case: decoded from
// UTF-8 (a byte that belongs to no UTF-8 sequence stands for itself) and folded to lower case.
std::wstring CaseFoldedKey(std::string_view utf8);

// Compares two UTF-8 texts without regard to letter case, by the collation of the C library's
// current locale (the program sets it from the user's locale at start). Result below, at or
// above zero.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);
