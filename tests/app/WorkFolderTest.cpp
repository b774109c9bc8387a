#include "app/WorkFolder.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "app/Startup.h"
#include "settings/UserFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class WorkFolderTest : public ::testing::Test
{
protected:
    std::string MakeFile(const std::string& name, const std::string& bytes)
    {
        const std::string file = FSandbox.File(name);
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        WriteWholeFile(file, bytes);
        return file;
    }

    void ExpectRefused(const std::string& folder)
    {
        ScriptedQuestions user;
        user.ExpectInfoBox("Error", "Error on creating temp directory '" + folder + "'!");
        EXPECT_FALSE(PrepareWorkFolderOrReport(folder, 1, user));
    }

    Sandbox FSandbox;
    ScriptedQuestions FUser;
};

mode_t ModeOf(const std::string& path)
{
    struct stat info
    {
    };
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Gives the path to another user; false when this process may not (it is not root).
bool GiveAway(const std::string& path)
{
    const uid_t other = ::getuid() == 65534 ? 65533 : 65534;
    return ::lchown(path.c_str(), other, other) == 0;
}

} // namespace

TEST_F(WorkFolderTest, WorkFolderLiesInTheUsersPrivateRuntimeFolder)
{
    EXPECT_EQ(DefaultWorkFolder(), FSandbox.RuntimeFolder() + "/SV_Work");

    const std::string fallback = FSandbox.TemporaryFolder() + "/sealvane-" + std::to_string(::getuid()) + "/SV_Work";
    FSandbox.SetVariable("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(DefaultWorkFolder(), fallback);
    FSandbox.SetVariable("XDG_RUNTIME_DIR", "relative/runtime");
    EXPECT_EQ(DefaultWorkFolder(), fallback);
    FSandbox.SetVariable("XDG_RUNTIME_DIR", FSandbox.File("no such folder"));
    EXPECT_EQ(DefaultWorkFolder(), fallback);
    ::chmod(FSandbox.RuntimeFolder().c_str(), 0777);
    FSandbox.SetVariable("XDG_RUNTIME_DIR", FSandbox.RuntimeFolder());
    EXPECT_EQ(DefaultWorkFolder(), fallback) << "a runtime folder others may write is not private";
}

TEST_F(WorkFolderTest, FallbackRuntimeFolderIsCheckedBeforeAnythingIsMadeInIt)
{
    FSandbox.SetVariable("XDG_RUNTIME_DIR", std::nullopt);
    const std::string folder = PrivateRuntimeFolder();
    ASSERT_TRUE(Startup::PrepareRuntimeFolderOrReport(FUser)) << "a missing folder is made";
    EXPECT_EQ(ModeOf(folder), 0700u);

    const std::string mine = FSandbox.File("mine");
    std::filesystem::create_directory(mine);
    ::chmod(mine.c_str(), 0700);
    // Each way of making the folder answers whether it could (only root can give a folder away).
    const struct
    {
        const char* Kind;
        bool (*Make)(const std::string& folder, const std::string& mine);
    } cases[] = {
        {"open to the group", [](const std::string& f, const std::string&) { return ::chmod(f.c_str(), 0750) == 0; }},
        {"a symbolic link",
         [](const std::string& f, const std::string& m) {
             std::filesystem::remove(f);
             std::filesystem::create_directory_symlink(m, f);
             return true;
         }},
        {"another user's",
         [](const std::string& f, const std::string&) {
             std::filesystem::remove(f);
             return std::filesystem::create_directory(f) && ::chmod(f.c_str(), 0700) == 0 && GiveAway(f);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        if (!c.Make(folder, mine)) {
            GTEST_SKIP() << c.Kind << ": cannot be made by this user";
        }
        FUser.ExpectInfoBox("Error", "Error on creating temp directory '" + folder + "'!");
        EXPECT_FALSE(Startup::PrepareRuntimeFolderOrReport(FUser));
        EXPECT_TRUE(FUser.AllAsked());
        EXPECT_TRUE(std::filesystem::is_empty(folder) && std::filesystem::is_empty(mine));
    }
}

TEST_F(WorkFolderTest, MissingFolderIsCreatedPrivateWithItsParents)
{
    FSandbox.SetVariable("XDG_RUNTIME_DIR", std::nullopt);
    const std::string folder = DefaultWorkFolder();
    const mode_t previousMask = ::umask(022);
    ScriptedQuestions user;
    const bool prepared = PrepareWorkFolderOrReport(folder, 1, user);
    ::umask(previousMask);
    ASSERT_TRUE(prepared);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(std::filesystem::path(folder).parent_path()), 0700u);

    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(PrepareWorkFolder(folder, 1));
    EXPECT_EQ(ModeOf(folder), 0700u) << "the user's own folder is made private again";
    EXPECT_FALSE(PrepareWorkFolder("  ", 1));
}

TEST_F(WorkFolderTest, SymbolicLinkInPlaceOfTheFolderIsRefusedAndNotFollowed)
{
    const std::string target = MakeFile("documents/letter.txt", "keep me");
    const std::string folder = DefaultWorkFolder();
    std::filesystem::create_directory_symlink(FSandbox.File("documents"), folder);
    ExpectRefused(folder);
    EXPECT_EQ(ReadWholeFile(target), "keep me");
    EXPECT_FALSE(WipeFolder(folder, true, 1));
    EXPECT_EQ(ReadWholeFile(target), "keep me");
}

TEST_F(WorkFolderTest, FolderOwnedByAnotherUserIsRefusedAndNotWiped)
{
    const std::string folder = DefaultWorkFolder();
    const std::string planted = MakeFile("runtime/SV_Work/planted.txt", "theirs");
    if (!GiveAway(folder)) {
        GTEST_SKIP() << "only root can give a folder to another user";
    }
    ExpectRefused(folder);
    EXPECT_EQ(ReadWholeFile(planted), "theirs");

    // A parent folder of another user's could swap the work folder later.
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(GiveAway(FSandbox.RuntimeFolder()));
    ::chmod(FSandbox.RuntimeFolder().c_str(), 0777);
    ExpectRefused(folder);
}

TEST_F(WorkFolderTest, FilesLeftFromACrashAreWipedAtTheNextPreparation)
{
    const std::string folder = DefaultWorkFolder();
    const std::string outside = MakeFile("outside.txt", "not ours to wipe");
    const std::vector<std::string> leftovers = {MakeFile("runtime/SV_Work/attachment.pdf", "secret"),
                                                MakeFile("runtime/SV_Work/.hidden", "secret"),
                                                MakeFile("runtime/SV_Work/Send/container.xvt", "sealed")};
    std::filesystem::create_symlink(outside, folder + "/link-to-outside");
    std::filesystem::create_hard_link(outside, folder + "/hard-link");
    ::chmod((folder + "/Send").c_str(), 0500);

    ASSERT_TRUE(PrepareWorkFolder(folder, 1));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(ReadWholeFile(outside), "not ours to wipe") << "links are removed, never followed";
}

TEST_F(WorkFolderTest, FolderNotEndingInTheWorkFolderNameIsNeverWiped)
{
    const std::string kept = MakeFile("runtime/Documents/kept.txt", "kept");
    EXPECT_TRUE(PrepareWorkFolder(FSandbox.RuntimeFolder() + "/Documents", 1));
    EXPECT_FALSE(WipeFolder(FSandbox.RuntimeFolder() + "/Documents", true, 1));
    EXPECT_EQ(ReadWholeFile(kept), "kept");
}

TEST_F(WorkFolderTest, WipeFolderCanRemoveTheFolderItself)
{
    const std::string folder = DefaultWorkFolder();
    EXPECT_TRUE(WipeFolder(folder, true, 1)) << "a missing folder is no failure";
    MakeFile("runtime/SV_Work/deep/er/file", "x");
    EXPECT_TRUE(WipeFolder(folder, true, 1));
    EXPECT_FALSE(std::filesystem::exists(folder));
}
