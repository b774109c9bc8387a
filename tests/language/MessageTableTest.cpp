#include "language/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

const char* const LanguageNames[LanguageCount] = {"English", "German", "French", "Esperanto"};

// The catalogue file writes a line break as the four characters \r\n; the table holds CR LF.
std::string WithRealLineBreaks(std::string line)
{
    for (std::size_t at = line.find("\\r\\n"); at != std::string::npos; at = line.find("\\r\\n", at + 2))
        line.replace(at, 4, "\r\n");
    return line;
}

std::vector<std::string> CatalogueLines()
{
    std::ifstream file(SEALVANE_TEST_DATA_DIR "/message_catalogue.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(WithRealLineBreaks(line));
    return lines;
}

// The format directives of a text: "%s", "%d", "%0:s", each with the single quotes that enclose
// it ("'%s'"), so a translation that drops the quotes around a name differs. Anything else after a
// '%' is kept as it stands so that a stray or mistyped directive shows up as well.
std::multiset<std::string> Placeholders(const char* text)
{
    std::multiset<std::string> found;
    for (const char* p = text; (p = std::strchr(p, '%')) != nullptr;) {
        const char* end = p + 1;
        while (std::isdigit(static_cast<unsigned char>(*end)))
            ++end;
        if (end != p + 1 && *end == ':')
            ++end;
        if (*end != '\0')
            ++end;
        const bool quoted = p != text && p[-1] == '\'' && *end == '\'';
        found.insert(quoted ? "'" + std::string(p, end) + "'" : std::string(p, end));
        p = end;
    }
    return found;
}

int LineBreaks(const std::string& text)
{
    int count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++count;
    return count;
}

bool IsEnglishOnly(const TMessage* message)
{
    static const std::set<const TMessage*> englishOnly = {
        &msg::Mapi,    &msg::Smtp,    &msg::Http,      &msg::HyperlinkLetter,
        &msg::UrlHome, &msg::UrlHelp, &msg::UrlUpdate, &msg::UrlDecrypt};
    return englishOnly.count(message) != 0;
}

std::ptrdiff_t TablePosition(const TMessage& message)
{
    const auto table = MessageTable();
    return std::find(table.begin(), table.end(), &message) - table.begin();
}

} // namespace

TEST(MessageTable, EnglishTextsFollowTheCatalogueThenTheWebAddresses)
{
    const auto table = MessageTable();
    const std::vector<std::string> catalogue = CatalogueLines();
    ASSERT_EQ(catalogue.size(), static_cast<std::size_t>(CatalogueMessageCount));
    ASSERT_EQ(table.size(), static_cast<std::size_t>(CatalogueMessageCount + WebAddressCount + OwnMessageCount));

    for (int i = 0; i < CatalogueMessageCount; ++i)
        EXPECT_EQ(table[i]->Text[LangEnglish], catalogue[i]) << "table position " << i;

    const TMessage* const addresses[] = {&msg::UrlHome, &msg::UrlHelp, &msg::UrlUpdate, &msg::UrlDecrypt};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(table[CatalogueMessageCount + i], addresses[i]);
        EXPECT_EQ(std::string(addresses[i]->Text[LangEnglish]).rfind("https://", 0), 0u);
    }

    EXPECT_EQ(std::set<const TMessage*>(table.begin(), table.end()).size(), table.size())
        << "a message is listed twice";
}

TEST(MessageTable, TranslationsAreCompleteAndKeepPlaceholdersAndLineBreaks)
{
    for (const TMessage* message : MessageTable()) {
        ASSERT_NE(message->Text[LangEnglish], nullptr);
        const std::string english = message->Text[LangEnglish];
        SCOPED_TRACE(english);
        EXPECT_NE(english, "");
        for (TLanguage lang = LangGerman; lang < LanguageCount; ++lang) {
            SCOPED_TRACE(LanguageNames[lang]);
            const char* text = message->Text[lang];
            if (IsEnglishOnly(message) || text == nullptr) {
                EXPECT_EQ(text == nullptr, IsEnglishOnly(message)) << "a translation missing or one too many";
                continue;
            }
            const std::string translated = text;
            EXPECT_NE(translated, "");
            EXPECT_EQ(Placeholders(text), Placeholders(english.c_str()));
            EXPECT_EQ(LineBreaks(translated), LineBreaks(english));
            EXPECT_EQ(std::count(translated.begin(), translated.end(), '\r'), LineBreaks(translated))
                << "CR outside a CR LF pair";
            EXPECT_EQ(std::count(translated.begin(), translated.end(), '\n'), LineBreaks(translated))
                << "LF outside a CR LF pair";
            if (lang == LangEsperanto) {
                EXPECT_TRUE(std::ranges::all_of(translated, [](char c) {
                    return static_cast<unsigned char>(c) < 0x80;
                })) << "Esperanto is written in ASCII";
            }
        }
    }
}

TEST(MessageTable, FixedTranslationsAreKeptToTheLetter)
{
    // English, German, French and Esperanto; nullptr where a text is not pinned.
    const std::pair<const TMessage*, std::array<const char*, LanguageCount>> rows[] = {
        {&msg::ContainerNotSaved,
         {nullptr, "Container '%s' wurde nicht gesichert. Möchten Sie diesen jetzt sichern?",
          "Container '%s' non sauvegardé. Voulez-vous le sauvegarder maintenant?",
          "Kontenero '%s' ne sekurigita. Chu vi volas sekurigi tiun nun?"}},
        {&msg::FilesWiped, {nullptr, "%d Dateie(n) erfolgreich sicherheitsgelöscht", nullptr, nullptr}},
        {&msg::Noname, {nullptr, "Unbennant", "Sans nom", "Sennoma"}},
        {&msg::Language, {nullptr, "Sprache", "Langue", "Lingvo"}},
        {&msg::ClickFlagToChangeLanguage, {nullptr, nullptr, nullptr, "Alklaku la flagon por shanghi la lingvon"}},
        // The letters on the style buttons.
        {&msg::BoldLetter, {"B", "F", "G", "G"}},
        {&msg::ItalicLetter, {"I", "K", "I", "K"}},
        {&msg::UnderlineLetter, {"U", "U", "S", "S"}},
        {&msg::StrikeoutLetter, {"S", "D", "B", "T"}},
        {&msg::OwnLanguageName, {"English", "Deutsch", "Français", "Esperanto"}},
    };
    for (const auto& [message, texts] : rows) {
        for (TLanguage lang = LangEnglish; lang < LanguageCount; ++lang) {
            if (texts[lang] != nullptr) {
                EXPECT_STREQ(message->Text[lang], texts[lang]) << texts[0] << " in " << LanguageNames[lang];
            }
        }
    }
}

TEST(MessageTable, LanguageNames)
{
    const TMessage* const names[LanguageCount] = {&msg::English, &msg::German, &msg::French, &msg::Esperanto};
    for (TLanguage lang = LangEnglish; lang < LanguageCount; ++lang) {
        // A language named in itself gives the same word as the self-name row.
        EXPECT_STREQ(names[lang]->Text[lang], msg::OwnLanguageName.Text[lang]);
        EXPECT_STREQ(names[lang]->Text[LangEnglish], LanguageNames[lang]);
    }
    // The language menus take the self-name row: the second "English", right after "Language".
    EXPECT_EQ(TablePosition(msg::OwnLanguageName), TablePosition(msg::Language) + 1);
    EXPECT_LT(TablePosition(msg::English), TablePosition(msg::Error));
}
