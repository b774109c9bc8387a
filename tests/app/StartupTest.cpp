#include "app/Startup.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    Sandbox FSandbox;
    ScriptedQuestions FUser;
};

} // namespace

TEST_F(StartupTest, FileNamesAreMadeAbsoluteAgainstTheStartFolderAndSwitchesAreKept)
{
    const struct
    {
        QString Given;
        QString Sent;
    } cases[] = {
        {"mail.xvt", "/home/user/docs/mail.xvt"},
        {"sub/mail.xvt", "/home/user/docs/sub/mail.xvt"},
        {"/elsewhere/mail.xvt", "/elsewhere/mail.xvt"},
        {"-U", "-U"},
        {" -u ", " -u "},
        {"-UPDATE", "-UPDATE"},
        {"", ""},
        {"  ", "  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Startup::AbsoluteFileParameters({c.Given}, "/home/user/docs"), QStringList{c.Sent})
            << c.Given.toStdString();
    }
}

TEST_F(StartupTest, HelpAndVersionAnswerOnlyTheirOwnOptions)
{
    const QString usage = Startup::InformationOptionText("--help");
    EXPECT_TRUE(usage.contains("FILE") && usage.contains("-U")) << usage.toStdString();
    const QString version = QStringLiteral(SEALVANE_TEST_PROGRAM_VERSION);
    EXPECT_EQ(Startup::InformationOptionText("--version"),
              QStringLiteral("Sealvane %1 (build %2)\n").arg(version.section('.', 0, 2), version.section('.', 3)));
    for (const char* other : {"", "-U", "mail.xvt", "-help", "--HELP"}) {
        EXPECT_TRUE(Startup::InformationOptionText(other).isEmpty()) << other;
    }
}

TEST_F(StartupTest, ForgettingTheSettingsReportsARemovalThatFails)
{
    FSandbox.Install();
    // A folder in place of the settings file cannot be removed as a file, not even by root.
    std::filesystem::create_directories(SettingsFileName() + "/in-the-way");
    FUser.ExpectInfoBox("Error",
                        SettingsFileName() + ": " + std::error_code(EISDIR, std::generic_category()).message());
    EXPECT_FALSE(Startup::ForgetSettings(FUser));
    EXPECT_TRUE(FUser.AllAsked());

    std::filesystem::remove_all(SettingsFileName());
    ASSERT_TRUE(TSettings([](const std::string&, const std::string&) {}).Save(true));
    EXPECT_TRUE(Startup::ForgetSettings(FUser));
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName()));
}
