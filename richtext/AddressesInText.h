#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The web and mail addresses written as plain text in a memo ("https://...", "www....",
// "someone@example.org"), so that the window can offer them as links. A received memo was written
// by a stranger: an address found here is one OpenableLink opens (the same schemes as a memo's
// links; "javascript:", "file:" and the like stay text), its target is what OpenableLink answers.
//
// An address is a run of printable ASCII without blanks and without < > " (which end it, as they
// do in mail and on web pages); any other byte (UTF-8 text included) ends it as well. Opening
// brackets and quotes in front of it are not part of it, and neither is punctuation at its end
// (. , ; : ! ? ' " *) nor a closing bracket without its opening one inside the address (so that
// "(see www.example.org)" gives "www.example.org" and ".../Foo_(bar)" stays whole). A run longer
// than MaxAddressLength stays text.
struct TTextAddress
{
    std::size_t FStart = 0;  // byte offset in the text
    std::size_t FLength = 0; // bytes
    std::string FTarget;     // the address a click opens

    bool operator==(const TTextAddress&) const = default;
};

inline constexpr std::size_t MaxAddressLength = 2048;

// The addresses of the text in their order; the text is read as UTF-8.
std::vector<TTextAddress> AddressesInText(std::string_view text);
