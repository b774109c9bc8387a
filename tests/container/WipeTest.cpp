#include "container/Wipe.h"
#include "ContainerFixture.h"

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

TEST_F(WipeTest, EveryCycleWritesAaThen55ThenFreshRandomBytesInWholeBlocks)
{
    for (const auto& [size, cycles, wipedSize] :
         std::vector<std::tuple<std::size_t, int, std::size_t>>{{100, 1, 8192}, {16384, 1, 16384}, {20000, 2, 24576}}) {
        SCOPED_TRACE(size);
        const std::string original = PatternBytes(size), file = MakeFile("secret", original);
        std::vector<std::string> passes, expected;
        std::set<std::string> randomPasses;
        const std::size_t blocks = wipedSize;
        TPassHookScope scope([&](const std::string& name, int pass) {
            EXPECT_EQ(pass, static_cast<int>(passes.size()));
            const std::string bytes = ReadWholeFile(name);
            const std::set<char> distinct(bytes.begin(), bytes.end());
            if (bytes.size() != blocks) {
                passes.push_back(std::to_string(bytes.size()) + " bytes");
            } else if (distinct == std::set<char>{'\xAA'} || distinct == std::set<char>{'\x55'}) {
                passes.push_back(*distinct.begin() == '\xAA' ? "AA" : "55");
            } else {
                passes.push_back(distinct.size() > 200 ? "random" : "other");
                randomPasses.insert(bytes);
            }
        });
        WipeFile(file, cycles, false);
        for (int cycle = 0; cycle < cycles; ++cycle) {
            expected.insert(expected.end(), {"AA", "55", "random"});
        }
        EXPECT_EQ(passes, expected);
        EXPECT_EQ(randomPasses.size(), static_cast<std::size_t>(cycles)) << "fresh random bytes in every cycle";
        EXPECT_EQ(ReadWholeFile(file).find(original), std::string::npos);
    }
    WipeFile(MakeFile("empty", ""), 2, false);
    EXPECT_EQ(std::filesystem::file_size(FDir.File("empty")), 0u);
}

TEST_F(WipeTest, DeletesAfterwardsAndZeroCyclesOnlyDeletes)
{
    const std::string wiped = MakeFile("wiped", "plain text");
    std::int64_t lastDone = 0, lastTotal = 0;
    WipeFile(wiped, 2, true, [&](std::int64_t done, std::int64_t total) {
        EXPECT_GT(done, lastDone);
        lastDone = done;
        lastTotal = total;
    });
    EXPECT_FALSE(std::filesystem::exists(wiped));
    EXPECT_EQ(lastDone, 2 * 3 * 8192);
    EXPECT_EQ(lastTotal, lastDone);
    WipeFile(MakeFile("untouched", "plain text"), 0, true);
    EXPECT_FALSE(std::filesystem::exists(FDir.File("untouched")));
}

TEST_F(WipeTest, FilesThatCannotBeWrittenFailAndStay)
{
    const std::string file = MakeFile("readonly", "keep me"), held = MakeFile("held", "in use");
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(ContainerErrorOf([&] { WipeFile(file, 1, true); }),
              "File '" + file + "' is read only! Cannot open for overwrite.");
    EXPECT_EQ(ReadWholeFile(file), "keep me");
    EXPECT_EQ(ContainerErrorOf([&] { WipePass(FDir.File("missing")); }),
              "Container '" + FDir.File("missing") + "' not found!");
    TBasicFileStream holder(held, TFileMode::OpenRead);
    EXPECT_THROW(WipeFile(held, 1, true), EStreamError);
    EXPECT_EQ(ReadWholeFile(held), "in use");
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
