// A container whose program is killed while it writes must open afterwards with every entry that
// was completely written. The writer here is a real child process, killed with SIGKILL at
// different moments.
#include "ContainerFixture.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::size_t AddedFileSize = 3 << 20;
constexpr int AddedFileCount = 6;

std::string AddedFileName(int n)
{
    return "added-" + std::to_string(n) + ".bin";
}

// Runs work in a child process and kills it after the delay (unless it ended before).
void RunAndKill(const std::function<void()>& work, std::chrono::microseconds delay)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            work();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    ::usleep(static_cast<useconds_t>(delay.count()));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
}

class ContainerRecoveryTest : public ContainerFixture
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        for (int n = 0; n < AddedFileCount; ++n) {
            MakeFile("source/" + AddedFileName(n), PatternBytes(AddedFileSize, static_cast<unsigned>(n + 10)));
        }
        MakeFile("source/first.txt", "first entry");
        MakeFile("source/second.txt", PatternBytes(5000, 3));
        FOriginal = FDir.File("original.xvt");
        TRandomCryptoContainer container("pw");
        container.OpenNew(FOriginal);
        container.AddFile(FDir.File("source/first.txt"), FDir.File("source"));
        container.AddFile(FDir.File("source/second.txt"), FDir.File("source"));
        container.SetMemo("memo before");
        container.Close();
    }

    std::string ExpectedContents(const std::string& name)
    {
        if (name == "first.txt") {
            return "first entry";
        }
        if (name == "second.txt") {
            return PatternBytes(5000, 3);
        }
        for (int n = 0; n < AddedFileCount; ++n) {
            if (name == AddedFileName(n)) {
                return PatternBytes(AddedFileSize, static_cast<unsigned>(n + 10));
            }
        }
        ADD_FAILURE() << "unexpected entry " << name;
        return {};
    }

    // Opens the container left behind and checks every entry byte for byte; returns their count.
    int CheckSurvivor(const std::string& file, const std::string& label)
    {
        TRandomCryptoContainer container("pw");
        TCatalog& catalog = container.Open(file);
        const std::string out = FDir.File("out-" + label);
        for (int index = 0; index < catalog.Count(); ++index) {
            const auto entry = container.ExtractFile(index, out);
            EXPECT_EQ(ReadWholeFile(out + "/" + entry->FPath.FileName()), ExpectedContents(entry->FPath.FileName()))
                << label << ": " << entry->FPath.FileName();
        }
        const int count = catalog.Count();
        container.Close();
        std::filesystem::remove_all(out);
        // After the recovery the next opening finds a valid catalog with the same entries.
        TRandomCryptoContainer again("pw");
        EXPECT_FALSE(again.OpenReadOnly(file).Regenerated()) << label;
        EXPECT_EQ(again.GetCatalog().Count(), count) << label;
        again.Close();
        return count;
    }

    std::string FOriginal;
};

} // namespace

TEST_F(ContainerRecoveryTest, KilledInTheMiddleOfAddingFiles)
{
    int interrupted = 0;
    for (const int delayMs : {1, 8, 16, 24, 32, 45, 60, 80}) {
        const std::string file = FDir.File("add-" + std::to_string(delayMs) + ".xvt");
        std::filesystem::copy_file(FOriginal, file);
        RunAndKill(
            [&] {
                TRandomCryptoContainer container("pw");
                container.Open(file);
                for (int n = 0; n < AddedFileCount; ++n) {
                    container.AddFile(FDir.File("source/" + AddedFileName(n)), FDir.File("source"));
                }
                container.Close();
            },
            std::chrono::milliseconds(delayMs));
        const int count = CheckSurvivor(file, "add-" + std::to_string(delayMs));
        EXPECT_GE(count, 2) << "the entries written before are never lost";
        interrupted += count < 2 + AddedFileCount ? 1 : 0;
    }
    EXPECT_GT(interrupted, 0) << "no kill landed in the middle of the work";
}

TEST_F(ContainerRecoveryTest, KilledInTheMiddleOfWritingTheCatalog)
{
    for (const int delayMs : {2, 5, 9, 14, 20, 27, 35}) {
        const std::string file = FDir.File("close-" + std::to_string(delayMs) + ".xvt");
        std::filesystem::copy_file(FOriginal, file);
        RunAndKill(
            [&] {
                TRandomCryptoContainer container("pw");
                for (int round = 0;; ++round) {
                    container.Open(file);
                    container.SetMemo("memo " + std::string(static_cast<std::size_t>(round % 300), 'x'));
                    container.Close();
                }
            },
            std::chrono::milliseconds(delayMs));
        EXPECT_EQ(CheckSurvivor(file, "close-" + std::to_string(delayMs)), 2);
    }
}
