#include "PlainMailAddress.h"

#include <algorithm>

namespace {

constexpr std::size_t MaxLocalLength = 64;
constexpr std::size_t MaxDomainLength = 253;
constexpr std::size_t MaxLabelLength = 63;

bool IsAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsLocalCharacter(char c)
{
    return IsAsciiAlnum(c) || std::string_view("!$'*+-/=^_`{|}~").find(c) != std::string_view::npos;
}

// Parts separated by dots, each non-empty and passing the test.
template <typename TPartTest> bool DotSeparated(std::string_view text, TPartTest partTest)
{
    for (std::size_t start = 0;;) {
        const std::size_t dot = text.find('.', start);
        if (!partTest(text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start))) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        start = dot + 1;
    }
}

bool IsLocalPart(std::string_view local)
{
    return local.size() <= MaxLocalLength && local.front() != '-' && DotSeparated(local, [](std::string_view atom) {
               return !atom.empty() && std::all_of(atom.begin(), atom.end(), IsLocalCharacter);
           });
}

bool IsDomain(std::string_view domain)
{
    return domain.size() <= MaxDomainLength && domain.find('.') != std::string_view::npos &&
           DotSeparated(domain, [](std::string_view label) {
               return !label.empty() && label.size() <= MaxLabelLength && label.front() != '-' && label.back() != '-' &&
                      std::all_of(label.begin(), label.end(), [](char c) { return IsAsciiAlnum(c) || c == '-'; });
           });
}

} // namespace

bool IsPlainMailAddress(std::string_view address)
{
    const std::size_t at = address.find('@');
    if (at == std::string_view::npos || at == 0 || address.find('@', at + 1) != std::string_view::npos) {
        return false;
    }
    return IsLocalPart(address.substr(0, at)) && IsDomain(address.substr(at + 1));
}

std::string_view BareMailAddress(std::string_view text)
{
    const std::size_t open = text.rfind('<');
    if (text.empty() || text.back() != '>' || open == std::string_view::npos) {
        return text;
    }
    return text.substr(open + 1, text.size() - open - 2);
}
