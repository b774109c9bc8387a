#include "container/Wipe.h"
#include "ContainerFixture.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>

namespace {

using WipeTest = ContainerFixture;

// Runs a function after every pass of the wipes in its scope.
class TPassHookScope
{
public:
    explicit TPassHookScope(TWipePassHook hook) : FPrevious(SetWipePassHook(std::move(hook))) {}
    ~TPassHookScope() { SetWipePassHook(FPrevious); }

private:
    TWipePassHook FPrevious;
};

} // namespace

TEST_F(WipeTest, OneCycleLeavesRandomBytesInWholeBlocks)
{
    const std::string original = PatternBytes(100);
    const std::string file = MakeFile("secret.txt", original);
    WipeFile(file, 1, false);
    const std::string after = ReadWholeFile(file);
    ASSERT_EQ(after.size(), 8192u) << "grown to a whole block";
    EXPECT_EQ(after.find(original), std::string::npos);
    const std::set<char> distinct(after.begin(), after.end());
    EXPECT_GT(distinct.size(), 200u) << "the last pass writes random bytes, not a constant";
}

TEST_F(WipeTest, SizesStayWholeBlocksAndEmptyStaysEmpty)
{
    const std::string empty = MakeFile("empty", "");
    const std::string exact = MakeFile("exact", PatternBytes(16384));
    WipeFile(empty, 2, false);
    WipeFile(exact, 1, false);
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);
    EXPECT_EQ(std::filesystem::file_size(exact), 16384u);
    EXPECT_NE(ReadWholeFile(exact), PatternBytes(16384));
}

TEST_F(WipeTest, DeletesAfterwardsAndZeroCyclesOnlyDeletes)
{
    const std::string wiped = MakeFile("wiped", "plain text");
    std::int64_t lastDone = 0;
    std::int64_t lastTotal = 0;
    WipeFile(wiped, 2, true, [&](std::int64_t done, std::int64_t total) {
        EXPECT_GT(done, lastDone);
        lastDone = done;
        lastTotal = total;
    });
    EXPECT_FALSE(std::filesystem::exists(wiped));
    EXPECT_EQ(lastDone, 2 * 3 * 8192);
    EXPECT_EQ(lastTotal, lastDone);

    const std::string untouched = MakeFile("untouched", "plain text");
    WipeFile(untouched, 0, true);
    EXPECT_FALSE(std::filesystem::exists(untouched));
}

TEST_F(WipeTest, ReadOnlyOrMissingFilesFailAndStay)
{
    const std::string file = MakeFile("readonly", "keep me");
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(ContainerErrorOf([&] { WipeFile(file, 1, true); }),
              "File '" + file + "' is read only! Cannot open for overwrite.");
    EXPECT_EQ(ReadWholeFile(file), "keep me");
    EXPECT_EQ(ContainerErrorOf([&] { WipePass(FDir.File("missing")); }),
              "Container '" + FDir.File("missing") + "' not found!");
}

TEST_F(WipeTest, FileHeldOpenByAStreamIsNotWipedOrDeleted)
{
    const std::string file = MakeFile("held", "in use");
    TBasicFileStream holder(file, TFileMode::OpenRead);
    EXPECT_THROW(WipeFile(file, 1, true), EStreamError);
    EXPECT_EQ(ReadWholeFile(file), "in use");
}

TEST_F(WipeTest, PassesWriteAaThen55ThenRandomInEveryCycle)
{
    const std::string file = MakeFile("secret", PatternBytes(20000));
    std::vector<std::string> afterPass;
    std::set<std::string> randomPasses;
    TPassHookScope scope([&](const std::string& name, int pass) {
        EXPECT_EQ(pass, static_cast<int>(afterPass.size()));
        const std::string bytes = ReadWholeFile(name);
        const std::set<char> distinct(bytes.begin(), bytes.end());
        if (bytes.size() != 24576) {
            afterPass.push_back(std::to_string(bytes.size()) + " bytes");
        } else if (distinct == std::set<char>{'\xAA'} || distinct == std::set<char>{'\x55'}) {
            afterPass.push_back(*distinct.begin() == '\xAA' ? "AA" : "55");
        } else {
            afterPass.push_back(distinct.size() > 200 ? "random" : "other");
            randomPasses.insert(bytes);
        }
    });
    WipeFile(file, 2, false);
    EXPECT_EQ(afterPass, (std::vector<std::string>{"AA", "55", "random", "AA", "55", "random"}));
    EXPECT_EQ(randomPasses.size(), 2u) << "fresh random bytes in every cycle";
}

TEST_F(WipeTest, AFailedDeleteIsReportedAndTheWipedFileStays)
{
    // After the last pass the file's folder is moved away and a plain file takes its name, so
    // that deleting by the old name really fails (ENOTDIR), whoever runs the test.
    const std::string file = MakeFile("folder/secret", "plain text");
    TPassHookScope scope([&](const std::string&, int pass) {
        if (pass == 2) {
            std::filesystem::rename(FDir.File("folder"), FDir.File("moved"));
            WriteWholeFile(FDir.File("folder"), "");
        }
    });
    try {
        WipeFile(file, 1, true);
        ADD_FAILURE() << "a failed delete was reported as success";
    } catch (const EStreamError& error) {
        EXPECT_EQ(std::string(error.what()).find("Cannot delete file '" + file + "': "), 0u) << error.what();
    }
    EXPECT_EQ(std::filesystem::file_size(FDir.File("moved/secret")), 8192u) << "wiped, not deleted";
}
