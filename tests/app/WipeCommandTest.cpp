#include "FlowFixture.h"
#include "container/Wipe.h"

#include <filesystem>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

class WipeCommandTest : public FlowFixture
{
protected:
    std::vector<std::string> ThreeFiles()
    {
        return {MakeFile("w/a.txt", "aaa"), MakeFile("w/b.txt", "bbb"), MakeFile("w/c.txt", "ccc")};
    }
    static constexpr const char* Confirmation =
        "File ''a.txt', 'b.txt', 'c.txt'' will be wiped and deleted. Are you sure?";
};

TEST_F(WipeCommandTest, NoLeavesTheFilesYesWipesAndCountsThem)
{
    const std::vector<std::string> files = ThreeFiles();
    FUser.ExpectChoice(Kind::OpenFiles, "Wipe files", files).Expect(Kind::YesNo, "Warning", Confirmation, TAnswer::No);
    EXPECT_TRUE(FCommands.Wipe().Run(FUser));
    for (const std::string& file : files) {
        EXPECT_EQ(ReadWholeFile(file).size(), 3u);
    }

    // A hand-edited 0 still overwrites every file once (three passes) before deleting it.
    FSettings.WipeCyclesUser = 0;
    int passes = 0;
    const TWipePassHook previous = SetWipePassHook([&](const std::string&, int) { ++passes; });
    FUser.ExpectChoice(Kind::OpenFiles, "Wipe files", files)
        .Expect(Kind::YesNo, "Warning", Confirmation, TAnswer::Yes)
        .ExpectInfoBox("Information", "3 file(s) successfuly wiped");
    EXPECT_TRUE(FCommands.Wipe().Run(FUser));
    SetWipePassHook(previous);
    EXPECT_EQ(passes, 9);
    for (const std::string& file : files) {
        EXPECT_FALSE(fs::exists(file));
    }
    EXPECT_EQ(FUser.FProgressBegun.size(), 3u);
    EXPECT_EQ(FSettings.DefaultCurrentDirectory, FDir.File("w"));
}

TEST_F(WipeCommandTest, TheFirstFailureStopsBeforeTheRest)
{
    const std::vector<std::string> files = ThreeFiles();
    fs::permissions(files[1], fs::perms::owner_write, fs::perm_options::remove);
    FUser.ExpectChoice(Kind::OpenFiles, "Wipe files", files)
        .Expect(Kind::YesNo, "Warning", Confirmation, TAnswer::Yes)
        .ExpectInfoBox("Error", "File '" + files[1] + "' is read only! Cannot open for overwrite.");
    EXPECT_FALSE(FCommands.Wipe().Run(FUser));
    EXPECT_FALSE(fs::exists(files[0]));
    EXPECT_EQ(ReadWholeFile(files[1]), "bbb");
    EXPECT_EQ(ReadWholeFile(files[2]), "ccc");
}

} // namespace
