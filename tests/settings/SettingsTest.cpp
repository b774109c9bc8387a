#include "settings/Settings.h"
#include "app/Sandbox.h"
#include "app/ScriptedQuestions.h"
#include "settings/StartupLink.h"
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

using Kind = ScriptedQuestions::Kind;

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

    Sandbox FSandbox;
    ScriptedQuestions FUser;
};

// Every field as name and text, in table order, so that a difference names the field.
std::vector<std::pair<std::string, std::string>> Fields(const TSettings& s)
{
    const auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
    const auto number = [](std::int32_t value) { return std::to_string(value); };
    const TFontData& f = s.DefaultFont;
    return {
        {"DefaultFont", f.FName + "/" + number(f.FHeight) + "/" + number(f.FWidth) + "/" + number(f.FWeight) + "/" +
                            number(f.FCharset) + "/" + number(f.FColor) + "/" + flag(f.FItalic) + flag(f.FUnderline) +
                            flag(f.FStrikeOut)},
        {"ProgPath", s.ProgPath},
        {"MapiProfileName", s.MapiProfileName},
        {"MapiLogonPWD", s.MapiLogonPWD},
        {"MapiMailTypeTrailer", s.MapiMailTypeTrailer},
        {"TempPath", s.TempPath},
        {"DefaultCurrentDirectory", s.DefaultCurrentDirectory},
        {"DefaultContainerNameBegin", s.DefaultContainerNameBegin},
        {"DefaultContainerNameEnd", s.DefaultContainerNameEnd},
        {"InstalledVersion", s.InstalledVersion},
        {"OwnMailAddresses", s.OwnMailAddresses},
        {"LastUsedMailAddress", s.LastUsedMailAddress},
        {"ActiveLanguage", number(s.ActiveLanguage)},
        {"SaveLastPWDTime", number(s.SaveLastPWDTime)},
        {"WipeCyclesUser", number(s.WipeCyclesUser)},
        {"WipeCyclesTemp", number(s.WipeCyclesTemp)},
        {"ExploreAfterExtract", flag(s.ExploreAfterExtract)},
        {"ExtractAllInSubdir", flag(s.ExtractAllInSubdir)},
        {"DisplayTypoFields", flag(s.DisplayTypoFields)},
        {"fStart_AutoUpdate", flag(s.fStart_AutoUpdate)},
        {"fStart_TrayMode", flag(s.fStart_TrayMode)},
        {"fStart_Left", number(s.fStart_Left)},
        {"fStart_Top", number(s.fStart_Top)},
        {"fStart_StayOnTop", flag(s.fStart_StayOnTop)},
        {"fStart_UserPositioning", flag(s.fStart_UserPositioning)},
        {"fStart_CheckForOutlookContainer", flag(s.fStart_CheckForOutlookContainer)},
        {"fContainer_WindowState", number(s.fContainer_WindowState)},
        {"fContainer_AttachmentViewCol1", number(s.fContainer_AttachmentViewCol1)},
        {"fContainer_AttachmentViewCol2", number(s.fContainer_AttachmentViewCol2)},
        {"fContainer_AttachmentViewCol3", number(s.fContainer_AttachmentViewCol3)},
        {"fContainer_DefaultAttachmentView", number(s.fContainer_DefaultAttachmentView)},
        {"fContainer_Width", number(s.fContainer_Width)},
        {"fContainer_Height", number(s.fContainer_Height)},
        {"fContainer_StayOntTop", flag(s.fContainer_StayOntTop)},
        {"fContainer_CloseAfterMail", flag(s.fContainer_CloseAfterMail)},
        {"fContainer_CloseAfterAnswer", flag(s.fContainer_CloseAfterAnswer)},
        {"fContainer_UserDimensions", flag(s.fContainer_UserDimensions)},
        {"fContainer_DecryptInstructionText", s.fContainer_DecryptInstructionText},
        {"fContainer_DecryptInstructionSubject", s.fContainer_DecryptInstructionSubject},
        {"Autostart", flag(s.Autostart)},
    };
}

// The defaults of the settings table; the test program runs in a French locale.
std::vector<std::pair<std::string, std::string>> Defaults(const std::string& progPath, const std::string& tempPath)
{
    return {
        {"DefaultFont", "Arial/-15/0/400/0/0/000"},
        {"ProgPath", progPath},
        {"MapiProfileName", ""},
        {"MapiLogonPWD", ""},
        {"MapiMailTypeTrailer", "SMTP:"},
        {"TempPath", tempPath},
        {"DefaultCurrentDirectory", ""},
        {"DefaultContainerNameBegin", ""},
        {"DefaultContainerNameEnd", ""},
        {"InstalledVersion", ""},
        {"OwnMailAddresses", ""},
        {"LastUsedMailAddress", ""},
        {"ActiveLanguage", "2"},
        {"SaveLastPWDTime", "15"},
        {"WipeCyclesUser", "1"},
        {"WipeCyclesTemp", "1"},
        {"ExploreAfterExtract", "1"},
        {"ExtractAllInSubdir", "1"},
        {"DisplayTypoFields", "1"},
        {"fStart_AutoUpdate", "1"},
        {"fStart_TrayMode", "0"},
        {"fStart_Left", "-1"},
        {"fStart_Top", "-1"},
        {"fStart_StayOnTop", "1"},
        {"fStart_UserPositioning", "0"},
        {"fStart_CheckForOutlookContainer", "1"},
        {"fContainer_WindowState", "0"},
        {"fContainer_AttachmentViewCol1", "60"},
        {"fContainer_AttachmentViewCol2", "15"},
        {"fContainer_AttachmentViewCol3", "25"},
        {"fContainer_DefaultAttachmentView", "0"},
        {"fContainer_Width", "-1"},
        {"fContainer_Height", "-1"},
        {"fContainer_StayOntTop", "0"},
        {"fContainer_CloseAfterMail", "1"},
        {"fContainer_CloseAfterAnswer", "1"},
        {"fContainer_UserDimensions", "0"},
        {"fContainer_DecryptInstructionText",
         "To decrypt the Sealvane message please click on the following link:\r\n\r\nhttps://www.sealvane.org/open/"},
        {"fContainer_DecryptInstructionSubject", "Secure message created with Sealvane"},
        {"Autostart", "0"},
    };
}

// A value of every field that differs from its default.
void ChangeEveryField(TSettings& s)
{
    s.DefaultFont = {"DejaVu Sans Mono", -21, 7, 700, 2, 0x00FF8040, true, true, true};
    s.ProgPath = "/elsewhere/sealvane";
    s.MapiProfileName = "Büro, zweites Profil";
    s.MapiLogonPWD = "pässwörd \"quoted\"; # not a comment";
    s.MapiMailTypeTrailer = "X400:";
    s.TempPath = "/elsewhere/SV_Work";
    s.DefaultCurrentDirectory = "/home/user/Documents =x";
    s.DefaultContainerNameBegin = "@Mail";
    s.DefaultContainerNameEnd = "end\\part";
    s.InstalledVersion = "1.0";
    s.OwnMailAddresses = "me@example.org\x7Fyou@example.org\x7F";
    s.LastUsedMailAddress = "me@example.org";
    s.ActiveLanguage = 3;
    s.SaveLastPWDTime = 0;
    s.WipeCyclesUser = 0;
    s.WipeCyclesTemp = 7;
    s.ExploreAfterExtract = false;
    s.ExtractAllInSubdir = false;
    s.DisplayTypoFields = false;
    s.fStart_AutoUpdate = false;
    s.fStart_TrayMode = true;
    s.fStart_Left = -300;
    s.fStart_Top = 2147483647;
    s.fStart_StayOnTop = false;
    s.fStart_UserPositioning = true;
    s.fStart_CheckForOutlookContainer = false;
    s.fContainer_WindowState = 2;
    s.fContainer_AttachmentViewCol1 = 50;
    s.fContainer_AttachmentViewCol2 = 20;
    s.fContainer_AttachmentViewCol3 = 30;
    s.fContainer_DefaultAttachmentView = 1;
    s.fContainer_Width = 800;
    s.fContainer_Height = -2147483647 - 1;
    s.fContainer_StayOntTop = true;
    s.fContainer_CloseAfterMail = false;
    s.fContainer_CloseAfterAnswer = false;
    s.fContainer_UserDimensions = true;
    s.fContainer_DecryptInstructionText = "Line one\r\n\r\nLine two, with a comma";
    s.fContainer_DecryptInstructionSubject = "Subject ; with = signs";
    s.Autostart = true;
}

void Replace(std::vector<std::pair<std::string, std::string>>& fields, const std::string& name,
             const std::string& value)
{
    for (auto& field : fields) {
        if (field.first == name) {
            field.second = value;
        }
    }
}

} // namespace

TEST_F(SettingsTest, InstalledCopyWithoutSettingsLoadsTheDefaults)
{
    const std::string program = FSandbox.Install();
    TSettings settings(Shown());
    EXPECT_TRUE(settings.Loaded());
    EXPECT_EQ(Fields(settings), Defaults(program, FSandbox.RuntimeFolder() + "/SV_Work"));
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName())) << "loading writes nothing";
}

TEST_F(SettingsTest, CopyThatIsNotInstalledRunsOnDefaultsAndLeavesTheFileAlone)
{
    const std::string stored = "[General]\nWipeCyclesUser=5\n\n[Forms]\nfStart_TrayMode=1\n";
    WriteSettingsFile(stored);
    TSettings settings(Shown());
    EXPECT_FALSE(settings.Loaded());
    EXPECT_FALSE(settings.Load());
    EXPECT_EQ(Fields(settings), Defaults("", FSandbox.RuntimeFolder() + "/SV_Work"));

    ChangeEveryField(settings);
    EXPECT_FALSE(settings.Save(true));
    EXPECT_EQ(ReadWholeFile(SettingsFileName()), stored);

    ASSERT_TRUE(settings.Save(false)) << "saving without the installation check";
    EXPECT_NE(ReadWholeFile(SettingsFileName()).find("\nWipeCyclesTemp=7\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(StartupLinkFile())) << "no autostart entry without an installation";
}

TEST_F(SettingsTest, EveryValueRoundTripsExceptTheExcludedOnes)
{
    const std::string program = FSandbox.Install();
    TSettings saved(Shown());
    ChangeEveryField(saved);
    ASSERT_TRUE(saved.Save(true));

    TSettings loaded(Shown());
    EXPECT_TRUE(loaded.Loaded());
    auto expected = Fields(saved);
    // Never read back: the update option is on at every start, the work folder and the program
    // path come from this machine, and the font keeps its style flags.
    Replace(expected, "fStart_AutoUpdate", "1");
    Replace(expected, "TempPath", FSandbox.RuntimeFolder() + "/SV_Work");
    Replace(expected, "ProgPath", program);
    Replace(expected, "DefaultFont", "DejaVu Sans Mono/-21/7/700/2/16744512/000");
    EXPECT_EQ(Fields(loaded), expected);
}

TEST_F(SettingsTest, StoredFileHasTheNamesTypesAndSectionsOfTheTables)
{
    FSandbox.Install();
    TSettings settings(Shown());
    settings.MapiLogonPWD = "secret";
    settings.fStart_AutoUpdate = false;
    settings.WipeCyclesUser = 0;
    settings.Autostart = false;
    ASSERT_TRUE(settings.Save(true));

    const std::string text = ReadWholeFile(SettingsFileName());
    const std::size_t forms = text.find("[Forms]\n");
    ASSERT_TRUE(text.starts_with("[General]\n")) << text;
    ASSERT_NE(forms, std::string::npos);
    const auto in = [&](const std::string& line, bool formsSection) {
        const std::size_t at = text.find("\n" + line + "\n");
        return at != std::string::npos && (at > forms) == formsSection;
    };
    EXPECT_TRUE(in("WipeCyclesUser=0", false)) << text;
    EXPECT_TRUE(in("ExploreAfterExtract=1", false));
    EXPECT_TRUE(in("MapiMailTypeTrailer=SMTP:", false));
    EXPECT_TRUE(in("DefaultFont=Arial\x7F-15\x7F"
                   "0\x7F"
                   "400\x7F"
                   "0\x7F"
                   "0\x7F"
                   "0\x7F"
                   "0\x7F"
                   "0\x7F",
                   false));
    EXPECT_TRUE(in("TempPath=" + FSandbox.RuntimeFolder() + "/SV_Work", false));
    EXPECT_TRUE(in("fStart_AutoUpdate=0", true));
    EXPECT_TRUE(in("fStart_Left=-1", true));
    EXPECT_TRUE(in("fContainer_AttachmentViewCol1=60", true));
    EXPECT_EQ(text.find("secret"), std::string::npos) << "the mail password is stored sealed";
    EXPECT_NE(text.find("\nMapiLogonPWD="), std::string::npos);

    struct stat info
    {
    };
    ASSERT_EQ(::stat(SettingsFileName().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds the sealed mail password";
}

TEST_F(SettingsTest, DamagedMailPasswordStopsLoadingThere)
{
    const std::string program = FSandbox.Install();
    std::filesystem::create_directories(FSandbox.ConfigHome() + "/autostart");
    WriteWholeFile(StartupLinkFile(), "[Desktop Entry]\n");
    WriteSettingsFile("[General]\nDefaultFont=Courier New\x7F-13\x7F\nMapiProfileName=Office\n"
                      "MapiLogonPWD=QUJDREVGR0hJSktMTU5PUA==\nMapiMailTypeTrailer=X400:\nWipeCyclesUser=3\n"
                      "\n[Forms]\nfStart_TrayMode=1\n");
    FUser.ExpectInfoBox("Error", "Invalid data hash!");
    TSettings settings(Shown());
    EXPECT_FALSE(settings.Loaded());

    auto expected = Defaults(program, FSandbox.RuntimeFolder() + "/SV_Work");
    Replace(expected, "DefaultFont", "Courier New/-13/0/400/0/0/000");
    Replace(expected, "MapiProfileName", "Office");
    Replace(expected, "Autostart", "1"); // the entry is looked at before the values
    EXPECT_EQ(Fields(settings), expected);
}

TEST_F(SettingsTest, ValuesThatAreNoNumbersStopLoadingLikeADamagedValue)
{
    FSandbox.Install();
    for (const std::string& bad : {std::string("WipeCyclesUser=three"), std::string("WipeCyclesUser=99999999999"),
                                   std::string("WipeCyclesUser=1.5"), std::string("WipeCyclesUser=")}) {
        WriteSettingsFile("[General]\nLastUsedMailAddress=me@example.org\nActiveLanguage=1\n" + bad +
                          "\nWipeCyclesTemp=4\n");
        FUser.ExpectInfoBox("Error", "Invalid data type for 'WipeCyclesUser'!");
        TSettings settings(Shown());
        EXPECT_FALSE(settings.Loaded()) << bad;
        EXPECT_EQ(settings.LastUsedMailAddress, "me@example.org");
        EXPECT_EQ(settings.ActiveLanguage, 1);
        EXPECT_EQ(settings.WipeCyclesUser, 1);
        EXPECT_EQ(settings.WipeCyclesTemp, 1) << "values after the error keep their defaults";
    }

    WriteSettingsFile("[Forms]\nfStart_TrayMode=yes\n");
    FUser.ExpectInfoBox("Error", "Invalid data type for 'fStart_TrayMode'!");
    EXPECT_FALSE(TSettings(Shown()).Loaded());

    WriteSettingsFile("[General]\nDefaultFont=Verdana\x7F"
                      "big\x7F\n");
    FUser.ExpectInfoBox("Error", "Invalid data type for 'DefaultFont'!");
    EXPECT_EQ(TSettings(Shown()).DefaultFont, TFontData()) << "a damaged font changes nothing";
}

TEST_F(SettingsTest, NumbersAndFlagsAreReadAsStored)
{
    FSandbox.Install();
    WriteSettingsFile("[General]\nWipeCyclesUser=0\nSaveLastPWDTime= +20 \nExploreAfterExtract=0\n"
                      "DisplayTypoFields=-7\nActiveLanguage=9\n\n[Forms]\nfStart_TrayMode=2\nfStart_AutoUpdate=0\n");
    TSettings settings(Shown());
    EXPECT_TRUE(settings.Loaded());
    EXPECT_EQ(settings.WipeCyclesUser, 0) << "zero cycles: no overwriting";
    EXPECT_EQ(settings.SaveLastPWDTime, 20);
    EXPECT_FALSE(settings.ExploreAfterExtract);
    EXPECT_TRUE(settings.DisplayTypoFields) << "any non-zero number is true";
    EXPECT_TRUE(settings.fStart_TrayMode);
    EXPECT_TRUE(settings.fStart_AutoUpdate) << "never read: on at every start";
    EXPECT_EQ(settings.ActiveLanguage, 9) << "kept as stored; the language holder makes it English";
}

TEST_F(SettingsTest, FontValueChangesOnlyTheFieldsItHolds)
{
    FSandbox.Install();
    WriteSettingsFile("[General]\nDefaultFont=Courier New\x7F\n");
    TFontData faceOnly;
    faceOnly.FName = "Courier New";
    EXPECT_EQ(TSettings(Shown()).DefaultFont, faceOnly);

    WriteSettingsFile("[General]\nDefaultFont=Verdana\x7F-12\x7F"
                      "3\x7F"
                      "700\x7F"
                      "1\x7F"
                      "255\x7F"
                      "1\x7F"
                      "1\x7F"
                      "1\x7Ftrailing text\n");
    const TFontData font = TSettings(Shown()).DefaultFont;
    EXPECT_EQ(font, (TFontData{"Verdana", -12, 3, 700, 1, 255, false, false, false}))
        << "italic, underline and strike-out keep their defaults";

    WriteSettingsFile("[General]\nDefaultFont=no separator at all\n");
    EXPECT_EQ(TSettings(Shown()).DefaultFont, TFontData()) << "text after the last separator is ignored";
}

TEST_F(SettingsTest, AutostartOptionFollowsTheEntry)
{
    FSandbox.Install();
    TSettings settings(Shown());
    EXPECT_FALSE(settings.Autostart);
    settings.Autostart = true;
    ASSERT_TRUE(settings.Save(true));
    EXPECT_TRUE(std::filesystem::exists(StartupLinkFile()));
    EXPECT_TRUE(TSettings(Shown()).Autostart);

    std::filesystem::remove(StartupLinkFile());
    EXPECT_FALSE(TSettings(Shown()).Autostart) << "an entry deleted by hand turns the option off";

    ASSERT_TRUE(settings.Save(true));
    settings.Autostart = false;
    ASSERT_TRUE(settings.Save(true));
    EXPECT_FALSE(std::filesystem::exists(StartupLinkFile()));
}

TEST_F(SettingsTest, SavingThatCannotWriteShowsTheSystemsReason)
{
    FSandbox.Install();
    // Places that cannot be written even by root: a file where the folders go, a folder where the
    // file goes.
    const struct
    {
        std::string Blocker;
        bool BlockerIsFolder;
        std::string Shown;
        int Reason;
    } cases[] = {
        {FSandbox.ConfigHome(), false, SettingsFolder(), ENOTDIR},
        {SettingsFileName(), true, SettingsFileName(), EISDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Blocker);
        std::filesystem::remove_all(FSandbox.ConfigHome());
        if (c.BlockerIsFolder) {
            std::filesystem::create_directories(c.Blocker);
        } else {
            WriteWholeFile(c.Blocker, "in the way");
        }
        TSettings settings(Shown());
        FUser.ExpectInfoBox("Error", c.Shown + ": " + std::error_code(c.Reason, std::generic_category()).message());
        EXPECT_FALSE(settings.Save(true));
        EXPECT_TRUE(FUser.AllAsked());
    }
}

TEST_F(SettingsTest, RemovingTheUserSettingsForgetsEverything)
{
    std::string failure;
    EXPECT_TRUE(TSettings::RemoveUserSettings(failure)) << "nothing to remove";
    FSandbox.Install();
    TSettings settings(Shown());
    settings.WipeCyclesTemp = 4;
    ASSERT_TRUE(settings.Save(true));
    ASSERT_TRUE(std::filesystem::exists(SettingsFileName()));

    EXPECT_TRUE(TSettings::RemoveUserSettings(failure));
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName()));
    EXPECT_FALSE(std::filesystem::exists(SettingsFolder()));
    EXPECT_EQ(TSettings(Shown()).WipeCyclesTemp, 1);
}
