// A container written once, committed under tests/data/golden.xvt, and read back here field by
// field and byte by byte. It guards the file format against any accidental change: containers
// already sent by mail must keep opening.
#include "ContainerFixture.h"
#include "container/LocalFiles.h"

#include <filesystem>

namespace {

const std::string GoldenFile = std::string(SEALVANE_TEST_DATA_DIR) + "/golden.xvt";
const std::string GoldenPassword = "gold"; // shorter than the key pad: the pad takes part

// The contents the files had when they were added.
std::string GoldenBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t n = 0; n < size; ++n) {
        bytes[n] = static_cast<char>((n * 7 + n / 251) & 0xFF);
    }
    return bytes;
}

struct TGoldenEntry
{
    std::int64_t ID;
    std::int64_t Position;
    std::int64_t Size;
    const char* RelativeFolder;
    const char* FileName;
    std::int64_t DupNo;
    std::int64_t Attributes;
    std::int64_t Modified;
    std::int64_t HeaderLength;
    std::string Contents;
};

// In stored order; a seventh entry ("deleted.tmp", 123 + 25 bytes) was deleted before closing.
const TGoldenEntry GoldenEntries[] = {
    {0, 203, 17, "", "readme.txt", 0, 0x20, 1700003600, 122, "Hello, Sealvane!\n"},
    {1, 342, 0, "", "empty.dat", 0, 0x20, 1700007200, 121, ""},
    // 130 header bytes: the name is stored in Windows-1252 (13 bytes; 14 in UTF-8).
    {2, 463, 1000, "/docs", "Café menu.txt", 0, 0x20, 1700010800, 130, GoldenBytes(1000)},
    {3, 1593, 70000, "/docs/deep/tree", "data.bin", 0, 0x20, 1700014400, 135, GoldenBytes(70000)},
    {4, 71728, 1, "", ".hidden", 0, 0x22, 1700018000, 119, "h"},
    {5, 71996, 17, "", "readme.txt", 1, 0x20, 1700003600, 122, "Hello, Sealvane!\n"},
};
constexpr std::int64_t GoldenAdded = 1796545041;

using GoldenContainerTest = ContainerFixture;

} // namespace

TEST_F(GoldenContainerTest, OpensWithEveryFieldMemoExtraAndByte)
{
    const std::string copy = FDir.File("golden.xvt");
    std::filesystem::copy_file(GoldenFile, copy);
    const std::string original = ReadWholeFile(copy);

    TRandomCryptoContainer container(GoldenPassword);
    TCatalog& catalog = container.Open(copy);
    EXPECT_FALSE(catalog.Regenerated());
    EXPECT_EQ(catalog.SortCode(), 2) << "stored sorted by file name, ascending";
    EXPECT_EQ(catalog.Item(0)->FPath.FileName(), ".hidden");
    EXPECT_EQ(catalog.Item(1)->FPath.FileName(), "Café menu.txt");
    EXPECT_EQ(catalog.Item(5)->FPath.FileName(), "readme.txt");
    EXPECT_EQ(container.GetZombieBytes(), 148);
    EXPECT_EQ(container.GetMemo(), "{\\rtf1\\ansi Golden memo\\par}");
    EXPECT_EQ(container.GetExtra(), "golden extra");

    catalog.SortByID();
    ASSERT_EQ(catalog.Count(), 6);
    const std::string out = FDir.File("out");
    for (int index = 0; index < 6; ++index) {
        const TFileInfo& entry = *catalog.Item(index);
        const TGoldenEntry& golden = GoldenEntries[index];
        SCOPED_TRACE(golden.FileName);
        EXPECT_EQ(entry.FID, golden.ID);
        EXPECT_EQ(entry.FPosition, golden.Position);
        EXPECT_EQ(entry.FSize, golden.Size);
        EXPECT_EQ(entry.FPath.BaseFolder(), "/tmp/sealvane-golden/src");
        EXPECT_EQ(entry.FPath.RelativeFolder(), golden.RelativeFolder);
        EXPECT_EQ(entry.FPath.FileName(), golden.FileName);
        EXPECT_EQ(entry.FPath.Reserved(), "");
        EXPECT_EQ(entry.FDupNo, golden.DupNo);
        EXPECT_EQ(entry.FAttributes, golden.Attributes);
        EXPECT_EQ(entry.FModified, golden.Modified);
        EXPECT_EQ(entry.FAdded, GoldenAdded);
        EXPECT_EQ(entry.FHeaderLength, golden.HeaderLength);

        const std::string target = FDir.File("single/" + std::to_string(index));
        container.ExtractFileTo(index, target);
        EXPECT_EQ(ReadWholeFile(target), golden.Contents);
        EXPECT_EQ(LastWriteLocalSeconds(target), golden.Modified);
    }
    container.Close();
    EXPECT_EQ(ReadWholeFile(copy), original) << "reading changes nothing";
}

TEST_F(GoldenContainerTest, StoredNamesAreWindows1252AndTheTreeComesBack)
{
    const std::string copy = FDir.File("golden.xvt");
    std::filesystem::copy_file(GoldenFile, copy);
    TRandomCryptoContainer container(GoldenPassword);
    container.OpenReadOnly(copy);
    for (int index = 0; index < container.GetCatalog().Count(); ++index) {
        container.ExtractFile(index, FDir.File("tree"));
    }
    container.Close();
    EXPECT_EQ(ReadWholeFile(FDir.File("tree/docs/Café menu.txt")), GoldenBytes(1000));
    EXPECT_EQ(ReadWholeFile(FDir.File("tree/docs/deep/tree/data.bin")), GoldenBytes(70000));
    EXPECT_EQ(ReadWholeFile(FDir.File("tree/readme.txt")), "Hello, Sealvane!\n");
    EXPECT_FALSE(CheckPassword(copy, "gol"));
}
