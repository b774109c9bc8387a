#include "language/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

// The catalogue's lines; the file writes a line break as the four characters \r\n, the table holds CR LF.
std::vector<std::string> CatalogueLines()
{
    std::ifstream file(SEALVANE_TEST_DATA_DIR "/message_catalogue.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        for (std::size_t at = line.find("\\r\\n"); at != std::string::npos; at = line.find("\\r\\n", at + 2))
            line.replace(at, 4, "\r\n");
        lines.push_back(line);
    }
    return lines;
}

// The format directives of a text: "%s", "%d", "%0:s", each with the single quotes that enclose
// it ("'%s'"), so a translation that drops the quotes around a name differs. Anything else after a
// '%' is kept as it stands so that a stray or mistyped directive shows up as well.
std::multiset<std::string> Placeholders(const std::string& text)
{
    std::multiset<std::string> found;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        std::size_t end = std::min(text.find_first_not_of("0123456789", at + 1), text.size());
        end = std::min(end + (end < text.size() && text[end] == ':') + 1, text.size());
        const bool quoted = at > 0 && text[at - 1] == '\'' && end < text.size() && text[end] == '\'';
        found.insert(text.substr(at - quoted, end - at + 2 * quoted));
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

const std::set<const TMessage*> EnglishOnly = {&msg::Mapi,    &msg::Smtp,    &msg::Http,      &msg::HyperlinkLetter,
                                               &msg::UrlHome, &msg::UrlHelp, &msg::UrlUpdate, &msg::UrlDecrypt};

} // namespace

TEST(MessageTable, EnglishTextsFollowTheCatalogue)
{
    const auto table = MessageTable();
    const std::vector<std::string> catalogue = CatalogueLines();
    ASSERT_EQ(catalogue.size(), static_cast<std::size_t>(CatalogueMessageCount));

    for (int i = 0; i < CatalogueMessageCount; ++i)
        EXPECT_EQ(table[i]->Text[LangEnglish], catalogue[i]) << "table position " << i;
}

TEST(MessageTable, TranslationsAreCompleteAndKeepPlaceholdersAndLineBreaks)
{
    for (const TMessage* message : MessageTable()) {
        const std::string english = message->Text[LangEnglish];
        SCOPED_TRACE(english);
        for (TLanguage lang = LangGerman; lang < LanguageCount; ++lang) {
            SCOPED_TRACE(lang);
            const char* text = message->Text[lang];
            const bool englishOnly = EnglishOnly.contains(message);
            if (englishOnly || text == nullptr) {
                EXPECT_EQ(text == nullptr, englishOnly) << "a translation missing or one too many";
                continue;
            }
            const std::string translated = text;
            EXPECT_EQ(Placeholders(translated), Placeholders(english));
            EXPECT_EQ(LineBreaks(translated), LineBreaks(english));
            EXPECT_EQ(std::ranges::count(translated, '\r') + std::ranges::count(translated, '\n'),
                      2 * LineBreaks(translated))
                << "CR or LF outside a CR LF pair";
        }
    }
}
