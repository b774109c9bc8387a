#include "TextCompare.h"

#include "text/Utf8.h"

#include <cwctype>

std::wstring CaseFoldedKey(std::string_view utf8)
{
    static_assert(sizeof(wchar_t) >= 4, "a wide character must hold any code point");
    std::wstring key;
    key.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = static_cast<unsigned char>(utf8[pos]);
        if (const std::optional<char32_t> decoded = NextUtf8(utf8, pos)) {
            c = *decoded;
        } else {
            ++pos;
        }
        key += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return key;
}
