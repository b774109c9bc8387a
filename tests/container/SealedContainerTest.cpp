// Format 5 as the program uses it: what it stores comes back, a change is all or nothing, a
// wrong password is told from a damaged file, and the two formats convert into each other.
#include "ContainerFixture.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <tuple>

namespace {

using SealedContainerTest = ContainerFixture;

const TFileMap Stored = {{"a.txt", "alpha"}, {"big.bin", PatternBytes(200000, 4)}, {"empty", ""}};

} // namespace

// Added, deleted, memo and extra through closings; every change is in the file at once, the order
// a changed session ends with is kept, and a deleted entry's bytes are counted until a copy
// leaves them out.
TEST_F(SealedContainerTest, WhatIsStoredComesBackAcrossClosingsAndADeletionCountsItsBytes)
{
    const std::string file = FDir.File("c.xvt");
    MakeContainer(file, "pw", {Stored.begin(), Stored.end()}, "the memo", "the extra", SealedFormat);
    TSealedContainer container{TContainerKey("pw")};
    EXPECT_TRUE(ExtractedFiles(file, "pw") == Stored);
    TCatalog& catalog = container.Open(file);
    EXPECT_EQ(std::tuple(container.Format(), catalog.Count(), catalog.Regenerated(), container.GetMemo(),
                         container.GetExtra()),
              std::tuple(5, 3, false, "the memo", "the extra"));
    const std::int64_t wasted = container.GetZombieBytes();
    catalog.SortByID();
    container.DeleteEntry(*catalog.Item(1));
    EXPECT_GT(container.GetZombieBytes(), wasted + 200000) << "the entry and the catalog it replaced";
    EXPECT_FALSE(container.IsModified()) << "a deletion is written at once";
    container.SetMemo("new memo");
    container.AddFile(MakeFile("late.txt", "late"), FDir.Path());
    catalog.SortBy(TCatalog::BySize, false);
    const std::int64_t order = catalog.SortCode();
    container.Close();
    EXPECT_EQ(container.OpenReadOnly(file).SortCode(), order) << "a session with changes keeps the order it ends with";
    container.Close();

    TFileMap expected = {{"a.txt", "alpha"}, {"empty", ""}, {"late.txt", "late"}};
    EXPECT_TRUE(ExtractedFiles(file, "pw") == expected);
    const std::string copy = FDir.File("copy.xvt");
    CopyContainer(file, TContainerKey("pw"), copy, FDir.File("work/t.xvt"), TContainerKey("pw"));
    EXPECT_EQ(FormatOfFile(copy), SealedFormat) << "a copy keeps the format";
    EXPECT_LT(std::filesystem::file_size(copy), 5000u) << "the deleted bytes are left out";
    container.Open(copy);
    EXPECT_EQ(container.GetMemo(), "new memo");
    EXPECT_LT(container.GetZombieBytes(), 100) << "only the empty catalog the copy began with";
    container.Close();
}

// Cancelled or failed adds leave the file byte for byte as it was; a read-only one refuses changes.
TEST_F(SealedContainerTest, AnAddCancelledOrFailedLeavesTheFileAsItWas)
{
    const std::string file = FDir.File("c.xvt");
    MakeContainer(file, "pw", {{"a.txt", "alpha"}}, "memo", {}, SealedFormat);
    const std::string before = ReadWholeFile(file);
    TSealedContainer container{TContainerKey("pw")};
    container.Open(file);
    container.SetProgress([](std::int64_t done, std::int64_t) { return done < 100000; });
    EXPECT_THROW(container.AddFile(MakeFile("big.bin", PatternBytes(300000)), FDir.Path()), ECancelled);
    container.SetProgress({});
    TFileReadAhead gone({{FDir.File("missing"), TPathInfo(FDir.Path(), "missing", "")}});
    EXPECT_ANY_THROW(container.AddFiles(gone));
    EXPECT_EQ(container.GetCatalog().Count(), 1);
    container.Close();
    EXPECT_TRUE(ReadWholeFile(file) == before);

    container.OpenReadOnly(file);
    EXPECT_THROW(container.AddFile(FDir.File("big.bin"), FDir.Path()), EContainerError);
    EXPECT_THROW(container.DeleteEntry(*container.GetCatalog().Item(0)), EContainerError);
    container.Close();
    EXPECT_TRUE(ReadWholeFile(file) == before);
}

// The key check tells a wrong password (with the pause) from a damaged header, which is recovered;
// a format-4 reader names the format; a stretching count out of range is refused before any work.
TEST_F(SealedContainerTest, PasswordDamageAndFormatAreToldApart)
{
    const std::string file = FDir.File("c.xvt");
    MakeContainer(file, "pw", {{"a.txt", "alpha"}}, "memo", {}, SealedFormat);
    const std::string healthy = ReadWholeFile(file);
    EXPECT_THROW(TSealedContainer(TContainerKey("wrong")).OpenReadOnly(file), EPasswordError);
    ASSERT_EQ(FPauses.size(), 1u);
    EXPECT_GT(FPauses[0], 1000);
    EXPECT_EQ(ContainerErrorOf([&] { TRandomCryptoContainer(TContainerKey("pw")).OpenReadOnly(file); }),
              "Invalid container format '5'!");

    std::string bytes = healthy;
    bytes[100] ^= 0x20; // inside the sealed header body
    WriteWholeFile(file, bytes);
    TSealedContainer container{TContainerKey("pw")};
    EXPECT_TRUE(container.OpenReadOnly(file).Regenerated());
    EXPECT_EQ(std::tuple(container.GetMemo(), ExtractedFiles(container)), std::tuple("memo", TFileMap{{"a.txt", "alpha"}}))
        << "entries and the newest catalog's texts are found by the scan";
    container.Close();

    for (const auto& [count, shown] : {std::pair{99'999u, "99999"}, std::pair{10'000'001u, "10000001"}}) {
        bytes = healthy;
        for (int n = 0; n < 4; ++n) {
            bytes[8 + static_cast<std::size_t>(n)] = static_cast<char>((count >> (8 * n)) & 0xFF);
        }
        WriteWholeFile(file, bytes);
        EXPECT_EQ(ContainerErrorOf([&] { container.OpenReadOnly(file); }),
                  FormatText(MsgText(msg::SealedIterationsRefused), {file, std::int64_t{count}}))
            << shown;
    }
}

// Either format converts into the other with everything but its bytes on disk.
TEST_F(SealedContainerTest, FormatsConvertBothWays)
{
    const std::string four = FDir.File("four.xvt"), five = FDir.File("five.xvt"), back = FDir.File("back.xvt");
    MakeContainer(four, "old", {Stored.begin(), Stored.end()}, "memo", "extra");
    CopyContainer(four, TContainerKey("old"), five, FDir.File("work/1.xvt"), TContainerKey("new"), {}, SealedFormat);
    CopyContainer(five, TContainerKey("new"), back, FDir.File("work/2.xvt"), TContainerKey("old"), {}, ClassicFormat);
    for (const auto& [file, password, format] :
         {std::tuple{five, "new", SealedFormat}, std::tuple{back, "old", ClassicFormat}}) {
        const std::unique_ptr<TContainer> container = ContainerFor(file, TContainerKey(password));
        container->OpenReadOnly(file);
        EXPECT_EQ(std::tuple(container->Format(), container->GetMemo(), container->GetExtra()),
                  std::tuple(format, "memo", "extra"));
        EXPECT_TRUE(ExtractedFiles(*container) == Stored);
        container->Close();
    }
}
