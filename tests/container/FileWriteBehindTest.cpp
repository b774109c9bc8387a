#include "container/FileWriteBehind.h"
#include "ContainerFixture.h"
#include "container/LocalFiles.h"
#include "container/PendingFile.h"

#include <algorithm>
#include <numeric>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using FileWriteBehindTest = ContainerFixture;

// Files handed over are written whole, with their times, however many and whatever the bound;
// of several under one name the last one stays, even when a larger one went before it. Failed
// ones (a read-only file or a folder in the way) are told by the message their write raised, and
// the others are written all the same.
TEST_F(FileWriteBehindTest, WritesEveryFileKeepsTheLastOfANameAndTellsFailures)
{
    const std::string locked = MakeFile("locked.txt", "old");
    ::chmod(locked.c_str(), 0444);
    std::filesystem::create_directories(FDir.File("folder.txt"));
    TFileMap expected{{"locked.txt", "old"}};
    std::map<std::string, std::int64_t> times;
    const std::string large = PatternBytes(1 << 20);
    for (const std::int64_t bound : {std::int64_t{10}, std::int64_t{16} << 20}) {
        std::vector<std::string> told;
        TFileWriteBehind writeBehind([&](const std::exception& error) { told.push_back(error.what()); },
                                     TOverwrite::Allowed, bound);
        // Four files in a row share a name, a large one first.
        for (int n = 0; n < 60; ++n) {
            const int group = n / 4;
            const std::string name =
                std::to_string(bound) + "/sub" + std::to_string(group % 3) + "/f" + std::to_string(group) + ".bin";
            expected[name] = n % 4 == 0 ? large : PatternBytes(100, static_cast<unsigned>(n));
            times[name] = 1600000000 + n;
            writeBehind.Write(FDir.File(name), expected[name], times[name]);
        }
        writeBehind.Write(locked, "new", 0);
        writeBehind.Write(FDir.File("folder.txt"), "new", 0);
        writeBehind.Finish();
        std::sort(told.begin(), told.end());
        EXPECT_EQ(told, (std::vector<std::string>{ReadOnlyError(FDir.File("folder.txt")), ReadOnlyError(locked)}));
    }
    EXPECT_EQ(TreeOf(FDir.Path()), expected);
    for (const auto& [name, time] : times) {
        EXPECT_EQ(LastWriteLocalSeconds(FDir.File(name)), time) << name;
    }
}

// Entries of one name extracted in their order through a write-behind: a small one is handed
// over, a later large one is written at once, and yet the first one written is the first one
// extracted. Where overwriting is allowed the later one stays; where it is refused the earlier
// one stays and the later one is told as existing. The small ones wait for the write-behind's
// threads, which are not woken for a single file, so the order would show.
TEST_F(FileWriteBehindTest, ALargeEntryIsWrittenAfterTheSmallerOneOfItsNameBeforeIt)
{
    const std::string large = PatternBytes(TFileWriteBehind::MaxFileSize + 1);
    const std::vector<std::string> names = {"a.bin", "sub/b.bin", "c.bin"};
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& name : names) {
        entries.emplace_back(name, "small");
        entries.emplace_back(name, large);
    }
    const std::string file = FDir.File("c.xvt");
    MakeContainer(file, "pw", entries);
    TRandomCryptoContainer container(TContainerKey("pw"));
    const TCatalog& catalog = container.OpenReadOnly(file);
    std::vector<int> byNumber(static_cast<std::size_t>(catalog.Count()));
    std::iota(byNumber.begin(), byNumber.end(), 0);
    std::sort(byNumber.begin(), byNumber.end(),
              [&](int a, int b) { return catalog.Item(a)->FID < catalog.Item(b)->FID; });
    for (const TOverwrite overwrite : {TOverwrite::Allowed, TOverwrite::Refused}) {
        const bool allowed = overwrite == TOverwrite::Allowed;
        SCOPED_TRACE(allowed ? "allowed" : "refused");
        const std::string out = FDir.File(allowed ? "allowed" : "refused");
        TFileMap expected;
        std::vector<std::string> told;
        for (const std::string& name : names) {
            expected[name] = allowed ? "large" : "small";
            if (!allowed) {
                told.push_back(EFileExists(out + "/" + name).what());
            }
        }
        std::vector<std::string> failures;
        TFileWriteBehind writeBehind([&](const std::exception& error) { failures.push_back(error.what()); }, overwrite);
        for (const int index : byNumber) {
            try {
                container.ExtractFile(index, out, &writeBehind);
            } catch (const EFileExists& error) {
                failures.push_back(error.what());
            }
        }
        writeBehind.Finish();
        TFileMap written = TreeOf(out);
        for (auto& [name, bytes] : written) {
            bytes = bytes == large ? "large" : bytes;
        }
        EXPECT_EQ(written, expected);
        EXPECT_EQ(failures, told);
    }
}

// A new file has no name until it is complete, then gets the permissions any new file gets. If
// its name was taken meanwhile, it replaces what took it, or, where overwriting is refused, is
// given up with EFileExists. A file not committed leaves nothing.
TEST_F(FileWriteBehindTest, NewFileIsNamelessUntilCommittedAndTakesOrLeavesANameTakenMeanwhile)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const int probe = ::open(FDir.Path().c_str(), O_TMPFILE | O_RDWR, 0600);
    const bool namelessFiles = probe >= 0;
    if (namelessFiles) {
        ::close(probe);
    }
    const std::string name = FDir.File("new/file.txt");
    for (const TOverwrite overwrite : {TOverwrite::Allowed, TOverwrite::Refused}) {
        for (const bool taken : {false, true}) {
            SCOPED_TRACE(std::string(overwrite == TOverwrite::Allowed ? "allowed" : "refused") +
                         (taken ? ", name taken meanwhile" : ", name free"));
            {
                const TPendingFile abandoned(name, overwrite);
            }
            TPendingFile pending(name, overwrite);
            ASSERT_EQ(::write(pending.Handle(), "whole", 5), 5);
            if (namelessFiles) {
                EXPECT_EQ(TreeOf(FDir.Path()), TFileMap{});
            }
            if (taken) {
                MakeFile("new/file.txt", "other");
            }
            const bool kept = taken && overwrite == TOverwrite::Refused;
            if (kept) {
                EXPECT_THROW(pending.Commit(), EFileExists);
            } else {
                pending.Commit();
            }
            EXPECT_EQ(TreeOf(FDir.Path()), (TFileMap{{"new/file.txt", kept ? "other" : "whole"}}));
            struct stat info
            {
            };
            ASSERT_EQ(::stat(name.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask);
            std::filesystem::remove(name);
        }
    }
}

} // namespace
