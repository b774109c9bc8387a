// A container whose program is killed while it writes must open afterwards with every entry that
// was completely written. The writer here is a real child process, killed with SIGKILL at
// different moments.
#include "ContainerFixture.h"

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int AddedFileCount = 6;

class ContainerRecoveryTest : public ContainerFixture
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        FExpected = {{"first.txt", "first entry"}, {"second.txt", PatternBytes(5000, 3)}};
        MakeContainer(FOriginal, "pw", {FExpected.begin(), FExpected.end()}, "memo before");
        for (int n = 0; n < AddedFileCount; ++n) {
            FExpected[std::to_string(n)] = PatternBytes(3 << 20, static_cast<unsigned>(n + 10));
            MakeFile("source/" + std::to_string(n), FExpected[std::to_string(n)]);
        }
    }

    // Runs the work on a copy of the original container in a child process killed after the
    // delay (unless it ended before). Then the copy must open with entries that are byte for byte
    // those added, and the next opening must find a valid catalog with them; returns their count.
    std::size_t EntriesAfterKill(int delayMs,
                                 const std::function<void(TRandomCryptoContainer&, const std::string&)>& work)
    {
        const std::string file = FDir.File("killed-" + std::to_string(delayMs) + ".xvt");
        std::filesystem::copy_file(FOriginal, file, std::filesystem::copy_options::overwrite_existing);
        const pid_t child = ::fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            return 0;
        }
        if (child == 0) {
            try {
                TRandomCryptoContainer container(TContainerKey("pw"));
                work(container, file);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(delayMs * 1000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        TRandomCryptoContainer container(TContainerKey("pw"));
        container.Open(file);
        const TFileMap files = ExtractedFiles(container);
        container.Close();
        EXPECT_TRUE(std::includes(FExpected.begin(), FExpected.end(), files.begin(), files.end())) << delayMs << " ms";
        const TCatalog& catalog = container.OpenReadOnly(file);
        EXPECT_EQ(std::tuple(catalog.Regenerated(), catalog.Count()), std::tuple(false, static_cast<int>(files.size())))
            << delayMs << " ms";
        container.Close();
        return files.size();
    }

    std::string FOriginal = FDir.File("original.xvt");
    TFileMap FExpected;
};

} // namespace

TEST_F(ContainerRecoveryTest, KilledInTheMiddleOfAddingFiles)
{
    int interrupted = 0;
    for (const int delayMs : {1, 8, 16, 24, 32, 45, 60, 80}) {
        const std::size_t count = EntriesAfterKill(delayMs, [&](auto& container, const auto& file) {
            container.Open(file);
            for (int n = 0; n < AddedFileCount; ++n) {
                container.AddFile(FDir.File("source/" + std::to_string(n)), FDir.File("source"));
            }
            container.Close();
        });
        EXPECT_GE(count, 2u) << "the entries written before are never lost";
        interrupted += count < 2 + AddedFileCount ? 1 : 0;
    }
    EXPECT_GT(interrupted, 0) << "no kill landed in the middle of the work";
}

TEST_F(ContainerRecoveryTest, KilledInTheMiddleOfWritingTheCatalog)
{
    for (const int delayMs : {2, 5, 9, 14, 20, 27, 35}) {
        EXPECT_EQ(EntriesAfterKill(delayMs,
                                   [](auto& container, const auto& file) {
                                       for (int round = 0;; ++round) {
                                           container.Open(file);
                                           container.SetMemo("memo " + std::string(round % 300, 'x'));
                                           container.Close();
                                       }
                                   }),
                  2u);
    }
}
