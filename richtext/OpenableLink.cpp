#include "OpenableLink.h"

#include "HexDigit.h"
#include "PlainMailAddress.h"
#include "text/AsciiCase.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>

namespace {

bool IsBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

std::string_view TrimmedBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// %XX sequences decoded; a '%' that starts none stays as it is.
std::string PercentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// Every byte but the unreserved characters percent-encoded; control characters are left out.
std::string PercentEncoded(std::string_view text)
{
    std::string encoded;
    for (const char c : text) {
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            encoded += c;
        } else if (c == ' ' || !IsBlankOrControl(c)) {
            std::array<char, 4> escape{};
            std::snprintf(escape.data(), escape.size(), "%%%02X", static_cast<unsigned char>(c));
            encoded += escape.data();
        }
    }
    return encoded;
}

// "//" and a host after the scheme's colon.
bool HasHost(std::string_view afterScheme)
{
    return afterScheme.size() > 2 && afterScheme.substr(0, 2) == "//" && afterScheme[2] != '/';
}

// The mailto: link rebuilt from its plain address and its subject alone.
std::optional<std::string> MailLink(std::string_view afterScheme)
{
    const std::string_view withoutFragment = afterScheme.substr(0, afterScheme.find('#'));
    const std::size_t question = withoutFragment.find('?');
    const std::string address = PercentDecoded(withoutFragment.substr(0, question));
    if (!IsPlainMailAddress(address)) {
        return std::nullopt;
    }
    std::string link = "mailto:" + address;
    if (question == std::string_view::npos) {
        return link;
    }
    std::string_view query = withoutFragment.substr(question + 1);
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view field = query.substr(0, amp);
        if (StartsWithNoCase(field, "subject=")) {
            const std::string subject = PercentEncoded(PercentDecoded(field.substr(8)));
            return subject.empty() ? link : link + "?subject=" + subject;
        }
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
    return link;
}

} // namespace

std::optional<std::string> OpenableLink(std::string_view target)
{
    const std::string_view trimmed = TrimmedBlanks(target);
    if (trimmed.empty() || std::any_of(trimmed.begin(), trimmed.end(), IsBlankOrControl)) {
        return std::nullopt;
    }
    if (StartsWithNoCase(trimmed, "www.")) {
        return "http://" + std::string(trimmed);
    }
    const std::size_t colon = trimmed.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::string scheme;
    std::transform(trimmed.begin(), trimmed.begin() + static_cast<std::ptrdiff_t>(colon), std::back_inserter(scheme),
                   LowerAscii);
    const std::string_view afterScheme = trimmed.substr(colon + 1);
    if (scheme == "mailto") {
        return MailLink(afterScheme);
    }
    if ((scheme == "http" || scheme == "https" || scheme == "ftp") && HasHost(afterScheme)) {
        return std::string(trimmed);
    }
    return std::nullopt;
}
