#include "app/Startup.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class StartupTest : public ::testing::Test
{
protected:
    Sandbox FSandbox;
    ScriptedQuestions FUser;
};

// Runs body in a child process as a user who may not write into a folder that only its owner
// may write: root may write everywhere, so the child drops to the user "nobody" then. Answers
// the child's exit code (-1 when it did not end by itself).
int ExitCodeAsAnotherUser(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0) ? 100 : body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(StartupTest, FileNamesAreMadeAbsoluteAgainstTheStartFolderAndSwitchesAreKept)
{
    const std::pair<QString, QString> cases[] = {{"mail.xvt", "/home/user/docs/mail.xvt"},
                                                 {"sub/mail.xvt", "/home/user/docs/sub/mail.xvt"}};
    for (const auto& [given, sent] : cases) {
        EXPECT_EQ(Startup::AbsoluteFileParameters({given}, "/home/user/docs"), QStringList{sent})
            << given.toStdString();
    }
    for (const char* kept : {"/elsewhere/mail.xvt", "-U", " -u ", "-UPDATE", "", "  "}) {
        EXPECT_EQ(Startup::AbsoluteFileParameters({kept}, "/home/user/docs"), QStringList{kept}) << kept;
    }
}

TEST_F(StartupTest, ForgettingTheSettingsReportsARemovalThatFails)
{
    FSandbox.Install();
    // A folder in place of the settings file cannot be removed as a file, not even by root.
    fs::create_directories(SettingsFileName() + "/in-the-way");
    FUser.ExpectInfoBox("Error",
                        SettingsFileName() + ": " + std::error_code(EISDIR, std::generic_category()).message());
    EXPECT_FALSE(Startup::ForgetSettings(FUser));
    EXPECT_TRUE(FUser.AllAsked());

    fs::remove_all(SettingsFileName());
    ASSERT_TRUE(TSettings([](const std::string&, const std::string&) {}).Save(true));
    EXPECT_TRUE(Startup::ForgetSettings(FUser));
    EXPECT_FALSE(fs::exists(SettingsFileName()));
}

TEST_F(StartupTest, AnInstalledCopyIsReplacedWholeOrNotAtAll)
{
    const fs::path installed = FSandbox.Install();
    const fs::path folder = installed.parent_path();
    const std::string newer = FSandbox.File("newer-build");
    WriteWholeFile(newer, "the newer build");
    // The sandbox is private; the other user must reach the newer build and the installed folder.
    for (const auto& path : {folder.parent_path().parent_path(), folder.parent_path(), folder, installed}) {
        ::chmod(path.c_str(), 0755);
    }
    TSettings settings([](const std::string&, const std::string&) {});
    ASSERT_EQ(settings.ProgPath, installed.string());
    const auto onlyTheProgram = [&] {
        return fs::directory_iterator(folder)->path() == installed &&
               std::distance(fs::directory_iterator(folder), {}) == 1;
    };

    // A folder the user may not write, like /usr/bin: the update fails before anything is
    // written and says so.
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(ExitCodeAsAnotherUser([&] {
                  FUser.ExpectInfoBox("Information", "Failed to update your local copy of Sealvane!");
                  const bool replaced = Startup::ReplaceInstalledCopy(settings, newer, FUser);
                  return replaced ? 1 : FUser.AllAsked() && !::testing::Test::HasFailure() ? 0 : 2;
              }),
              0)
        << "1: replaced, 2: not the expected message, 100: cannot become another user";
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(installed), "program");
    EXPECT_TRUE(onlyTheProgram()) << "nothing written beside it";
    EXPECT_EQ(settings.InstalledVersion, "");

    // Where the user may write, the newer build takes the installed file's place, executable.
    EXPECT_TRUE(Startup::ReplaceInstalledCopy(settings, newer, FUser));
    EXPECT_EQ(ReadWholeFile(installed), "the newer build");
    EXPECT_EQ(fs::status(installed).permissions(), fs::perms(0755));
    EXPECT_TRUE(onlyTheProgram());
    EXPECT_EQ(settings.InstalledVersion, "1.0");
}

} // namespace
