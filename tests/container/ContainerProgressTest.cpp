// The progress of long copies and their cancel: every copy reports on the calling thread up to its
// total, and a cancelled one leaves the container file byte for byte as before, no half-written
// file and no temporary file.
#include "ContainerFixture.h"

#include <functional>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace {

const std::string Password = "pw";
// Above the size from which a copy reads, enciphers and writes on three threads.
constexpr std::size_t LargeSize = 3 << 20;

// One long operation on the fixture's files, run with the given progress.
struct TOperation
{
    const char* Name;
    std::int64_t Total;
    std::function<void(const TCopyProgress&)> Run;
};

class ContainerProgressTest : public ContainerFixture
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        FContainer = FDir.File("c.xvt");
        MakeContainer(FContainer, Password,
                      {{"a.txt", PatternBytes(100000)}, {"empty.txt", ""}, {"big.bin", PatternBytes(LargeSize, 2)}},
                      "memo");
        MakeContainer(FDir.File("other.xvt"), "other",
                      {{"x.bin", PatternBytes(70000, 3)}, {"y.bin", PatternBytes(LargeSize, 4)}});
        MakeFile("new/small.bin", PatternBytes(200000, 5));
        MakeFile("new/large.bin", PatternBytes(LargeSize, 6));
        MakeFile("new/empty.bin", "");
        std::filesystem::create_directories(FDir.File("out"));
        std::filesystem::create_directories(FDir.File("tmp"));
    }

    using TRun = std::function<void(const TCopyProgress&)>;

    // Runs the call on the container opened for writing (or read-only and sorted by number), then
    // closes it; the file's bytes at a failure are kept to show whether they changed before Close.
    TRun On(bool writable, const std::function<void(TRandomCryptoContainer&)>& call)
    {
        return [this, writable, call](const TCopyProgress& progress) {
            TRandomCryptoContainer container(Password);
            if (writable) {
                container.Open(FContainer);
            } else {
                container.OpenReadOnly(FContainer).SortByID();
            }
            container.SetProgress(progress);
            try {
                call(container);
            } catch (...) {
                FBytesAfterCancel = ReadWholeFile(FContainer);
                container.Close();
                throw;
            }
            container.Close();
        };
    }

    TRun Add(const std::string& name)
    {
        return On(true, [this, name](auto& container) { container.AddFile(FDir.File(name), FDir.Path()); });
    }

    // Each runs on the container as SetUp made it (entries 0 a.txt, 1 empty.txt, 2 big.bin).
    std::vector<TOperation> Operations()
    {
        const std::int64_t all = 100000 + LargeSize;
        const std::string out = FDir.File("out"), other = FDir.File("other.xvt");
        return {
            {"add small", 200000, Add("new/small.bin")},
            {"add large", LargeSize, Add("new/large.bin")},
            {"add empty", 0, Add("new/empty.bin")},
            {"extract", LargeSize, On(false, [out](auto& container) { container.ExtractFile(2, out); })},
            {"extract to", 100000, On(false, [out](auto& container) { container.ExtractFileTo(0, out + "/a.txt"); })},
            {"append", 70000 + LargeSize,
             On(true, [other](auto& container) { container.AppendContainer(other, "other"); })},
            {"copy", all,
             [this](const auto& progress) {
                 CopyContainer(FContainer, Password, FDir.File("copy.xvt"), FDir.File("tmp/copy.tmp"), "new", progress);
             }},
            {"rekey", all,
             [this](const auto& progress) {
                 RekeyContainer(FContainer, "new", Password, FDir.File("tmp/c.tmp"), progress);
             }},
        };
    }

    std::string FContainer;
    std::string FBytesAfterCancel;
};

} // namespace

TEST_F(ContainerProgressTest, EveryCopyReportsOnTheCallingThreadUpToItsTotal)
{
    const std::string original = ReadWholeFile(FContainer);
    for (const TOperation& operation : Operations()) {
        SCOPED_TRACE(operation.Name);
        WriteWholeFile(FContainer, original);
        const auto caller = std::this_thread::get_id();
        std::int64_t reports = 0, lastDone = 0;
        operation.Run([&](std::int64_t done, std::int64_t total) {
            EXPECT_EQ(total, operation.Total);
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_GE(done, lastDone);
            lastDone = done;
            ++reports;
            return true;
        });
        EXPECT_GT(reports, 0);
        EXPECT_EQ(lastDone, operation.Total);
        // Large copies report chunk by chunk, not only at their end.
        EXPECT_EQ(reports > 1, operation.Total > TBasicFileStream::CopyChunkSize);
    }
}

TEST_F(ContainerProgressTest, CancelLeavesTheContainerAndTheFoldersAsBefore)
{
    for (const TOperation& operation : Operations()) {
        SCOPED_TRACE(operation.Name);
        const std::string before = ReadWholeFile(FContainer);
        const TFileMap files = TreeOf(FDir.Path());
        FBytesAfterCancel = before;
        // In the second chunk when there is one.
        const int cancelAt = operation.Total > TBasicFileStream::CopyChunkSize ? 2 : 1;
        int calls = 0;
        EXPECT_THROW(operation.Run([&](std::int64_t, std::int64_t) { return ++calls < cancelAt; }), ECancelled);
        EXPECT_EQ(calls, cancelAt) << "no report after the cancel";
        EXPECT_TRUE(FBytesAfterCancel == before) << "changed before Close";
        EXPECT_TRUE(TreeOf(FDir.Path()) == files) << "a file was changed, left behind or lost";
        // The container opens with its three entries and its memo, from its stored catalog.
        TRandomCryptoContainer container(Password);
        EXPECT_FALSE(container.OpenReadOnly(FContainer).Regenerated());
        EXPECT_EQ(container.GetCatalog().Count(), 3);
        EXPECT_EQ(container.GetMemo(), "memo");
        container.Close();
    }
}

TEST_F(ContainerProgressTest, AddOfAGibibyteCancelledHalfWayKeepsTheFileAndTheContainerUsable)
{
    const std::string large = FDir.File("new/gib.bin");
    ASSERT_EQ(::truncate(MakeFile("new/gib.bin", "").c_str(), off_t{1} << 30), 0);
    const std::string before = ReadWholeFile(FContainer);

    TRandomCryptoContainer container(Password);
    container.Open(FContainer);
    container.SetProgress([](std::int64_t done, std::int64_t total) { return done < total / 2; });
    EXPECT_THROW(container.AddFile(large, FDir.Path()), ECancelled);
    EXPECT_TRUE(ReadWholeFile(FContainer) == before);
    EXPECT_EQ(container.GetCatalog().Count(), 3);
    EXPECT_FALSE(container.IsModified());

    // The same object goes on: the next add lands where the cancelled one began.
    container.SetProgress({});
    container.AddFile(FDir.File("new/small.bin"), FDir.Path());
    container.Close();
    container.OpenReadOnly(FContainer).SortByID();
    ASSERT_EQ(container.GetCatalog().Count(), 4);
    container.ExtractFileTo(3, FDir.File("out/small.bin"));
    EXPECT_TRUE(ReadWholeFile(FDir.File("out/small.bin")) == PatternBytes(200000, 5));
}
