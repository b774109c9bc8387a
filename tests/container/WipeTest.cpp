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

// Each pass is told as a letter: A (all 0xAA), 5 (all 0x55), R (random), ? (anything else, or not
// the whole blocks).
TEST_F(WipeTest, EveryCycleWritesAaThen55ThenFreshRandomBytesInWholeBlocks)
{
    for (const auto& [size, wipedSize, expected] : std::vector<std::tuple<std::size_t, std::size_t, std::string>>{
             {100, 8192, "A5R"}, {16384, 16384, "A5R"}, {20000, 24576, "A5RA5R"}}) {
        SCOPED_TRACE(size);
        const std::string original = PatternBytes(size), file = MakeFile("secret", original);
        std::string passes;
        std::set<std::string> randomPasses;
        TPassHookScope scope([&](const std::string& name, int pass) {
            EXPECT_EQ(pass, static_cast<int>(passes.size()));
            const std::string bytes = ReadWholeFile(name);
            if (bytes == std::string(wipedSize, '\xAA') || bytes == std::string(wipedSize, '\x55')) {
                passes += bytes[0] == '\xAA' ? 'A' : '5';
            } else if (bytes.size() == wipedSize && std::set<char>(bytes.begin(), bytes.end()).size() > 200) {
                passes += 'R';
                randomPasses.insert(bytes);
            } else {
                passes += '?';
            }
        });
        WipeFile(file, static_cast<int>(expected.size() / 3), false);
        EXPECT_EQ(passes, expected);
        EXPECT_EQ(randomPasses.size(), expected.size() / 3) << "fresh random bytes in every cycle";
        EXPECT_EQ(ReadWholeFile(file).find(original), std::string::npos);
    }
    WipeFile(MakeFile("empty", ""), 2, false);
    EXPECT_EQ(std::filesystem::file_size(FDir.File("empty")), 0u);
}

// Zero cycles only delete; a file that cannot be written or deleted stays, with a failure.
TEST_F(WipeTest, DeletesAfterwardsAndFailuresLeaveTheFile)
{
    WipeFile(MakeFile("wiped", "plain text"), 2, true);
    WipeFile(MakeFile("untouched", "plain text"), 0, true);

    const std::string readOnly = MakeFile("readonly", "keep me"), held = MakeFile("held", "in use");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(ContainerErrorOf([&] { WipeFile(readOnly, 1, true); }),
              "File '" + readOnly + "' is read only! Cannot open for overwrite.");
    EXPECT_EQ(ContainerErrorOf([&] { WipePass(FDir.File("missing")); }),
              "Container '" + FDir.File("missing") + "' not found!");
    TBasicFileStream holder(held, TFileMode::OpenRead);
    EXPECT_THROW(WipeFile(held, 1, true), EStreamError);
    EXPECT_EQ(TreeOf(FDir.Path()), (TFileMap{{"held", "in use"}, {"readonly", "keep me"}})) << "the rest deleted";

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
