#pragma once

#include <cstddef>
#include <string>

// Rich-text memos of about 1 MB as a stranger can put them into a container.
namespace HostileMemos {

// A link target of 60 KB whose field result holds bold, plain and italic runs, the italic ones in
// groups, until the memo has the given size.
inline std::string LinkMemo(std::size_t bytes)
{
    std::string rtf = "{\\rtf1\\ansi{\\field{\\*\\fldinst HYPERLINK \"https://example.org/" +
                      std::string(60 * 1024, 'a') + "\"}{\\fldrslt ";
    while (rtf.size() < bytes) {
        rtf += "\\b x\\b0 y{\\i z}";
    }
    return rtf + "}}}";
}

// A font table of 30,000 fonts, then one run in each of them (about 1 MB).
inline std::string FontMemo()
{
    constexpr int fonts = 30000;
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl";
    for (int n = 0; n < fonts; ++n) {
        rtf += "{\\f" + std::to_string(n) + " Font " + std::to_string(n) + ";}";
    }
    rtf += '}';
    for (int n = 0; n < fonts; ++n) {
        rtf += "{\\f" + std::to_string(n) + " x}";
    }
    return rtf + '}';
}

} // namespace HostileMemos
