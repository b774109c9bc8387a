#pragma once

#include <string>
#include <string_view>

// The text as a locale's collation compares it without regard to letter case: decoded from
// UTF-8 (a byte that belongs to no UTF-8 sequence stands for itself) and folded to lower case.
std::wstring CaseFoldedKey(std::string_view utf8);
