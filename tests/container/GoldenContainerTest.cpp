// A container written once, committed under tests/data/golden.xvt, and read back here field by
// field and byte by byte. It guards the file format against any accidental change: containers
// already sent by mail must keep opening.
#include "ContainerFixture.h"
#include "sealed/ContainerFormats.h"
#include "container/LocalFiles.h"

#include <tuple>

namespace {

const std::string GoldenPassword = "gold"; // shorter than the key pad: the pad takes part
constexpr std::int64_t GoldenAdded = 1796545041;

// The contents the files had when they were added.
std::string GoldenBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t n = 0; n < size; ++n) {
        bytes[n] = static_cast<char>((n * 7 + n / 251) & 0xFF);
    }
    return bytes;
}

// Number, position, size, relative folder, file name, duplicate number, attributes, modification
// time and header length of an entry.
using TFields = std::tuple<std::int64_t, std::int64_t, std::int64_t, std::string, std::string, std::int64_t,
                           std::int64_t, std::int64_t, std::int64_t>;

TFields FieldsOf(const TFileInfo& e)
{
    return {e.FID,    e.FPosition,   e.FSize,     e.FPath.RelativeFolder(), e.FPath.FileName(),
            e.FDupNo, e.FAttributes, e.FModified, e.FHeaderLength};
}

// In stored order; a seventh entry ("deleted.tmp", 123 + 25 bytes) was deleted before closing.
// "Café menu.txt" has 130 header bytes: the name is stored in Windows-1252 (13 bytes; 14 in UTF-8).
const TFields GoldenEntries[] = {
    {0, 203, 17, "", "readme.txt", 0, 0x20, 1700003600, 122},
    {1, 342, 0, "", "empty.dat", 0, 0x20, 1700007200, 121},
    {2, 463, 1000, "/docs", "Café menu.txt", 0, 0x20, 1700010800, 130},
    {3, 1593, 70000, "/docs/deep/tree", "data.bin", 0, 0x20, 1700014400, 135},
    {4, 71728, 1, "", ".hidden", 0, 0x22, 1700018000, 119},
    {5, 71996, 17, "", "readme.txt", 1, 0x20, 1700003600, 122},
};
const std::string GoldenContents[] = {"Hello, Sealvane!\n", "",  GoldenBytes(1000),
                                      GoldenBytes(70000),   "h", "Hello, Sealvane!\n"};

using GoldenContainerTest = ContainerFixture;

} // namespace

TEST_F(GoldenContainerTest, OpensWithEveryFieldMemoExtraAndByte)
{
    const std::string copy = FDir.File("golden.xvt");
    std::filesystem::copy_file(std::string(SEALVANE_TEST_DATA_DIR) + "/golden.xvt", copy);
    const std::string original = ReadWholeFile(copy);
    EXPECT_FALSE(CheckPassword(copy, TContainerKey("gol")));

    TRandomCryptoContainer container{TContainerKey(GoldenPassword)};
    TCatalog& catalog = container.Open(copy);
    ASSERT_EQ(std::tuple(catalog.Regenerated(), catalog.SortCode(), catalog.Count()), std::tuple(false, 2, 6))
        << "stored sorted by file name, ascending";
    EXPECT_EQ(std::tuple(catalog.Item(0)->FPath.FileName(), catalog.Item(1)->FPath.FileName(),
                         catalog.Item(5)->FPath.FileName()),
              std::tuple(".hidden", "Café menu.txt", "readme.txt"));
    EXPECT_EQ(std::tuple(container.GetZombieBytes(), container.GetMemo(), container.GetExtra()),
              std::tuple(148, "{\\rtf1\\ansi Golden memo\\par}", "golden extra"));

    catalog.SortByID();
    for (int index = 0; index < 6; ++index) {
        const TFileInfo& entry = *catalog.Item(index);
        SCOPED_TRACE(index);
        EXPECT_EQ(FieldsOf(entry), GoldenEntries[index]);
        EXPECT_EQ(std::tuple(entry.FPath.BaseFolder(), entry.FPath.Reserved(), entry.FAdded),
                  std::tuple(std::string("/tmp/sealvane-golden/src"), std::string(), GoldenAdded));
        const std::string target = FDir.File("single/" + std::to_string(index));
        container.ExtractFileTo(index, target);
        EXPECT_EQ(ReadWholeFile(target), GoldenContents[index]);
        EXPECT_EQ(LastWriteLocalSeconds(target), std::get<7>(GoldenEntries[index]));
        container.ExtractFile(index, FDir.File("tree"));
    }
    container.Close();
    EXPECT_EQ(ReadWholeFile(copy), original) << "reading changes nothing";
    EXPECT_TRUE(TreeOf(FDir.File("tree")) == (TFileMap{{"readme.txt", GoldenContents[0]},
                                                       {"empty.dat", ""},
                                                       {"docs/Café menu.txt", GoldenBytes(1000)},
                                                       {"docs/deep/tree/data.bin", GoldenBytes(70000)},
                                                       {".hidden", "h"}}))
        << "the tree comes back";
}

// The format-5 golden container, written once by sealvane-cli (four files added from
// /tmp/sealvane-golden5/src, a fifth added and deleted), with a password outside Windows-1252.
TEST_F(GoldenContainerTest, FormatFiveOpensWithEveryFieldMemoAndByte)
{
    const std::string copy = FDir.File("golden5.xvt");
    std::filesystem::copy_file(std::string(SEALVANE_TEST_DATA_DIR) + "/golden5.xvt", copy);
    const std::string original = ReadWholeFile(copy);
    const TFields entries[] = {
        {0, 204, 17, "", "readme.txt", 0, 0x20, 1700003600, 95},
        {1, 352, 0, "", "empty.dat", 0, 0x20, 1700007200, 94},
        {2, 628, 25, "/docs", "Grüße ✓.txt", 0, 0x20, 1700010800, 105},
        {3, 794, 70000, "/docs/deep", "data.bin", 0, 0x20, 1700014400, 103},
    };
    const std::string contents[] = {"Hello, Sealvane!\n", "", "Grüße aus Format 5 ✓\n", GoldenBytes(70000)};
    EXPECT_FALSE(CheckPassword(copy, TContainerKey("Schlüssel ✓ 6")));

    const std::unique_ptr<TContainer> container = ContainerFor(copy, TContainerKey("Schlüssel ✓ 5"));
    TCatalog& catalog = container->OpenReadOnly(copy);
    ASSERT_EQ(std::tuple(container->Format(), catalog.Regenerated(), catalog.SortCode(), catalog.Count()),
              std::tuple(5, false, -1, 4));
    EXPECT_EQ(std::tuple(container->GetZombieBytes(), container->GetMemo(), container->GetExtra().substr(0, 2)),
              std::tuple(1622, "{\\rtf1\\ansi Golden memo 5\\par}", "8\x7f"));
    catalog.SortByID();
    for (int index = 0; index < 4; ++index) {
        const TFileInfo& entry = *catalog.Item(index);
        SCOPED_TRACE(index);
        EXPECT_EQ(FieldsOf(entry), entries[index]);
        EXPECT_EQ(std::tuple(entry.FPath.BaseFolder(), entry.FAdded),
                  std::tuple(std::string("/tmp/sealvane-golden5/src"), std::int64_t{1796623240}));
        const std::string target = FDir.File("single/" + std::to_string(index));
        container->ExtractFileTo(index, target);
        EXPECT_EQ(ReadWholeFile(target), contents[index]);
        EXPECT_EQ(LastWriteLocalSeconds(target), std::get<7>(entries[index]));
    }
    container->Close();
    EXPECT_EQ(ReadWholeFile(copy), original) << "reading changes nothing";
}
