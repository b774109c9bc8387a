#include "ShownText.h"

#include "Utf8.h"

bool IsDirectionalControl(char32_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string ShownSafely(std::string_view text, bool keepLineBreaks)
{
    std::string shown;
    shown.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const std::optional<char32_t> c = NextUtf8(text, pos);
        if (!c) {
            ++pos;
            shown += '?';
        } else if (keepLineBreaks && (*c == '\n' || *c == '\t')) {
            shown += static_cast<char>(*c);
        } else if (keepLineBreaks && *c == '\r' && pos < text.size() && text[pos] == '\n') {
            continue;
        } else if (*c < 0x20 || (*c >= 0x7F && *c <= 0x9F) || IsDirectionalControl(*c)) {
            shown += '?';
        } else {
            shown.append(text.substr(start, pos - start));
        }
    }
    return shown;
}
