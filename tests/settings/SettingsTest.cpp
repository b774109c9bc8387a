#include "settings/Settings.h"
#include "app/Sandbox.h"
#include "app/ScriptedQuestions.h"
#include "settings/StartupLink.h"
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <tuple>
#include <variant>

namespace {

using TMember = std::variant<std::string TSettings::*, std::int32_t TSettings::*, bool TSettings::*>;
// Every field as name and text, so that a difference names the field.
using TFields = std::map<std::string, std::string>;

// Every field but the font: its default ("" where it comes from this machine; the test program runs
// in a French locale) and a value that differs from it.
const struct TField
{
    const char* FName;
    TMember FMember;
    std::string FDefault;
    std::string FChanged;
} FieldTable[] = {
    {"ProgPath", &TSettings::ProgPath, "", "/elsewhere/sealvane"},
    {"MapiProfileName", &TSettings::MapiProfileName, "", "Büro, zweites Profil"},
    {"MapiLogonPWD", &TSettings::MapiLogonPWD, "", "pässwörd \"quoted\"; # not a comment"},
    {"MapiMailTypeTrailer", &TSettings::MapiMailTypeTrailer, "SMTP:", "X400:"},
    {"TempPath", &TSettings::TempPath, "", "/elsewhere/SV_Work"},
    {"DefaultCurrentDirectory", &TSettings::DefaultCurrentDirectory, "", "/home/user/Documents =x"},
    {"DefaultContainerNameBegin", &TSettings::DefaultContainerNameBegin, "", "@Mail"},
    {"DefaultContainerNameEnd", &TSettings::DefaultContainerNameEnd, "", "end\\part"},
    {"InstalledVersion", &TSettings::InstalledVersion, "", "1.0"},
    {"OwnMailAddresses", &TSettings::OwnMailAddresses, "", "me@example.org\177you@example.org\177"},
    {"LastUsedMailAddress", &TSettings::LastUsedMailAddress, "", "me@example.org"},
    {"ActiveLanguage", &TSettings::ActiveLanguage, "2", "3"},
    {"SaveLastPWDTime", &TSettings::SaveLastPWDTime, "15", "0"},
    {"WipeCyclesUser", &TSettings::WipeCyclesUser, "1", "0"},
    {"WipeCyclesTemp", &TSettings::WipeCyclesTemp, "1", "7"},
    {"ExploreAfterExtract", &TSettings::ExploreAfterExtract, "1", "0"},
    {"ExtractAllInSubdir", &TSettings::ExtractAllInSubdir, "1", "0"},
    {"DisplayTypoFields", &TSettings::DisplayTypoFields, "1", "0"},
    {"SentCopiesFolder", &TSettings::SentCopiesFolder, "", "/home/user/Mail copies, sent"},
    {"SentCopiesDays", &TSettings::SentCopiesDays, "30", "0"},
    {"NewContainerFormat", &TSettings::NewContainerFormat, "4", "5"},
    {"fStart_AutoUpdate", &TSettings::fStart_AutoUpdate, "1", "0"},
    {"fStart_TrayMode", &TSettings::fStart_TrayMode, "0", "1"},
    {"fStart_Left", &TSettings::fStart_Left, "-1", "-300"},
    {"fStart_Top", &TSettings::fStart_Top, "-1", "2147483647"},
    {"fStart_StayOnTop", &TSettings::fStart_StayOnTop, "1", "0"},
    {"fStart_UserPositioning", &TSettings::fStart_UserPositioning, "0", "1"},
    {"fStart_CheckForOutlookContainer", &TSettings::fStart_CheckForOutlookContainer, "1", "0"},
    {"fContainer_WindowState", &TSettings::fContainer_WindowState, "0", "2"},
    {"fContainer_AttachmentViewCol1", &TSettings::fContainer_AttachmentViewCol1, "60", "50"},
    {"fContainer_AttachmentViewCol2", &TSettings::fContainer_AttachmentViewCol2, "15", "20"},
    {"fContainer_AttachmentViewCol3", &TSettings::fContainer_AttachmentViewCol3, "25", "30"},
    {"fContainer_DefaultAttachmentView", &TSettings::fContainer_DefaultAttachmentView, "0", "1"},
    {"fContainer_Width", &TSettings::fContainer_Width, "-1", "800"},
    {"fContainer_Height", &TSettings::fContainer_Height, "-1", "-2147483648"},
    {"fContainer_StayOntTop", &TSettings::fContainer_StayOntTop, "0", "1"},
    {"fContainer_CloseAfterMail", &TSettings::fContainer_CloseAfterMail, "1", "0"},
    {"fContainer_CloseAfterAnswer", &TSettings::fContainer_CloseAfterAnswer, "1", "0"},
    {"fContainer_UserDimensions", &TSettings::fContainer_UserDimensions, "0", "1"},
    {"fContainer_DecryptInstructionText", &TSettings::fContainer_DecryptInstructionText,
     TSettings::DefaultDecryptInstructionText(), "Line one\r\n\r\nLine two, with a comma"},
    {"fContainer_DecryptInstructionSubject", &TSettings::fContainer_DecryptInstructionSubject,
     "Secure message created with Sealvane", "Subject ; with = signs"},
    {"Autostart", &TSettings::Autostart, "0", "1"},
};

std::string FontText(const TFontData& f)
{
    const auto n = [](std::int32_t value) { return std::to_string(value); };
    return f.FName + "/" + n(f.FHeight) + "/" + n(f.FWidth) + "/" + n(f.FWeight) + "/" + n(f.FCharset) + "/" +
           n(f.FColor) + "/" + n(f.FItalic) + n(f.FUnderline) + n(f.FStrikeOut);
}

// Every field as text; with changeFirst each field is set to a value that differs from its default
// before it is read.
TFields Fields(TSettings& s, bool changeFirst = false)
{
    if (changeFirst) {
        s.DefaultFont = {"DejaVu Sans Mono", -21, 7, 700, 2, 0x00FF8040, true, true, true};
    }
    TFields fields{{"DefaultFont", FontText(s.DefaultFont)}};
    for (const TField& field : FieldTable) {
        fields[field.FName] = std::visit(
            [&](auto member) {
                using TValue = std::remove_cvref_t<decltype(s.*member)>;
                if constexpr (std::is_same_v<TValue, std::string>) {
                    s.*member = changeFirst ? field.FChanged : s.*member;
                    return s.*member;
                } else {
                    s.*member = changeFirst ? static_cast<TValue>(std::stoll(field.FChanged)) : s.*member;
                    return std::to_string(s.*member);
                }
            },
            field.FMember);
    }
    return fields;
}

class SettingsTest : public ::testing::Test
{
protected:
    TShowInfoBox Shown()
    {
        return [this](const std::string& caption, const std::string& text) { FUser.ShowInfoBox(caption, text); };
    }

    void WriteSettingsFile(const std::string& text)
    {
        std::filesystem::create_directories(FSandbox.ConfigHome() + "/Sealvane");
        WriteWholeFile(SettingsFileName(), text);
    }

    // The defaults with the program path given, this sandbox's work folder and the changes.
    TFields Expected(const std::string& progPath, const TFields& changes = {})
    {
        TFields fields{{"DefaultFont", "Arial/-15/0/400/0/0/000"}};
        for (const TField& field : FieldTable) {
            fields[field.FName] = field.FDefault;
        }
        fields["ProgPath"] = progPath;
        fields["TempPath"] = FSandbox.RuntimeFolder() + "/SV_Work";
        fields["SentCopiesFolder"] = FSandbox.Home() + "/Sealvane/Sent";
        for (const auto& [name, value] : changes) {
            fields.at(name) = value;
        }
        return fields;
    }

    Sandbox FSandbox;
    ScriptedQuestions FUser;
};

} // namespace

TEST_F(SettingsTest, StoredValuesAreTakenUntilTheFirstThatCannotBe)
{
    const std::string program = FSandbox.Install();
    const auto font = [](const std::string& value) { return "[General]\nDefaultFont=" + value + "\n"; };
    const struct
    {
        const char* FName;
        std::string FFile; // no settings file when empty
        TFields FChanged;  // the fields that differ from their defaults
        std::string FError = "";
        bool FAutostartEntry = false;
    } cases[] = {
        {"no settings file: the defaults", "", {}},
        {"numbers and flags as stored; the update option is never read",
         "[General]\nWipeCyclesUser=0\nSaveLastPWDTime= +20 \nExploreAfterExtract=0\nDisplayTypoFields=-7\n"
         "ActiveLanguage=9\n\n[Forms]\nfStart_TrayMode=2\nfStart_AutoUpdate=0\n",
         {{"WipeCyclesUser", "0"},
          {"SaveLastPWDTime", "20"},
          {"ExploreAfterExtract", "0"},
          {"ActiveLanguage", "9"},
          {"fStart_TrayMode", "1"}}},
        {"a damaged mail password stops there; the autostart entry is looked at first",
         "[General]\nDefaultFont=Courier New\177-13\177\nMapiProfileName=Office\n"
         "MapiLogonPWD=QUJDREVGR0hJSktMTU5PUA==\nMapiMailTypeTrailer=X400:\nWipeCyclesUser=3\n"
         "\n[Forms]\nfStart_TrayMode=1\n",
         {{"DefaultFont", "Courier New/-13/0/400/0/0/000"}, {"MapiProfileName", "Office"}, {"Autostart", "1"}},
         "Invalid data hash!",
         true},
        {"a number past 32 bits stops the reading there",
         "[General]\nLastUsedMailAddress=me@example.org\nActiveLanguage=1\n"
         "WipeCyclesUser=99999999999\nWipeCyclesTemp=4\n",
         {{"LastUsedMailAddress", "me@example.org"}, {"ActiveLanguage", "1"}},
         "Invalid data type for 'WipeCyclesUser'!"},
        {"a flag that is no number", "[Forms]\nfStart_TrayMode=yes\n", {}, "Invalid data type for 'fStart_TrayMode'!"},
        {"a damaged font changes nothing", font("Verdana\177big\177"), {}, "Invalid data type for 'DefaultFont'!"},
        {"a font keeps its style flags; text after the last separator is ignored",
         font("Verdana\177-12\1773\177700\1771\177255\1771\1771\1771\177trailing text"),
         {{"DefaultFont", "Verdana/-12/3/700/1/255/000"}}},
    };
    int caseNumber = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.FName);
        std::filesystem::remove_all(FSandbox.ConfigHome());
        if (!c.FFile.empty()) {
            WriteSettingsFile(c.FFile);
            // Qt keeps a settings file it has read until its size or time changes: two files of
            // one size written within the clock's resolution must still be read afresh.
            std::filesystem::last_write_time(SettingsFileName(), std::filesystem::file_time_type::clock::now() -
                                                                     std::chrono::hours(1) +
                                                                     std::chrono::seconds(++caseNumber));
        }
        if (c.FAutostartEntry) {
            ASSERT_TRUE(CreateStartupLink());
        }
        if (!c.FError.empty()) {
            FUser.ExpectInfoBox("Error", c.FError);
        }
        TSettings settings(Shown());
        EXPECT_EQ(settings.Loaded(), c.FError.empty());
        EXPECT_EQ(Fields(settings), Expected(program, c.FChanged));
        EXPECT_TRUE(FUser.AllAsked());
        EXPECT_EQ(std::filesystem::exists(SettingsFileName()), !c.FFile.empty()) << "loading writes nothing";
    }
}

TEST_F(SettingsTest, CopyThatIsNotInstalledRunsOnDefaultsAndLeavesTheFileAlone)
{
    const std::string stored = "[General]\nWipeCyclesUser=5\n\n[Forms]\nfStart_TrayMode=1\n";
    WriteSettingsFile(stored);
    TSettings settings(Shown());
    EXPECT_FALSE(settings.Loaded());
    EXPECT_EQ(Fields(settings), Expected(""));

    Fields(settings, true);
    EXPECT_FALSE(settings.Save(true));
    EXPECT_EQ(ReadWholeFile(SettingsFileName()), stored);
    EXPECT_FALSE(std::filesystem::exists(StartupLinkFile())) << "no autostart entry without an installation";
}

TEST_F(SettingsTest, EveryValueRoundTripsExceptTheExcludedOnesThroughAPrivateFileOfTwoSections)
{
    const std::string program = FSandbox.Install();
    TSettings saved(Shown());
    Fields(saved, true);
    ASSERT_TRUE(saved.Save(true));

    EXPECT_EQ(ReadWholeFile(SettingsFileName()).find("pässwörd"), std::string::npos)
        << "the mail password is stored sealed";
    EXPECT_EQ(std::filesystem::status(SettingsFileName()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << "the file holds the sealed mail password";

    TSettings loaded(Shown());
    EXPECT_TRUE(loaded.Loaded());
    // Never read back: the update option is on at every start, the work folder and the program
    // path come from this machine, and the font keeps its style flags.
    TFields expected = Fields(saved);
    expected["fStart_AutoUpdate"] = "1";
    expected["TempPath"] = FSandbox.RuntimeFolder() + "/SV_Work";
    expected["ProgPath"] = program;
    expected["DefaultFont"] = "DejaVu Sans Mono/-21/7/700/2/16744512/000";
    EXPECT_EQ(Fields(loaded), expected) << "the autostart option is read from the entry the save made";

    loaded.Autostart = false;
    ASSERT_TRUE(loaded.Save(true));
    EXPECT_FALSE(std::filesystem::exists(StartupLinkFile())) << "switched off, the entry goes";
}

TEST_F(SettingsTest, SavingThatCannotWriteShowsTheSystemsReason)
{
    FSandbox.Install();
    // Places that cannot be written even by root: a file where the folders go, a folder where the
    // file goes; each with the name shown and the reason.
    const std::tuple<std::string, std::string, int> cases[] = {{FSandbox.ConfigHome(), SettingsFolder(), ENOTDIR},
                                                               {SettingsFileName(), SettingsFileName(), EISDIR}};
    for (const auto& [blocker, shown, reason] : cases) {
        SCOPED_TRACE(blocker);
        std::filesystem::remove_all(FSandbox.ConfigHome());
        if (reason == EISDIR) {
            std::filesystem::create_directories(blocker);
        } else {
            WriteWholeFile(blocker, "in the way");
        }
        TSettings settings(Shown());
        FUser.ExpectInfoBox("Error", shown + ": " + std::error_code(reason, std::generic_category()).message());
        EXPECT_FALSE(settings.Save(true));
        EXPECT_TRUE(FUser.AllAsked());
    }
}
