#include "app/TemporaryFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

class TemporaryFilesTest : public ::testing::Test
{
protected:
    std::string MakeFile(const std::string& name, const std::string& bytes)
    {
        WriteWholeFile(FDir.File(name), bytes);
        return FDir.File(name);
    }

    TempDir FDir;
    TTemporaryFiles FFiles;
};

} // namespace

TEST_F(TemporaryFilesTest, FileListedTwiceIsWipedOnceAndMissingOnesAreDropped)
{
    const std::string first = MakeFile("first.txt", "secret");
    const std::string second = MakeFile("second.txt", "secret");
    for (const std::string& file : {first, FDir.File("gone.txt"), first, second}) {
        FFiles.Add(file);
    }
    FFiles.WipeTemporaryFiles(1);
    EXPECT_EQ(FFiles.Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(TemporaryFilesTest, FilesThatResistStayListedInOrder)
{
    const std::string stubbornA = MakeFile("a.txt", "secret");
    const std::string wiped = MakeFile("b.txt", "secret");
    const std::string stubbornC = MakeFile("c.txt", "secret");
    ::chmod(stubbornA.c_str(), 0444);
    ::chmod(stubbornC.c_str(), 0444);
    for (const std::string& file : {stubbornA, wiped, stubbornC}) {
        FFiles.Add(file);
    }
    FFiles.WipeTemporaryFiles(1);
    EXPECT_EQ(FFiles.Files(), (std::vector<std::string>{stubbornA, stubbornC}));
    EXPECT_FALSE(std::filesystem::exists(wiped));
    EXPECT_TRUE(FFiles.Contains(stubbornA));
    EXPECT_FALSE(FFiles.Contains(wiped));
}

TEST_F(TemporaryFilesTest, ListedLinkIsRemovedWithoutOverwritingItsTarget)
{
    const std::string target = MakeFile("users-file.txt", "precious");
    std::filesystem::create_symlink(target, FDir.File("link"));
    FFiles.Add(FDir.File("link"));
    FFiles.WipeTemporaryFiles(1);
    EXPECT_EQ(FFiles.Count(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(FDir.File("link")));
    EXPECT_EQ(ReadWholeFile(target), "precious");
}
