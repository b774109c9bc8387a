#include "app/WorkFolder.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "app/ContainerName.h"
#include "app/Startup.h"
#include "app/TemporaryFiles.h"
#include "settings/UserFolders.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path)
{
    struct stat info = {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Gives the path to another user; false when this process may not (it is not root).
bool GiveAway(const std::string& path)
{
    const uid_t other = ::getuid() == 65534 ? 65533 : 65534;
    return ::lchown(path.c_str(), other, other) == 0;
}

// The work folder and its files in a sandbox: the default work folder lies in its runtime folder.
class WorkFolderTest : public ::testing::Test
{
protected:
    std::string MakeFile(const std::string& name, const std::string& bytes)
    {
        const std::string file = FSandbox.File(name);
        fs::create_directories(fs::path(file).parent_path());
        WriteWholeFile(file, bytes);
        return file;
    }

    void ExpectRefused(const std::string& folder)
    {
        FUser.ExpectInfoBox("Error", "Error on creating temp directory '" + folder + "'!");
        EXPECT_FALSE(PrepareWorkFolderOrReport(folder, 1, FUser));
    }

    Sandbox FSandbox;
    ScriptedQuestions FUser;
    TTemporaryFiles FFiles;
    const std::string FFolder = FSandbox.RuntimeFolder() + "/SV_Work";
};

// A fallback folder of another user or a symbolic link in its place is refused by the real
// program in the instance script (run as root); one open to the group is refused here.
TEST_F(WorkFolderTest, WorkFolderLiesInAPrivateRuntimeFolderMadeAndCheckedBeforeAnythingIsMadeInIt)
{
    EXPECT_EQ(DefaultWorkFolder(), FFolder);
    ::chmod(FSandbox.RuntimeFolder().c_str(), 0777); // others may write it: not private
    const std::optional<std::string> runtimes[] = {std::nullopt, "relative/runtime", FSandbox.File("no such folder"),
                                                   FSandbox.RuntimeFolder()};
    for (const auto& runtime : runtimes) {
        FSandbox.SetVariable("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(DefaultWorkFolder(),
                  FSandbox.TemporaryFolder() + "/sealvane-" + std::to_string(::getuid()) + "/SV_Work")
            << runtime.value_or("(unset)");
    }

    FSandbox.SetVariable("XDG_RUNTIME_DIR", std::nullopt);
    const std::string runtime = PrivateRuntimeFolder(), folder = DefaultWorkFolder();
    ASSERT_TRUE(Startup::PrepareRuntimeFolderOrReport(FUser)) << "a missing folder is made";
    EXPECT_EQ(ModeOf(runtime), 0700u);
    ::chmod(runtime.c_str(), 0750);
    FUser.ExpectInfoBox("Error", "Error on creating temp directory '" + runtime + "'!");
    EXPECT_FALSE(Startup::PrepareRuntimeFolderOrReport(FUser));
    EXPECT_TRUE(fs::is_empty(runtime));

    fs::remove(runtime);
    const mode_t previousMask = ::umask(022);
    const bool prepared = PrepareWorkFolderOrReport(folder, 1, FUser);
    ::umask(previousMask);
    ASSERT_TRUE(prepared);
    EXPECT_EQ(std::pair(ModeOf(folder), ModeOf(runtime)), std::pair(0700u, 0700u)) << "made with its parents";
    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(PrepareWorkFolder(folder, 1));
    EXPECT_EQ(ModeOf(folder), 0700u) << "the user's own folder is made private again";
    EXPECT_FALSE(PrepareWorkFolder("  ", 1));
}

TEST_F(WorkFolderTest, FoldersNotPrivateOrNotNamedSoAreNeverWiped)
{
    // A symbolic link in place of the folder is refused and not followed.
    const std::string target = MakeFile("documents/letter.txt", "keep me");
    fs::create_directory_symlink(FSandbox.File("documents"), FFolder);
    ExpectRefused(FFolder);
    EXPECT_FALSE(WipeFolder(FFolder, true, 1));
    EXPECT_EQ(ReadWholeFile(target), "keep me");

    // A folder not ending in the work folder's name is prepared but never wiped.
    const std::string kept = MakeFile("runtime/Documents/kept.txt", "kept");
    EXPECT_TRUE(PrepareWorkFolder(FSandbox.RuntimeFolder() + "/Documents", 1));
    EXPECT_FALSE(WipeFolder(FSandbox.RuntimeFolder() + "/Documents", true, 1));
    EXPECT_EQ(ReadWholeFile(kept), "kept");

    // Another user's folder, or a parent folder of theirs that could swap it later.
    fs::remove(FFolder);
    const std::string planted = MakeFile("runtime/SV_Work/planted.txt", "theirs");
    if (!GiveAway(FFolder)) {
        GTEST_SKIP() << "only root can give a folder to another user";
    }
    ExpectRefused(FFolder);
    EXPECT_EQ(ReadWholeFile(planted), "theirs");
    fs::remove_all(FFolder);
    ASSERT_TRUE(GiveAway(FSandbox.RuntimeFolder()));
    ::chmod(FSandbox.RuntimeFolder().c_str(), 0777);
    ExpectRefused(FFolder);
}

TEST_F(WorkFolderTest, FilesLeftFromACrashAreWipedAtTheNextPreparation)
{
    const std::string outside = MakeFile("outside.txt", "not ours to wipe");
    MakeFile("runtime/SV_Work/attachment.pdf", "secret");
    MakeFile("runtime/SV_Work/.hidden", "secret");
    MakeFile("runtime/SV_Work/Send/container.xvt", "sealed");
    MakeFile("runtime/SV_Work/deep/er/file", "x");
    fs::create_symlink(outside, FFolder + "/link-to-outside");
    fs::create_hard_link(outside, FFolder + "/hard-link");
    ::chmod((FFolder + "/Send").c_str(), 0500);

    ASSERT_TRUE(PrepareWorkFolder(FFolder, 1));
    EXPECT_TRUE(fs::is_directory(FFolder) && fs::is_empty(FFolder));
    EXPECT_EQ(ReadWholeFile(outside), "not ours to wipe") << "links are removed, never followed";

    EXPECT_TRUE(WipeFolder(FFolder, true, 1));
    EXPECT_FALSE(fs::exists(FFolder)) << "the folder itself goes too";
    EXPECT_TRUE(WipeFolder(FFolder, true, 1)) << "a missing folder is no failure";
}

TEST_F(WorkFolderTest, ListedFilesAreWipedOnceAndThoseThatResistStayListedInOrder)
{
    const std::string first = MakeFile("first.txt", "secret"), second = MakeFile("second.txt", "secret");
    const std::string stubbornA = MakeFile("a.txt", "secret"), stubbornC = MakeFile("c.txt", "secret");
    const std::string target = MakeFile("users-file.txt", "precious");
    ::chmod(stubbornA.c_str(), 0444);
    ::chmod(stubbornC.c_str(), 0444);
    fs::create_symlink(target, FSandbox.File("link"));
    for (const std::string& file :
         {first, stubbornA, FSandbox.File("gone.txt"), first, FSandbox.File("link"), stubbornC, second}) {
        FFiles.Add(file);
    }
    FFiles.WipeTemporaryFiles(1);
    EXPECT_EQ(FFiles.Files(), (std::vector<std::string>{stubbornA, stubbornC}));
    EXPECT_FALSE(fs::exists(first) || fs::exists(second) || fs::is_symlink(FSandbox.File("link")));
    EXPECT_EQ(ReadWholeFile(target), "precious") << "a listed link is removed without overwriting its target";
}

TEST_F(WorkFolderTest, ContainerNamesAreStampedPaddedAndTrimmed)
{
    EXPECT_EQ(ContainerNameStamp(QDateTime(QDate(999, 1, 1), QTime(0, 0))), "0999-01-01_00-00-00_000");
    const QDateTime moment(QDate(2007, 3, 9), QTime(7, 5, 3, 42));
    EXPECT_EQ(ContainerFileName(" \tMail  ", "  to Anna \n", moment), "Mail 2007-03-09_07-05-03_042 to Anna.xvt");
}

TEST_F(WorkFolderTest, NewContainerNameLiesInTheWorkFolderAndIsListedForWiping)
{
    const std::string name = MakeContainerName(FSandbox.TemporaryFolder(), "Mail", "", FFiles, FUser);
    EXPECT_EQ(fs::path(name).parent_path(), FSandbox.TemporaryFolder());
    EXPECT_EQ(FFiles.Files(), std::vector<std::string>{name});

    // A name part with a folder is refused; the text names the whole file name, time stamp
    // included: only its start is known here.
    struct : IMessages
    {
        std::string FShown;
        void ShowInfoBox(const std::string& caption, const std::string& text) override
        {
            FShown = caption + ": " + text;
        }
    } shown;
    EXPECT_EQ(MakeContainerName(FSandbox.TemporaryFolder(), "../../escape", "", FFiles, shown), "");
    EXPECT_TRUE(shown.FShown.starts_with("Error: Illegal file name '../../escape ")) << shown.FShown;
    EXPECT_EQ(FFiles.Count(), 1);
}

} // namespace
