#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "language/WatcherError.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// A window stand-in: relabels itself from the message table on every notification, or fails to.
class TLabelWatcher : public TWatcher
{
public:
    explicit TLabelWatcher(bool fails = false) : FFails(fails) { LanguageHolder().Attach(*this); }
    ~TLabelWatcher() override { LanguageHolder().Detach(*this); }
    void Update(TWatchable&) override
    {
        if (FFails) {
            throw std::runtime_error("relabelling failed");
        }
        ++FUpdates;
        FCaption = MsgText(msg::Error);
    }
    const bool FFails;
    int FUpdates = 0;
    std::string FCaption;
};

class LanguageHolderTest : public ::testing::Test
{
protected:
    void TearDown() override { LanguageHolder().SetLanguage(LangEnglish); }
};

} // namespace

TEST_F(LanguageHolderTest, LookupFollowsTheCurrentLanguageWithEnglishFallback)
{
    const TMessage germanMissing{{"Only English", "", nullptr, "Nur Esperanto"}};
    const char* expectedFallback[] = {"Only English", "Only English", "Only English", "Nur Esperanto"};
    for (TLanguage language = 0; language < LanguageCount; ++language) {
        LanguageHolder().SetLanguage(language);
        EXPECT_EQ(MsgText(germanMissing), expectedFallback[language]);
    }
    LanguageHolder().SetLanguage(7);
    EXPECT_EQ(LanguageHolder().Language(), LangEnglish) << "a language out of range is English";
    EXPECT_EQ(ValidLanguage(-1), LangEnglish);
}

// A locale chooses the language of the column with its code; the first start never Esperanto.
TEST_F(LanguageHolderTest, LanguageOfTheLocale)
{
    for (const auto& [locale, language, firstStart] :
         std::vector<std::tuple<std::string, TLanguage, TLanguage>>{{"de_DE.UTF-8", LangGerman, LangGerman},
                                                                    {"fr_CA.UTF-8@euro", LangFrench, LangFrench},
                                                                    {"DE", LangGerman, LangGerman},
                                                                    {"eo.UTF-8", LangEsperanto, LangEnglish},
                                                                    {"C", LangEnglish, LangEnglish},
                                                                    {"dex_DE", LangEnglish, LangEnglish}}) {
        EXPECT_EQ(std::tuple(LanguageOfLocale(locale), FirstStartLanguage(locale)), std::tuple(language, firstStart))
            << locale;
    }
}

// NextLanguage's cycle is checked on real windows by the dialogs' tests.
TEST_F(LanguageHolderTest, EveryRegistrationIsNotifiedAndDetachRemovesOneWhereverItStood)
{
    for (int closed = 0; closed < 3; ++closed) {
        TLabelWatcher windows[3];
        LanguageHolder().Detach(windows[closed]);
        LanguageHolder().Detach(windows[closed]); // a second detach is ignored
        // From the second round on French is set again: it still relabels.
        LanguageHolder().SetLanguage(LangFrench);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(windows[n].FUpdates, n == closed ? 0 : 1) << "closed " << closed << ", window " << n;
            EXPECT_EQ(windows[n].FCaption, n == closed ? "" : "Erreur");
        }
    }
}

TEST_F(LanguageHolderTest, FailingWatcherStopsTheWalkWithInternalProgramError)
{
    TLabelWatcher before;
    TLabelWatcher failing(true);
    TLabelWatcher after;
    try {
        LanguageHolder().SetLanguage(LangGerman);
        FAIL() << "the failing watcher went unnoticed";
    } catch (const EWatcherError& error) {
        EXPECT_EQ(std::string(error.what()), MsgText(msg::InternalProgramError)) << "raised in the new language";
    }
    EXPECT_EQ(before.FCaption, "Fehler");
    EXPECT_EQ(after.FUpdates, 0) << "the windows after the failing one keep their old texts";
    EXPECT_EQ(LanguageHolder().Language(), LangGerman);
}
