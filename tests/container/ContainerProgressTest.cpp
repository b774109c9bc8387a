// The progress of long copies and their cancel: every copy reports on the calling thread up to its
// total, and a cancelled one leaves the container file byte for byte as before, no half-written
// file and no temporary file.
#include "ContainerFixture.h"
#include "sealed/ContainerFormats.h"

#include <functional>
#include <thread>

namespace {

using ContainerProgressTest = ContainerFixture;
using TRun = std::function<void(const TCopyProgress&)>;

// One long operation on the test's files, run with the given progress.
struct TOperation
{
    const char* FName;
    std::int64_t FTotal;
    TRun FRun;
};

} // namespace

// Each operation is cancelled first, then run to its end with a progress that checks every report.
TEST_F(ContainerProgressTest, CancelChangesNothingAndEveryCopyReportsOnTheCallingThreadUpToItsTotal)
{
    // Above the size from which a copy reads, enciphers and writes on three threads.
    constexpr std::int64_t large = 3 << 20;
    const std::string file = FDir.File("c.xvt"), other = FDir.File("other.xvt"), out = FDir.File("out");
    MakeContainer(file, "pw", {{"a.txt", PatternBytes(100000)}, {"empty.txt", ""}, {"big.bin", PatternBytes(large, 2)}},
                  "memo");
    MakeContainer(other, "other", {{"x.bin", PatternBytes(70000, 3)}, {"y.bin", PatternBytes(large, 4)}});
    MakeFile("new/small.bin", PatternBytes(200000, 5));
    MakeFile("new/large.bin", PatternBytes(large, 6));
    MakeFile("new/empty.bin", "");
    const std::string original = ReadWholeFile(file);
    std::string bytesAtFailure;
    // Runs the call on the container opened for writing (or read-only and sorted by number), then
    // closes it; the file's bytes at a failure are kept to show whether they changed before Close.
    const auto on = [&](bool writable, const std::function<void(TRandomCryptoContainer&)>& call) -> TRun {
        return [&, writable, call](const TCopyProgress& progress) {
            TRandomCryptoContainer container(TContainerKey("pw"));
            if (writable) {
                container.Open(file);
            } else {
                container.OpenReadOnly(file).SortByID();
            }
            container.SetProgress(progress);
            try {
                call(container);
            } catch (...) {
                bytesAtFailure = ReadWholeFile(file);
                container.Close();
                throw;
            }
            container.Close();
        };
    };
    const auto add = [&](const std::string& name) {
        return on(true, [&, name](auto& container) { container.AddFile(FDir.File(name), FDir.Path()); });
    };
    // On the container as made above: entries 0 a.txt, 1 empty.txt, 2 big.bin.
    const TOperation operations[] = {
        {"add small", 200000, add("new/small.bin")},
        {"add large", large, add("new/large.bin")},
        {"add empty", 0, add("new/empty.bin")},
        {"extract", large, on(false, [&](auto& container) { container.ExtractFile(2, out); })},
        {"append", 70000 + large,
         on(true, [&](auto& container) {
             TRandomCryptoContainer source(TContainerKey("other"));
             source.OpenReadOnly(other);
             container.AppendContainer(source);
         })},
        {"copy", 100000 + large,
         [&](const auto& progress) {
             CopyContainer(file, TContainerKey("pw"), FDir.File("copy.xvt"), FDir.File("tmp/copy.tmp"),
                           TContainerKey("new"), progress);
         }},
        {"rekey", 100000 + large,
         [&](const auto& progress) {
             RekeyContainer(file, TContainerKey("new"), TContainerKey("pw"), FDir.File("tmp/c.tmp"), progress);
         }},
    };
    for (const auto& [name, total, run] : operations) {
        SCOPED_TRACE(name);
        const TFileMap files = TreeOf(FDir.Path());
        bytesAtFailure = original;
        // In the second chunk when there is one.
        const int cancelAt = total > TBasicFileStream::CopyChunkSize ? 2 : 1;
        int calls = 0;
        EXPECT_THROW(run([&](std::int64_t, std::int64_t) { return ++calls < cancelAt; }), ECancelled);
        EXPECT_EQ(calls, cancelAt) << "no report after the cancel";
        EXPECT_TRUE(bytesAtFailure == original) << "changed before Close";
        EXPECT_TRUE(TreeOf(FDir.Path()) == files) << "a file was changed, left behind or lost";

        const auto caller = std::this_thread::get_id();
        std::int64_t reports = 0, lastDone = 0;
        run([&](std::int64_t done, std::int64_t reportedTotal) {
            EXPECT_EQ(reportedTotal, total);
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_GE(done, lastDone);
            lastDone = done;
            ++reports;
            return true;
        });
        // Large copies report chunk by chunk, not only at their end.
        EXPECT_EQ(std::tuple(lastDone, reports > 0, reports > 1),
                  std::tuple(total, true, total > TBasicFileStream::CopyChunkSize));
        WriteWholeFile(file, original);
    }
}
