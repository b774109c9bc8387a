#include "text/LocaleName.h"
#include "text/ShownText.h"
#include "text/StoredText.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

TEST(TextTest, WindowsCharactersTakeOneByteOtherTextStaysUtf8AndEveryByteComesBack)
{
    // Code points from the Windows-1252 table published by the Unicode Consortium (CP1252.TXT).
    for (const auto& [text, stored] : std::vector<std::pair<std::string, std::string>>{
             {"", ""},
             {"plain ASCII 0-9 ~", "plain ASCII 0-9 ~"},
             {"Caf\xC3\xA9", "Caf\xE9"},
             {"\xE2\x82\xAC", "\x80"},
             {"\xC3\x84pfel \xE2\x82\xAC-caf\xC3\xA9", "\xC4pfel \x80-caf\xE9"},     // Äpfel €-café
             {"Schl\xC3\xBCssel \xE2\x9C\x93 7", "Schl\xC3\xBCssel \xE2\x9C\x93 7"}, // ✓ is not in the code page
             {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},                                       // no-break space, ÿ
             {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D"},   // unassigned: kept
             {"\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\xB3\x64\xC5\xBA"}, // Łódź: Ł is not in the code page
             {"a\xF0\x9F\x94\x92", "a\xF0\x9F\x94\x92"},                       // beyond the BMP
             {"\xC2\x80\xC2\x9F", "\xC2\x80\xC2\x9F"}}) { // C1 controls the code page gives other characters to
        EXPECT_EQ(ToStoredText(text), stored) << text;
        EXPECT_EQ(FromStoredText(stored), text) << text;
    }

    for (const auto& [stored, text] : std::vector<std::pair<std::string, std::string>>{
             {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                 // overlong "/"
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

    for (int n = 0; n < 256; ++n) {
        const std::string byte(1, static_cast<char>(n));
        EXPECT_EQ(ToStoredText(FromStoredText(byte)), byte) << n;
    }
}

// Characters read one by one: a stray byte is one U+FFFD, and every character is written back.
TEST(TextTest, CharactersReadWithReplacementsAndWriteBackBeyondThePlane)
{
    const std::string text = "a\xC3\xE2\x82\xAC\xF0\x9F\x94\x92\xC0\xAF";
    std::string written;
    for (std::size_t pos = 0; pos < text.size();) {
        AppendUtf8(written, NextCharacter(text, pos));
    }
    EXPECT_EQ(written, "a\xEF\xBF\xBD\xE2\x82\xAC\xF0\x9F\x94\x92\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextTest, LanguageCodeOfALocaleName)
{
    for (const auto& [name, code] : std::vector<std::pair<std::string, std::string>>{{"de_DE.UTF-8", "de"},
                                                                                     {"fr-CA", "fr"},
                                                                                     {"eo.UTF-8", "eo"},
                                                                                     {"DE", "de"},
                                                                                     {"sr@latin", "sr"},
                                                                                     {"C", "c"},
                                                                                     {"", ""}}) {
        EXPECT_EQ(LanguageCodeOfLocale(name), code) << name;
    }
}

// What a terminal or a list would act on or show reversed becomes "?"; other text stays whole.
TEST(TextTest, TextsAreShownWithoutControlsOverridesOrStrayBytes)
{
    for (const auto& [text, keepingBreaks, inOneLine] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"Łódź ✓ a\xF0\x9F\x94\x92", "Łódź ✓ a\xF0\x9F\x94\x92", "Łódź ✓ a\xF0\x9F\x94\x92"},
             {"a\x1B[2Jb\x7F\x07", "a?[2Jb??", "a?[2Jb??"},                        // C0 and DEL
             {"\xC2\x9B" "31m\xC2\x80\xC2\x9F\xC2\xA0", "?31m??\xC2\xA0", "?31m??\xC2\xA0"}, // C1, not NBSP
             {"invoice\xE2\x80\xAE" "fdp.exe", "invoice?fdp.exe", "invoice?fdp.exe"},          // right-to-left override
             {"\xE2\x80\xAA\xE2\x81\xA6\xE2\x81\xA9\xE2\x80\x8F", "???\xE2\x80\x8F", "???\xE2\x80\x8F"}, // marks stay
             {"\xFF\xC3x\xE2\x82", "??x??", "??x??"},                                  // not UTF-8
             {"one\r\ntwo\tthree\rfour\n", "one\ntwo\tthree?four\n", "one??two?three?four?"}}) {
        EXPECT_EQ(ShownSafely(text, true), keepingBreaks) << text;
        EXPECT_EQ(ShownSafely(text, false), inOneLine) << text;
    }
}
