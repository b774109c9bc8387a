#include "app/Startup.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "app/UserInterface.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace {

class StartupTest : public ::testing::Test
{
protected:
    Sandbox FSandbox;
    ScriptedQuestions FUser;
};

// The boxes shown, as "caption: text".
class ShownMessages : public IMessages
{
public:
    void ShowInfoBox(const std::string& caption, const std::string& text) override
    {
        FShown.push_back(caption + ": " + text);
    }
    std::vector<std::string> FShown;
};

// Runs body in a child process as a user who may not write into a folder that only its owner
// may write: root may write everywhere, so the child drops to the user "nobody" then. Answers
// the child's exit code (-1 when it did not end by itself).
int ExitCodeAsAnotherUser(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<std::string> FolderListing(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

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

TEST_F(StartupTest, AnInstalledCopyIsReplacedWholeOrNotAtAll)
{
    const std::filesystem::path installed = FSandbox.Install();
    const std::filesystem::path folder = installed.parent_path();
    const std::string newer = FSandbox.File("newer-build");
    WriteWholeFile(newer, "the newer build");
    // The sandbox is private; the other user must reach the newer build and the installed folder.
    for (const auto& path : {folder.parent_path().parent_path(), folder.parent_path(), folder}) {
        ::chmod(path.c_str(), 0755);
    }
    ::chmod(installed.c_str(), 0755);
    TSettings settings([](const std::string&, const std::string&) {});
    ASSERT_EQ(settings.ProgPath, installed.string());

    // A folder the user may not write, like /usr/bin: the update fails before anything is
    // written and says so.
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(ExitCodeAsAnotherUser([&] {
                  ShownMessages messages;
                  const bool replaced = Startup::ReplaceInstalledCopy(settings, newer, messages);
                  const std::vector<std::string> expected{"Information: Failed to update your local copy of Sealvane!"};
                  return replaced ? 1 : messages.FShown == expected ? 0 : 2;
              }),
              0)
        << "1: replaced, 2: not the expected message, 100: cannot become another user";
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(installed), "program");
    EXPECT_EQ(FolderListing(folder), std::set<std::string>{"sealvane"}) << "nothing written beside it";
    EXPECT_EQ(settings.InstalledVersion, "");

    // Where the user may write, the newer build takes the installed file's place, executable.
    EXPECT_TRUE(Startup::ReplaceInstalledCopy(settings, newer, FUser));
    EXPECT_EQ(ReadWholeFile(installed), "the newer build");
    EXPECT_EQ(std::filesystem::status(installed).permissions(), std::filesystem::perms(0755));
    EXPECT_EQ(FolderListing(folder), std::set<std::string>{"sealvane"});
    EXPECT_EQ(settings.InstalledVersion, "1.0");
}
