#include "language/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(MessageTable, EveryMessageIsTranslatedExceptTheEnglishOnlyOnes)
{
    for (const TMessage* message : MessageTable()) {
        SCOPED_TRACE(message->Text[LangEnglish]);
        ASSERT_NE(message->Text[LangEnglish], nullptr);
        EXPECT_STRNE(message->Text[LangEnglish], "");
        for (TLanguage lang = LangGerman; lang < LanguageCount; ++lang) {
            if (IsEnglishOnly(message))
                EXPECT_EQ(message->Text[lang], nullptr) << LanguageNames[lang];
            else if (message->Text[lang] == nullptr)
                ADD_FAILURE() << LanguageNames[lang] << " slot missing";
            else
                EXPECT_STRNE(message->Text[lang], "") << LanguageNames[lang];
        }
    }
}

TEST(MessageTable, TranslationsKeepPlaceholdersAndLineBreaks)
{
    for (const TMessage* message : MessageTable()) {
        const std::string english = message->Text[LangEnglish];
        SCOPED_TRACE(english);
        for (TLanguage lang = LangGerman; lang < LanguageCount; ++lang) {
            const char* text = message->Text[lang];
            if (text == nullptr)
                continue;
            EXPECT_EQ(Placeholders(text), Placeholders(english.c_str())) << LanguageNames[lang];
            const std::string translated = text;
            EXPECT_EQ(LineBreaks(translated), LineBreaks(english)) << LanguageNames[lang];
            EXPECT_EQ(std::count(translated.begin(), translated.end(), '\r'), LineBreaks(translated))
                << LanguageNames[lang] << ": CR outside a CR LF pair";
            EXPECT_EQ(std::count(translated.begin(), translated.end(), '\n'), LineBreaks(translated))
                << LanguageNames[lang] << ": LF outside a CR LF pair";
        }
        if (const char* esperanto = message->Text[LangEsperanto]) {
            EXPECT_TRUE(std::all_of(esperanto, esperanto + std::strlen(esperanto),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
                << "Esperanto is written in ASCII: " << esperanto;
        }
    }
}

TEST(MessageTable, FixedTranslationsAreKeptToTheLetter)
{
    struct Row
    {
        const TMessage& message;
        TLanguage lang;
        const char* expected;
    };
    const Row rows[] = {
        {msg::Error, LangGerman, "Fehler"},
        {msg::Error, LangFrench, "Erreur"},
        {msg::Error, LangEsperanto, "Eraro"},
        {msg::ContainerNotSaved, LangGerman, "Container '%s' wurde nicht gesichert. Möchten Sie diesen jetzt sichern?"},
        {msg::ContainerNotSaved, LangFrench, "Container '%s' non sauvegardé. Voulez-vous le sauvegarder maintenant?"},
        {msg::ContainerNotSaved, LangEsperanto, "Kontenero '%s' ne sekurigita. Chu vi volas sekurigi tiun nun?"},
        {msg::FilesWiped, LangGerman, "%d Dateie(n) erfolgreich sicherheitsgelöscht"},
        {msg::Noname, LangGerman, "Unbennant"},
        {msg::Noname, LangFrench, "Sans nom"},
        {msg::Noname, LangEsperanto, "Sennoma"},
        {msg::Language, LangGerman, "Sprache"},
        {msg::Language, LangFrench, "Langue"},
        {msg::Language, LangEsperanto, "Lingvo"},
        {msg::ClickFlagToChangeLanguage, LangEsperanto, "Alklaku la flagon por shanghi la lingvon"},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.message.Text[row.lang], row.expected)
            << row.message.Text[LangEnglish] << " in " << LanguageNames[row.lang];
}

TEST(MessageTable, StyleButtonLettersDifferByLanguage)
{
    const TMessage* const letters[] = {&msg::BoldLetter, &msg::ItalicLetter, &msg::UnderlineLetter,
                                       &msg::StrikeoutLetter};
    const char* const expected[LanguageCount] = {"BIUS", "FKUD", "GISB", "GKST"};
    for (TLanguage lang = LangEnglish; lang < LanguageCount; ++lang) {
        std::string row;
        for (const TMessage* letter : letters)
            row += letter->Text[lang];
        EXPECT_EQ(row, expected[lang]) << LanguageNames[lang];
    }
}

TEST(MessageTable, LanguageNames)
{
    const TMessage* const names[LanguageCount] = {&msg::English, &msg::German, &msg::French, &msg::Esperanto};
    const char* const ownNames[LanguageCount] = {"English", "Deutsch", "Français", "Esperanto"};
    for (TLanguage lang = LangEnglish; lang < LanguageCount; ++lang) {
        EXPECT_STREQ(msg::OwnLanguageName.Text[lang], ownNames[lang]);
        // A language named in itself gives the same word as the self-name row.
        EXPECT_STREQ(names[lang]->Text[lang], ownNames[lang]);
        EXPECT_STREQ(names[lang]->Text[LangEnglish], LanguageNames[lang]);
    }
    // The language menus take the self-name row: the second "English", right after "Language".
    EXPECT_EQ(TablePosition(msg::OwnLanguageName), TablePosition(msg::Language) + 1);
    EXPECT_LT(TablePosition(msg::English), TablePosition(msg::Error));
}
