#include "container/TextCoding.h"

#include <gtest/gtest.h>

TEST(TextCodingTest, WindowsCharactersTakeOneByteOtherTextStaysUtf8AndEveryByteComesBack)
{
    // Code points from the Windows-1252 table published by the Unicode Consortium (CP1252.TXT).
    for (const auto& [text, stored] : std::vector<std::pair<std::string, std::string>>{
             {"", ""},
             {"plain ASCII 0-9 ~", "plain ASCII 0-9 ~"},
             {"Caf\xC3\xA9", "Caf\xE9"},
             {"\xE2\x82\xAC", "\x80"},
             {"\xC5\xA0\xC5\x93\xC5\xB8", "\x8A\x9C\x9F"},                         // Š œ Ÿ
             {"\xE2\x80\x9E\xE2\x84\xA2", "\x84\x99"},                             // „ ™
             {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},                                     // no-break space, ÿ
             {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D"}, // unassigned: kept
             {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},             // Привет
             {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\xB3\x64\xC5\xBA"}, // Łódź: Ł is not in the code page
             {"a\xF0\x9F\x94\x92", "a\xF0\x9F\x94\x92"},                       // beyond the BMP
             {"\xC2\x80\xC2\x9F", "\xC2\x80\xC2\x9F"}}) { // C1 controls the code page gives other characters to
        EXPECT_EQ(ToStoredText(text), stored) << text;
        EXPECT_EQ(FromStoredText(stored), text) << text;
    }

    for (const auto& [stored, text] : std::vector<std::pair<std::string, std::string>>{
             {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                 // overlong "/"
             {"\xE0\x80\xAF", "\xC3\xA0\xE2\x82\xAC\xC2\xAF"},                 // overlong "/" in three bytes
             {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},                 // a surrogate
             {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}, // above U+10FFFF
             {"\xC3", "\xC3\x83"},                                             // cut short
             {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"}}) {                  // mixed: one stray byte decides
        EXPECT_EQ(FromStoredText(stored), text);
        EXPECT_EQ(ToStoredText(stored), stored) << "bytes that are not UTF-8 are written as they are";
    }
    // A sequence is cut short by the end of the text even where more bytes follow in memory.
    const std::string_view cut = std::string_view("ab\xE2\x82\xAC").substr(0, 4);
    EXPECT_EQ(FromStoredText(cut), "ab\xC3\xA2\xE2\x80\x9A");
    EXPECT_EQ(ToStoredText(cut), cut);

    std::string all;
    for (int n = 0; n < 256; ++n) {
        const std::string byte(1, static_cast<char>(n));
        EXPECT_EQ(ToStoredText(FromStoredText(byte)), byte) << n;
        all += byte;
    }
    EXPECT_EQ(ToStoredText(FromStoredText(all)), all);
}
