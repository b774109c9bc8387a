#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// Letter case of ASCII only: schemes and field names of link addresses, file name extensions and
// locale names, whatever the locale.
constexpr char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text begins with prefix, which is given in lower case.
constexpr bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) { return p == LowerAscii(t); });
}

// The text with its ASCII capitals in lower case.
inline std::string LowerAsciiText(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}
