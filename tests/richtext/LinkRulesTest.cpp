#include "richtext/AddressesInText.h"
#include "richtext/OpenableLink.h"
#include "richtext/PlainMailAddress.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

constexpr const char* StaysText = nullptr;

// A link target of a received memo and the address a click opens (StaysText: none).
const std::pair<std::string, const char*> LinkCases[] = {
    {"https://example.org/a?b=1&c=2", "https://example.org/a?b=1&c=2"},
    {"HTTP://Example.org", "HTTP://Example.org"},
    {"  http://example.org/ ", "http://example.org/"},
    {"ftp://ftp.example.org/pub", "ftp://ftp.example.org/pub"},
    {"www.example.org/x", "http://www.example.org/x"},
    {"WWW.example.org", "http://WWW.example.org"},
    {"https:///etc/passwd", StaysText},
    {"http:example.org", StaysText},
    {"http://exa mple.org", StaysText},
    {"http://example.org/\tx", StaysText},
    {std::string("http://example.org/\0x", 21), StaysText},
    {"\x01https://example.org", StaysText},
    {"java\nscript:alert(1)", StaysText},
    {"javascript:alert(1)", StaysText},
    {" JavaScript:alert(1)", StaysText},
    {"data:text/html,<script>alert(1)</script>", StaysText},
    {"file:///home/user/x.desktop", StaysText},
    {"FILE:///etc/passwd", StaysText},
    {"smb://server/share/x.exe", StaysText},
    {"sftp://host/x", StaysText},
    {"steam://run/1", StaysText},
    {"/usr/bin/xterm", StaysText},
    {"../x.desktop", StaysText},
    {"x.sh", StaysText},
    {"", StaysText},
    {"mailto:someone@example.org", "mailto:someone@example.org"},
    {"MAILTO:someone@example.org?Subject=Hi%20there", "mailto:someone@example.org?subject=Hi%20there"},
    {"mailto:someone%40example.org?body=x&subject=a%26b%3Fc%0D%0AX&cc=spy@example.org",
     "mailto:someone@example.org?subject=a%26b%3FcX"},
    {"mailto:someone@example.org?attach=/home/u/.ssh/id_rsa&bcc=spy@example.org", "mailto:someone@example.org"},
    {"mailto:someone@example.org?to=spy@example.org#x", "mailto:someone@example.org"},
    {"mailto:?attach=/home/u/.ssh/id_rsa", StaysText},
    {"mailto:a@example.org,spy@example.org", StaysText},
    {"mailto:a@example.org%3Fattach%3D%2Fetc%2Fpasswd", StaysText},
    {"mailto:-a@example.org", StaysText},
};

TEST(LinkRulesTest, OnlyWebFtpAndPlainMailAddressesOpenAndMailKeepsOnlyItsSubject)
{
    for (const auto& [target, opened] : LinkCases) {
        const std::optional<std::string> address = OpenableLink(target);
        EXPECT_EQ(address.value_or("(text)"), opened ? opened : "(text)") << target;
    }
}

TEST(LinkRulesTest, PlainMailAddressesAreLocalAtDomainAndNothingElse)
{
    const std::pair<const char*, bool> cases[] = {
        {"someone@example.org", true},
        {"o'neil+jr.x_y=z~!$*/^`{|}@mail.example-1.co.uk", true},
        {"UPPER@EXAMPLE.ORG", true},
        {"mailto:someone@example.org", false},
        {"someone@example.org?attach=/etc/passwd", false},
        {"someone@example.org&bcc=spy@example.org", false},
        {"a@example.org,b@example.org", false},
        {"a@example.org;b@example.org", false},
        {"Someone <someone@example.org>", false},
        {"some one@example.org", false},
        {" someone@example.org", false},
        {"someone@example.org\n", false},
        {"-someone@example.org", false},
        {"a%40b@example.org", false},
        {"a#b@example.org", false},
        {"\"quoted\"@example.org", false},
        {"a..b@example.org", false},
        {".a@example.org", false},
        {"a.@example.org", false},
        {"someone@localhost", false},
        {"someone@-example.org", false},
        {"someone@example-.org", false},
        {"someone@example..org", false},
        {"someone@[192.0.2.1]", false},
        {"someone@@example.org", false},
        {"a@b@example.org", false},
        {"@example.org", false},
        {"someone@", false},
        {"jürgen@example.org", false},
        {"", false},
    };
    for (const auto& [address, plain] : cases) {
        EXPECT_EQ(IsPlainMailAddress(address), plain) << address;
    }
    EXPECT_TRUE(IsPlainMailAddress(std::string(64, 'a') + "@example.org"));
    EXPECT_FALSE(IsPlainMailAddress(std::string(65, 'a') + "@example.org"));
}

// Addresses written as plain text in a received memo: each found as the text shown and the
// address a click opens.
TEST(LinkRulesTest, AddressesInPlainTextAreFoundWithoutWhatSurroundsThemAndOnlyWhereALinkWouldOpen)
{
    using TFound = std::vector<std::pair<std::string, std::string>>;
    const std::pair<std::string, TFound> cases[] = {
        {"See https://example.org/a?b=1 and www.example.net.",
         {{"https://example.org/a?b=1", "https://example.org/a?b=1"}, {"www.example.net", "http://www.example.net"}}},
        {"Write to someone@example.org, or (HTTP://Example.org/x).",
         {{"someone@example.org", "mailto:someone@example.org"}, {"HTTP://Example.org/x", "HTTP://Example.org/x"}}},
        {"<https://example.org/>\"ftp://ftp.example.org\"'www.example.org'",
         {{"https://example.org/", "https://example.org/"},
          {"ftp://ftp.example.org", "ftp://ftp.example.org"},
          {"www.example.org", "http://www.example.org"}}},
        {"https://en.example.org/wiki/Foo_(bar)); [www.example.org]!?",
         {{"https://en.example.org/wiki/Foo_(bar)", "https://en.example.org/wiki/Foo_(bar)"},
          {"www.example.org", "http://www.example.org"}}},
        {"mailto:a@example.org?attach=/etc/passwd&subject=Hi", {{"mailto:a@example.org?attach=/etc/passwd&subject=Hi",
                                                                 "mailto:a@example.org?subject=Hi"}}},
        {"über https://example.org/ä", {{"https://example.org/", "https://example.org/"}}},
        {"javascript:alert(1)//https://example.org file:///etc/passwd smb://host/x data:text/html,x", {}},
        {"http:// https:/// www. www.. -a@example.org a@localhost e.g. a.b mailto:?attach=x", {}},
        {"xhttps://example.org notmailto:a@example.org", {}},
    };
    for (const auto& [text, expected] : cases) {
        TFound found;
        for (const TTextAddress& address : AddressesInText(text)) {
            found.emplace_back(text.substr(address.FStart, address.FLength), address.FTarget);
        }
        EXPECT_EQ(found, expected) << text;
    }

    // Very long runs stay text and take no longer than reading them.
    const auto started = std::chrono::steady_clock::now();
    const std::string longAddress = "https://example.org/" + std::string(MaxAddressLength, 'a');
    const std::string manyClosings = "www.example.org/" + std::string(1 << 20, ')');
    EXPECT_TRUE(AddressesInText(longAddress).empty());
    EXPECT_TRUE(AddressesInText(manyClosings).empty());
    EXPECT_EQ(AddressesInText(std::string(1 << 20, '.') + " a@example.org").size(), 1u);
    const std::string manyShort = [] {
        std::string text;
        for (int n = 0; n < 20000; ++n) {
            text += "www.example.org/" + std::to_string(n) + ". ";
        }
        return text;
    }();
    EXPECT_EQ(AddressesInText(manyShort).size(), 20000u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
}

} // namespace
