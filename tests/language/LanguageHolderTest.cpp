#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "language/WatcherError.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A window stand-in: relabels itself from the message table on every notification.
class TLabelWatcher : public TWatcher
{
public:
    void Update(TWatchable&) override
    {
        ++FUpdates;
        FCaption = MsgText(msg::Error);
    }
    int FUpdates = 0;
    std::string FCaption;
};

class TFailingWatcher : public TWatcher
{
public:
    void Update(TWatchable&) override { throw std::runtime_error("relabelling failed"); }
};

class LanguageHolderTest : public ::testing::Test
{
protected:
    void SetUp() override { LanguageHolder().SetLanguage(LangEnglish); }
    void TearDown() override
    {
        DetachAll();
        LanguageHolder().SetLanguage(LangEnglish);
    }
    void Attach(TWatcher& watcher)
    {
        LanguageHolder().Attach(watcher);
        FAttached.push_back(&watcher);
    }
    void DetachAll()
    {
        for (TWatcher* watcher : FAttached) {
            LanguageHolder().Detach(*watcher);
        }
        FAttached.clear();
    }
    std::vector<TWatcher*> FAttached;
};

} // namespace

TEST_F(LanguageHolderTest, LookupFollowsTheCurrentLanguageWithEnglishFallback)
{
    const TMessage germanMissing{{"Only English", "", nullptr, "Nur Esperanto"}};
    const char* expectedError[] = {"Error", "Fehler", "Erreur", "Eraro"};
    const char* expectedFallback[] = {"Only English", "Only English", "Only English", "Nur Esperanto"};
    for (TLanguage language = 0; language < LanguageCount; ++language) {
        LanguageHolder().SetLanguage(language);
        EXPECT_EQ(MsgText(msg::Error), expectedError[language]);
        EXPECT_EQ(MsgText(germanMissing), expectedFallback[language]);
        EXPECT_EQ(MsgText(msg::Mapi), "MAPI");
    }
    LanguageHolder().SetLanguage(7);
    EXPECT_EQ(LanguageHolder().Language(), LangEnglish) << "a language out of range is English";
    EXPECT_EQ(MsgText(msg::Error), "Error");
    EXPECT_EQ(ValidLanguage(-1), LangEnglish);
    EXPECT_EQ(ValidLanguage(4), LangEnglish);
    EXPECT_EQ(ValidLanguage(3), LangEsperanto);
}

TEST_F(LanguageHolderTest, FirstStartLanguageComesFromTheLocale)
{
    // Esperanto is never chosen automatically.
    const std::vector<std::string> locales[LanguageCount] = {
        {"en_GB.UTF-8", "eo", "C", "", "dex_DE"}, {"de_DE.UTF-8", "de_CH"}, {"fr_CA.UTF-8@euro", "fr"}, {}};
    for (TLanguage language = 0; language < LanguageCount; ++language) {
        for (const std::string& locale : locales[language]) {
            EXPECT_EQ(FirstStartLanguage(locale), language) << locale;
        }
    }
}

TEST_F(LanguageHolderTest, NextLanguageCyclesAndRelabelsEveryWindowEachTime)
{
    TLabelWatcher first;
    TLabelWatcher second;
    Attach(first);
    Attach(second);
    for (const char* caption : {"Fehler", "Erreur", "Eraro", "Error"}) {
        LanguageHolder().NextLanguage();
        EXPECT_EQ(first.FCaption, caption);
        EXPECT_EQ(second.FCaption, caption);
    }
    EXPECT_EQ(LanguageHolder().Language(), LangEnglish);
    EXPECT_EQ(first.FUpdates, 4);
    EXPECT_EQ(second.FUpdates, 4);

    LanguageHolder().SetLanguage(LangEnglish);
    EXPECT_EQ(first.FUpdates, 5) << "setting the current language again still relabels";
}

TEST_F(LanguageHolderTest, DetachRemovesOneRegistrationWhereverItStood)
{
    for (int closed = 0; closed < 3; ++closed) {
        TLabelWatcher windows[3];
        for (auto& window : windows) {
            Attach(window);
        }
        LanguageHolder().Detach(windows[closed]);
        LanguageHolder().Detach(windows[closed]); // a second detach is ignored
        LanguageHolder().SetLanguage(LangFrench);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(windows[n].FUpdates, n == closed ? 0 : 1) << "closed " << closed << ", window " << n;
        }
        DetachAll();
    }

    TLabelWatcher twice;
    Attach(twice);
    Attach(twice);
    LanguageHolder().NextLanguage();
    EXPECT_EQ(twice.FUpdates, 2) << "a watcher attached twice is called twice";
    LanguageHolder().Detach(twice);
    LanguageHolder().NextLanguage();
    EXPECT_EQ(twice.FUpdates, 3) << "one detach removes one registration";
}

TEST_F(LanguageHolderTest, FailingWatcherStopsTheWalkWithInternalProgramError)
{
    TLabelWatcher before;
    TFailingWatcher failing;
    TLabelWatcher after;
    Attach(before);
    Attach(failing);
    Attach(after);
    try {
        LanguageHolder().SetLanguage(LangGerman);
        FAIL() << "the failing watcher went unnoticed";
    } catch (const EWatcherError& error) {
        EXPECT_EQ(std::string(error.what()), MsgText(msg::InternalProgramError));
        EXPECT_NE(std::string(error.what()), "Internal program error!") << "raised in the new language";
    }
    EXPECT_EQ(before.FCaption, "Fehler");
    EXPECT_EQ(after.FUpdates, 0) << "the windows after the failing one keep their old texts";
    EXPECT_EQ(LanguageHolder().Language(), LangGerman);
}
