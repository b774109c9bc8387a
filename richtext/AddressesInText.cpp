#include "AddressesInText.h"

#include "OpenableLink.h"
#include "PlainMailAddress.h"
#include "text/AsciiCase.h"

#include <algorithm>
#include <optional>

namespace {

bool IsRunCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F && c != '<' && c != '>' && c != '"';
}

bool IsTrailingPunctuation(char c)
{
    return std::string_view(".,;:!?'\"*").find(c) != std::string_view::npos;
}

// The run without what surrounds an address in prose: opening brackets and quotes in front, and
// at the end punctuation and closing brackets whose opening one is not in the address.
std::string_view WithoutSurroundings(std::string_view run)
{
    const std::size_t first = run.find_first_not_of("([{'");
    run = first == std::string_view::npos ? std::string_view() : run.substr(first);
    constexpr std::string_view Opening = "([{";
    constexpr std::string_view Closing = ")]}";
    std::ptrdiff_t unclosed[3] = {};
    for (const char c : run) {
        if (const std::size_t kind = Opening.find(c); kind != std::string_view::npos) {
            ++unclosed[kind];
        } else if (const std::size_t closing = Closing.find(c); closing != std::string_view::npos) {
            --unclosed[closing];
        }
    }
    while (!run.empty()) {
        const char last = run.back();
        const std::size_t closing = Closing.find(last);
        if (closing != std::string_view::npos && unclosed[closing] < 0) {
            ++unclosed[closing];
        } else if (!IsTrailingPunctuation(last)) {
            break;
        }
        run.remove_suffix(1);
    }
    return run;
}

// What a click on the candidate opens; nothing when it is no address or one that stays text.
std::optional<std::string> TargetOf(std::string_view candidate)
{
    if (StartsWithNoCase(candidate, "http://") || StartsWithNoCase(candidate, "https://") ||
        StartsWithNoCase(candidate, "ftp://") || StartsWithNoCase(candidate, "mailto:")) {
        return OpenableLink(candidate);
    }
    if (StartsWithNoCase(candidate, "www.")) {
        // Something must follow that names a site: "www." alone is a word.
        const bool named = candidate.size() > 4 && candidate.substr(4).find_first_not_of(".-") == 0;
        return named ? OpenableLink(candidate) : std::nullopt;
    }
    if (IsPlainMailAddress(candidate)) {
        return OpenableLink("mailto:" + std::string(candidate));
    }
    return std::nullopt;
}

} // namespace

std::vector<TTextAddress> AddressesInText(std::string_view text)
{
    std::vector<TTextAddress> addresses;
    std::size_t position = 0;
    while (position < text.size()) {
        if (!IsRunCharacter(text[position])) {
            ++position;
            continue;
        }
        const auto end = std::find_if_not(text.begin() + static_cast<std::ptrdiff_t>(position), text.end(),
                                          IsRunCharacter);
        const std::size_t runEnd = static_cast<std::size_t>(end - text.begin());
        const std::string_view run = text.substr(position, runEnd - position);
        if (run.size() <= MaxAddressLength) {
            const std::string_view candidate = WithoutSurroundings(run);
            if (std::optional<std::string> target = TargetOf(candidate)) {
                const auto start = static_cast<std::size_t>(candidate.data() - text.data());
                addresses.push_back({start, candidate.size(), std::move(*target)});
            }
        }
        position = runEnd;
    }
    return addresses;
}
