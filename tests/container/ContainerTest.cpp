#include "ContainerFixture.h"
#include "container/ContainerError.h"
#include "container/LocalFiles.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>

namespace {

using ContainerTest = ContainerFixture;

std::int64_t Int64At(const std::string& bytes, std::size_t offset)
{
    std::uint64_t value = 0;
    for (int n = 7; n >= 0; --n) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + n]);
    }
    return static_cast<std::int64_t>(value);
}

std::int64_t CheckOf(const std::string& password)
{
    return TBrassCrypto(TCryptoContainer::PaddedKey(password)).GetCheck();
}

unsigned ModeOf(const std::string& fileName)
{
    struct stat info
    {
    };
    ::stat(fileName.c_str(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST_F(ContainerTest, NewContainerHasTheHeaderLayoutAndNoWasteOfBytes)
{
    const std::string file = FDir.File("new.xvt");
    TRandomCryptoContainer container("secret");
    EXPECT_EQ(container.OpenNew(file).Count(), 0);
    EXPECT_TRUE(container.IsWritable());
    container.Close();

    const std::string bytes = ReadWholeFile(file);
    const std::int64_t prefix = static_cast<std::int64_t>(bytes.size()) - 80;
    EXPECT_GE(prefix, 128);
    EXPECT_LE(prefix, 255);
    EXPECT_EQ(Int64At(bytes, 0), 4) << "format number in plain text";
    // Header 32 + n bytes, end marker 8, catalog: sort code, -1, two empty strings, -1.
    EXPECT_EQ(Int64At(bytes, 8) ^ CheckOf("secret"), 32 + prefix + 8) << "locator points just past the end marker";
    EXPECT_EQ(Int64At(bytes, 16), 0) << "no zombie bytes";
}

TEST_F(ContainerTest, SameContentTwiceGivesDifferentFilesThatBothOpen)
{
    const std::string a = FDir.File("a.xvt");
    const std::string b = FDir.File("b.xvt");
    for (const auto& file : {a, b}) {
        TRandomCryptoContainer container("pw");
        container.OpenNew(file);
        container.SetMemo("same memo");
        container.Close();
    }
    EXPECT_NE(ReadWholeFile(a).substr(24), ReadWholeFile(b).substr(24));
    for (const auto& file : {a, b}) {
        TRandomCryptoContainer container("pw");
        container.Open(file);
        EXPECT_EQ(container.GetMemo(), "same memo");
        container.Close();
    }
}

TEST_F(ContainerTest, FilesRoundTripWithNumbersTimesAndLocator)
{
    const std::string first = MakeFile("src/first.bin", PatternBytes(70000, 1));
    const std::string second = MakeFile("src/sub/dir/second.txt", "second file");
    const std::string empty = MakeFile("src/sub/empty", "");
    SetLastWriteLocalSeconds(first, 1600000000);
    const std::string file = FDir.File("files.xvt");
    const std::string base = FDir.File("src");
    {
        TRandomCryptoContainer container("pw");
        container.OpenNew(file);
        container.AddFile(first, base);
        container.AddFile(second, base);
        container.AddFile(empty, base);
        container.SetMemo("{\\rtf1 memo}");
        container.SetExtra("extra");
        container.Close();
    }
    const std::string bytes = ReadWholeFile(file);

    TRandomCryptoContainer container("pw");
    TCatalog& catalog = container.Open(file);
    ASSERT_EQ(catalog.Count(), 3);
    EXPECT_FALSE(catalog.Regenerated());
    EXPECT_FALSE(container.IsModified());
    catalog.SortByID();
    const auto& e0 = *catalog.Item(0);
    const auto& e1 = *catalog.Item(1);
    EXPECT_EQ(e0.FID, 0);
    EXPECT_EQ(e1.FID, 1);
    EXPECT_EQ(e0.FSize, 70000);
    EXPECT_EQ(e0.FModified, 1600000000);
    EXPECT_EQ(e1.FPath.RelativeFolder(), "/sub/dir");
    EXPECT_EQ(e1.FPath.FileName(), "second.txt");
    EXPECT_EQ(e1.FPath.BaseFolder(), base);
    EXPECT_EQ(e1.FPosition, e0.FPosition + e0.FHeaderLength + e0.FSize) << "entries follow one another";
    EXPECT_EQ(container.GetMemo(), "{\\rtf1 memo}");
    EXPECT_EQ(container.GetExtra(), "extra");

    // The locator points just past the end marker, which follows the last entry.
    const auto& e2 = *catalog.Item(2);
    EXPECT_EQ(Int64At(bytes, 8) ^ CheckOf("pw"), e2.FPosition + e2.FHeaderLength + e2.FSize + 8);

    const std::string out = FDir.File("out");
    for (int index = 0; index < 3; ++index) {
        container.ExtractFile(index, out);
    }
    EXPECT_EQ(ReadWholeFile(out + "/first.bin"), PatternBytes(70000, 1));
    EXPECT_EQ(ReadWholeFile(out + "/sub/dir/second.txt"), "second file");
    EXPECT_TRUE(std::filesystem::exists(out + "/sub/empty"));
    EXPECT_EQ(std::filesystem::file_size(out + "/sub/empty"), 0u);
    EXPECT_EQ(LastWriteLocalSeconds(out + "/first.bin"), 1600000000);

    container.ExtractFileTo(1, FDir.File("renamed.txt"));
    EXPECT_EQ(ReadWholeFile(FDir.File("renamed.txt")), "second file");
    container.Close();
    EXPECT_EQ(ReadWholeFile(file), bytes) << "opening and closing without change leaves the file alone";
}

TEST_F(ContainerTest, EverySegmentStartsFromTheSameCipherState)
{
    const std::string file = FDir.File("segments.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(MakeFile("a", "aaaa"), FDir.Path());
    container.AddFile(MakeFile("b", "bb"), FDir.Path());
    TCatalog& catalog = container.GetCatalog();
    catalog.SortByID();
    const auto first = *catalog.Item(0);
    const auto second = *catalog.Item(1);
    container.Close();

    const std::string bytes = ReadWholeFile(file);
    const std::int64_t catalogPos = Int64At(bytes, 8) ^ CheckOf("pw");
    // Ciphertext XOR the known plain value gives the keystream: size 4, size 2, -1, and the sort
    // code 1 (by number, ascending: the order set above).
    const std::int64_t keyFirst = Int64At(bytes, static_cast<std::size_t>(first.FPosition)) ^ 4;
    EXPECT_EQ(Int64At(bytes, static_cast<std::size_t>(second.FPosition)) ^ 2, keyFirst);
    EXPECT_EQ(Int64At(bytes, static_cast<std::size_t>(catalogPos - 8)) ^ -1, keyFirst);
    EXPECT_EQ(Int64At(bytes, static_cast<std::size_t>(catalogPos)) ^ 1, keyFirst);
}

TEST_F(ContainerTest, DuplicateNamesAreNumberedIgnoringCasePerObject)
{
    const std::string file = FDir.File("dup.xvt");
    const std::string lower = MakeFile("d/name.txt", "1");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(lower, FDir.Path());
    container.AddFile(lower, FDir.Path());
    std::filesystem::rename(lower, FDir.File("d/NAME.txt"));
    container.AddFile(FDir.File("d/NAME.txt"), FDir.Path());
    TCatalog& catalog = container.GetCatalog();
    catalog.SortByID();
    EXPECT_EQ(catalog.Item(0)->FDupNo, 0);
    EXPECT_EQ(catalog.Item(1)->FDupNo, 1);
    EXPECT_EQ(catalog.Item(2)->FDupNo, 2);
    container.Close();

    TRandomCryptoContainer again("pw");
    again.Open(file);
    again.AddFile(FDir.File("d/NAME.txt"), FDir.Path());
    EXPECT_EQ(again.GetCatalog().Item(0)->FDupNo, 0) << "a new object counts afresh (newest first)";
    again.Close();
}

TEST_F(ContainerTest, DeletedEntriesBecomeZombieBytesAndTheFileNeverShrinks)
{
    const std::string file = FDir.File("zombie.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(MakeFile("big", PatternBytes(1000)), FDir.Path());
    container.AddFile(MakeFile("small", "x"), FDir.Path());
    container.Close();
    const auto sizeBefore = std::filesystem::file_size(file);

    container.Open(file);
    TCatalog& catalog = container.GetCatalog();
    catalog.SortByID();
    const TFileInfo big = *catalog.Item(0);
    container.DeleteEntry(big);
    container.DeleteEntry(big); // already gone: nothing happens
    EXPECT_EQ(container.GetZombieBytes(), big.FHeaderLength + 1000);
    EXPECT_EQ(container.GetCatalog().Count(), 1);
    container.Close();
    EXPECT_EQ(std::filesystem::file_size(file), sizeBefore);

    container.Open(file);
    EXPECT_EQ(container.GetZombieBytes(), big.FHeaderLength + 1000);
    EXPECT_EQ(container.GetCatalog().Count(), 1);
    EXPECT_EQ(container.RegenCatalog(true).Count(), 2) << "deleted entries come back on a rescan";
    EXPECT_EQ(container.GetZombieBytes(), 0);
    container.Close();
}

TEST_F(ContainerTest, GuardsRefuseWithTheirMessagesAndChangeNothing)
{
    const std::string file = FDir.File("guards.xvt");
    TRandomCryptoContainer container("pw");
    TFileInfo entry;
    entry.FID = 5;
    EXPECT_EQ(ContainerErrorOf([&] { container.GetCatalog(); }), "Attempted read catalog on closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.AddFile("/x", "/"); }),
              "Attempted append file '/x' to closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.ExtractFile(3, "/tmp"); }),
              "Attempted extract file '3' from closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.DeleteEntry(entry); }),
              "Attempted delete file '5' in closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.GetMemo(); }), "Attempted get Memo on closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.SetExtra("x"); }), "Attempted set Extra in closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.GetZombieBytes(); }),
              "Attempted read zombie byte counter from closed container ''!");
    EXPECT_EQ(ContainerErrorOf([&] { container.RegenCatalog(false); }),
              "Attempted regen catalog in closed container ''!");
    EXPECT_TRUE(container.IsClosed());

    container.OpenNew(file);
    EXPECT_EQ(ContainerErrorOf([&] { container.Open(file); }),
              "Attempted open on already opened container '" + file + "'!");
    EXPECT_EQ(ContainerErrorOf([&] { container.OpenNew(file); }),
              "Attempted open new on already opened container '" + file + "'!");
    EXPECT_EQ(ContainerErrorOf([&] { container.ExtractFile(-1, FDir.Path()); }), "File index '-1' out of bounds!");
    EXPECT_EQ(ContainerErrorOf([&] { container.ExtractFile(0, FDir.Path()); }), "File index '0' out of bounds!");
    container.Close();
    container.Close(); // closing twice is harmless
    EXPECT_TRUE(container.IsClosed());

    container.OpenReadOnly(file);
    EXPECT_TRUE(container.IsReadOnly());
    EXPECT_EQ(ContainerErrorOf([&] { container.AddFile(MakeFile("f", "1"), FDir.Path()); }),
              "Attempted append file '" + FDir.File("f") + "' to read only container '" + file + "'!");
    EXPECT_EQ(ContainerErrorOf([&] { container.DeleteEntry(entry); }),
              "Attempted delete file '5' in read only container '" + file + "'!");
    container.Close();
}

TEST_F(ContainerTest, ReadOnlyFilesOpenReadOnlyAndExtractStillWorks)
{
    const std::string file = FDir.File("ro.xvt");
    MakeContainer(file, "pw", {{"inside", "content"}});
    ::chmod(file.c_str(), 0444);
    TRandomCryptoContainer container("pw");
    EXPECT_EQ(ContainerErrorOf([&] { container.Open(file); }),
              "File '" + file + "' is read only! Cannot open for overwrite.");
    EXPECT_TRUE(container.IsClosed());
    container.OpenExisting(file);
    EXPECT_TRUE(container.IsReadOnly());
    container.ExtractFile(0, FDir.File("out"));
    EXPECT_EQ(ReadWholeFile(FDir.File("out/inside")), "content");
    container.Close();

    TRandomCryptoContainer creator("pw");
    EXPECT_EQ(ContainerErrorOf([&] { creator.OpenNew(file); }),
              "File '" + file + "' is read only! Cannot open for overwrite.");
    EXPECT_EQ(ContainerErrorOf([&] { creator.Open(FDir.File("missing.xvt")); }),
              "Container '" + FDir.File("missing.xvt") + "' not found!");
}

TEST_F(ContainerTest, WrongPasswordPausesRaisesAndLeavesTheObjectClosed)
{
    const std::string file = FDir.File("pw.xvt");
    MakeContainer(file, "right", {});
    const std::string before = ReadWholeFile(file);
    TRandomCryptoContainer wrong("wrong");
    EXPECT_THROW(wrong.Open(file), EPasswordError);
    EXPECT_TRUE(wrong.IsClosed());
    ASSERT_EQ(FPauses.size(), 1u);
    EXPECT_GE(FPauses[0], 1900);
    EXPECT_LE(FPauses[0], 2000);
    EXPECT_THROW(wrong.OpenExisting(file), EPasswordError);
    EXPECT_EQ(FPauses.size(), 3u) << "open for writing, then read-only: two pauses";

    EXPECT_TRUE(CheckPassword(file, "right"));
    EXPECT_FALSE(CheckPassword(file, "wrong"));
    EXPECT_EQ(ReadWholeFile(file), before);
    EXPECT_THROW(CheckPassword(FDir.File("missing.xvt"), "right"), EContainerError);
}

TEST_F(ContainerTest, PasswordsEquivalentThroughTheKeyPadOpenTheSameContainer)
{
    const std::string file = FDir.File("pad.xvt");
    TRandomCryptoContainer container("abc");
    container.OpenNew(file);
    container.Close();
    const std::string extended = "abc" + std::string(1, TCryptoContainer::KeyPad[3]);
    EXPECT_TRUE(CheckPassword(file, extended));
    EXPECT_EQ(TCryptoContainer::PaddedKey(""), TCryptoContainer::KeyPad);
    EXPECT_EQ(TCryptoContainer::PaddedKey("12345678901234"), "12345678901234");
    EXPECT_EQ(container.GetPassword(), "abc");
}

TEST_F(ContainerTest, BrokenHeadersGiveTheirMessages)
{
    const std::string file = FDir.File("broken.xvt");
    std::string header(24, '\0');
    header[0] = 4;
    WriteWholeFile(file, header);
    TRandomCryptoContainer container("pw");
    EXPECT_EQ(ContainerErrorOf([&] { container.Open(file); }), "Length random area '0' too small!");
    header[0] = 3;
    WriteWholeFile(file, header + PatternBytes(300));
    EXPECT_EQ(ContainerErrorOf([&] { container.Open(file); }), "Invalid container format '3'!");
    EXPECT_TRUE(FPauses.empty()) << "a wrong format is found before the password is tested";
    WriteWholeFile(file, "");
    EXPECT_EQ(ContainerErrorOf([&] { container.Open(file); }), "Illegal long size '0'!");
}

TEST_F(ContainerTest, InterruptedAddIsRecoveredByScanningOnTheNextOpen)
{
    const std::string file = FDir.File("interrupted.xvt");
    const std::string snapshot = FDir.File("snapshot.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(MakeFile("one", "first"), FDir.Path());
    container.AddFile(MakeFile("two", PatternBytes(5000)), FDir.Path());
    // The program stops here: the file on disk has entries but no valid catalog.
    std::filesystem::copy_file(file, snapshot);
    container.Close();

    TRandomCryptoContainer recovered("pw");
    TCatalog& catalog = recovered.Open(snapshot);
    EXPECT_TRUE(catalog.Regenerated());
    EXPECT_TRUE(recovered.IsModified());
    ASSERT_EQ(catalog.Count(), 2);
    recovered.Close();

    TRandomCryptoContainer reopened("pw");
    EXPECT_FALSE(reopened.Open(snapshot).Regenerated()) << "the close stored a valid catalog";
    EXPECT_EQ(reopened.GetCatalog().Count(), 2);
    reopened.ExtractFile(0, FDir.File("out"));
    reopened.ExtractFile(1, FDir.File("out"));
    EXPECT_EQ(ReadWholeFile(FDir.File("out/two")), PatternBytes(5000));
    reopened.Close();
}

TEST_F(ContainerTest, DamagedCatalogFallsBackToTheScan)
{
    const std::string file = FDir.File("damaged.xvt");
    MakeContainer(file, "pw", {{"kept", "still here"}}, "memo");
    std::string bytes = ReadWholeFile(file);
    const auto catalogPos = static_cast<std::size_t>(Int64At(bytes, 8) ^ CheckOf("pw"));
    for (std::size_t n = catalogPos + 8; n < bytes.size(); ++n) {
        bytes[n] = static_cast<char>(bytes[n] ^ 0x5A);
    }
    WriteWholeFile(file, bytes);

    TRandomCryptoContainer container("pw");
    TCatalog& catalog = container.OpenReadOnly(file);
    EXPECT_TRUE(catalog.Regenerated());
    ASSERT_EQ(catalog.Count(), 1);
    container.ExtractFile(0, FDir.File("out"));
    EXPECT_EQ(ReadWholeFile(FDir.File("out/kept")), "still here");
    container.Close();
}

TEST_F(ContainerTest, ScanKeepsCompleteEntriesAndAddingOverwritesTheDamagedTail)
{
    const std::string file = FDir.File("cut.xvt");
    std::int64_t secondPosition = 0;
    {
        TRandomCryptoContainer container("pw");
        container.OpenNew(file);
        container.AddFile(MakeFile("one", "complete"), FDir.Path());
        container.AddFile(MakeFile("two", PatternBytes(3000)), FDir.Path());
        container.GetCatalog().SortByID();
        secondPosition = container.GetCatalog().Item(1)->FPosition;
        container.Close();
    }
    // Cut the file inside the second entry's data and drop the catalog's validity.
    std::string bytes = ReadWholeFile(file);
    bytes.resize(static_cast<std::size_t>(secondPosition) + 200);
    std::string check(8, '\0');
    for (int n = 0; n < 8; ++n) {
        check[n] = static_cast<char>(static_cast<std::uint64_t>(CheckOf("pw")) >> (8 * n));
    }
    bytes.replace(8, 8, check);
    WriteWholeFile(file, bytes);

    TRandomCryptoContainer container("pw");
    TCatalog& catalog = container.Open(file);
    ASSERT_EQ(catalog.Count(), 1);
    container.AddFile(MakeFile("three", "new"), FDir.Path());
    container.GetCatalog().SortByID();
    EXPECT_EQ(container.GetCatalog().Item(1)->FPosition, secondPosition)
        << "the new entry starts where the damaged one stood";
    container.Close();

    TRandomCryptoContainer reopened("pw");
    EXPECT_EQ(reopened.OpenReadOnly(file).Count(), 2);
    EXPECT_FALSE(reopened.GetCatalog().Regenerated());
    reopened.Close();
}

TEST_F(ContainerTest, SortOrderIsStoredWithTheCatalog)
{
    const std::string file = FDir.File("sorted.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(MakeFile("a/x", "1"), FDir.File("a"));
    container.AddFile(MakeFile("b/y", "2"), FDir.File("b"));
    container.GetCatalog().SortByCode(3);
    container.SetMemo("changed");
    container.Close();

    container.Open(file);
    const TCatalog& catalog = container.GetCatalog();
    EXPECT_EQ(catalog.SortCode(), 3);
    EXPECT_TRUE(catalog.Ascending());
    EXPECT_EQ(catalog.Item(0)->FPath.FileName(), "y") << "base folders in reverse text order";
    container.Close();
}

TEST_F(ContainerTest, AppendContainerTakesEntriesMemoAndExtraUnderAnotherKey)
{
    const std::string source = FDir.File("source.xvt");
    {
        TRandomCryptoContainer container("source pw");
        container.OpenNew(source);
        container.AddFile(MakeFile("s/empty", ""), FDir.File("s"));
        container.AddFile(MakeFile("s/data", PatternBytes(100000, 7)), FDir.File("s"));
        container.SetMemo("source memo");
        container.SetExtra("source extra");
        container.GetCatalog().SortByCode(7);
        container.Close();
    }
    const std::string target = FDir.File("target.xvt");
    TRandomCryptoContainer container("target pw");
    container.OpenNew(target);
    EXPECT_THROW(container.AppendContainer(source, "bad"), EPasswordError);
    container.AppendContainer(source, "source pw");
    EXPECT_EQ(container.GetCatalog().SortCode(), 7) << "an empty target takes the source's order";
    EXPECT_EQ(container.GetMemo(), "source memo");
    container.Close();

    TRandomCryptoContainer reader("target pw");
    reader.Open(target);
    EXPECT_EQ(reader.GetExtra(), "source extra");
    ASSERT_EQ(reader.GetCatalog().Count(), 2);
    for (int index = 0; index < 2; ++index) {
        reader.ExtractFile(index, FDir.File("out"));
    }
    EXPECT_EQ(ReadWholeFile(FDir.File("out/data")), PatternBytes(100000, 7));
    EXPECT_EQ(std::filesystem::file_size(FDir.File("out/empty")), 0u);
    reader.Close();
}

TEST_F(ContainerTest, RekeyReplacesThePasswordAndKeepsEverything)
{
    const std::string file = FDir.File("rekey.xvt");
    MakeContainer(file, "old", {{"f", PatternBytes(2000)}}, "memo");
    const std::string before = ReadWholeFile(file);
    EXPECT_THROW(RekeyContainer(file, "new", "not the old one", FDir.File("work/temp.xvt")), EPasswordError);
    EXPECT_EQ(ReadWholeFile(file), before) << "a failed re-key leaves the container untouched";
    EXPECT_FALSE(std::filesystem::exists(FDir.File("work/temp.xvt")));

    RekeyContainer(file, "new", "old", FDir.File("work/temp.xvt"));
    EXPECT_FALSE(CheckPassword(file, "old"));
    TRandomCryptoContainer container("new");
    container.Open(file);
    EXPECT_EQ(container.GetMemo(), "memo");
    container.ExtractFile(0, FDir.File("out"));
    EXPECT_EQ(ReadWholeFile(FDir.File("out/f")), PatternBytes(2000));
    container.Close();
    EXPECT_FALSE(std::filesystem::exists(FDir.File("work/temp.xvt")));
    for (const auto& item : std::filesystem::directory_iterator(FDir.Path())) {
        EXPECT_EQ(item.path().filename().string().find(".rekey.xvt."), std::string::npos) << "no leftover";
    }
}

TEST_F(ContainerTest, ContainerFileIsHeldExclusivelyWhileOpen)
{
    const std::string file = FDir.File("held.xvt");
    TRandomCryptoContainer first("pw");
    first.OpenNew(file);
    TRandomCryptoContainer second("pw");
    EXPECT_ANY_THROW(second.OpenReadOnly(file));
    EXPECT_TRUE(second.IsClosed());
    first.Close();
    EXPECT_NO_THROW(second.OpenReadOnly(file));
    second.Close();
}

TEST_F(ContainerTest, RealWrongPasswordPauseIsAboutTwoSeconds)
{
    SetSleepFunction({});
    const std::string file = FDir.File("slow.xvt");
    TRandomCryptoContainer container("right");
    container.OpenNew(file);
    container.Close();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(CheckPassword(file, "wrong"));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(1900));
}

TEST_F(ContainerTest, ARebuiltCatalogNeverShowsTheExtraOfTheContainerOpenedBefore)
{
    const std::string withExtra = FDir.File("extra.xvt");
    const std::string snapshot = FDir.File("no-catalog.xvt");
    {
        TRandomCryptoContainer writer("pw");
        writer.OpenNew(withExtra);
        writer.SetExtra("sender@example.org");
        writer.Close();
        writer.OpenNew(FDir.File("other.xvt"));
        writer.AddFile(MakeFile("f", "data"), FDir.Path());
        std::filesystem::copy_file(FDir.File("other.xvt"), snapshot); // no valid catalog yet
        writer.Close();
    }
    TRandomCryptoContainer reader("pw");
    reader.OpenReadOnly(withExtra);
    EXPECT_EQ(reader.GetExtra(), "sender@example.org");
    reader.Close();
    EXPECT_TRUE(reader.OpenReadOnly(snapshot).Regenerated());
    EXPECT_EQ(reader.GetExtra(), "");
    EXPECT_EQ(reader.GetMemo(), "");
    reader.Close();
}

TEST_F(ContainerTest, CopyContainerWritesANewContainerUnderAnotherPasswordAndLeavesTheSource)
{
    const std::string source = FDir.File("source.xvt");
    MakeContainer(source, "source pw", {{"a.txt", "alpha"}}, "memo");
    const std::string before = ReadWholeFile(source);
    const std::string target = FDir.File("copies/target.xvt");
    CopyContainer(source, "source pw", target, FDir.File("work/copy.tmp"), "target pw");
    EXPECT_EQ(ReadWholeFile(source), before);
    EXPECT_FALSE(std::filesystem::exists(FDir.File("work/copy.tmp")));
    EXPECT_FALSE(CheckPassword(target, "source pw"));
    TRandomCryptoContainer copy("target pw");
    copy.OpenReadOnly(target);
    EXPECT_EQ(copy.GetMemo(), "memo");
    copy.ExtractFile(0, FDir.File("out"));
    EXPECT_EQ(ReadWholeFile(FDir.File("out/a.txt")), "alpha");
    copy.Close();
}

TEST_F(ContainerTest, StoredModificationTimesAreRoundedToTheNearestSecond)
{
    const std::int64_t local = 1600000000;
    const struct
    {
        long Nanoseconds;
        std::int64_t Stored;
    } cases[] = {{400'000'000, local}, {500'000'000, local + 1}, {600'000'000, local + 1}};
    const std::string file = FDir.File("times.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    for (const auto& c : cases) {
        const std::string name = MakeFile("t" + std::to_string(c.Nanoseconds), "x");
        SetLastWriteLocalSeconds(name, local);
        struct stat info
        {
        };
        ::stat(name.c_str(), &info);
        const timespec times[2] = {{0, UTIME_OMIT}, {info.st_mtim.tv_sec, c.Nanoseconds}};
        ::utimensat(AT_FDCWD, name.c_str(), times, 0);
        container.AddFile(name, FDir.Path());
    }
    std::map<std::string, std::int64_t> stored;
    for (const auto& entry : container.GetCatalog()) {
        stored[entry->FPath.FileName()] = entry->FModified;
    }
    container.Close();
    for (const auto& c : cases) {
        EXPECT_EQ(stored["t" + std::to_string(c.Nanoseconds)], c.Stored) << c.Nanoseconds << " ns";
    }
}

TEST_F(ContainerTest, ReplacedContainersKeepTheirPermissions)
{
    for (const unsigned mode : {0600u, 0660u}) {
        const std::string file = FDir.File("rekeyed.xvt");
        const std::string target = FDir.File("copied.xvt");
        MakeContainer(file, "old", {{"f", "data"}});
        MakeContainer(target, "other", {});
        ::chmod(file.c_str(), mode);
        ::chmod(target.c_str(), mode);
        RekeyContainer(file, "new", "old", FDir.File("work/temp.xvt"));
        CopyContainer(file, "new", target, FDir.File("work/temp.xvt"), "copy");
        EXPECT_EQ(ModeOf(file), mode) << "re-keyed";
        EXPECT_EQ(ModeOf(target), mode) << "copied over";
        EXPECT_TRUE(CheckPassword(target, "copy"));
    }
}

TEST_F(ContainerTest, ReadOnlyFilesAreNotReplacedByExtractingOrCopying)
{
    const std::string file = FDir.File("c.xvt");
    const std::string source = FDir.File("source.xvt");
    MakeContainer(file, "pw", {{"inside", "new contents"}});
    MakeContainer(source, "pw", {});
    const std::string kept = MakeFile("out/inside", "old contents");
    const std::string keptCopy = MakeFile("copy.xvt", "old contents");
    ::chmod(kept.c_str(), 0444);
    ::chmod(keptCopy.c_str(), 0444);
    TRandomCryptoContainer container("pw");
    container.OpenReadOnly(file);
    const struct
    {
        std::string Target;
        std::function<void()> Replace;
    } cases[] = {{kept, [&] { container.ExtractFile(0, FDir.File("out")); }},
                 {kept, [&] { container.ExtractFileTo(0, kept); }},
                 {keptCopy, [&] { CopyContainer(source, "pw", keptCopy, FDir.File("work/temp.xvt"), "pw"); }}};
    for (const auto& c : cases) {
        EXPECT_EQ(ContainerErrorOf(c.Replace), "File '" + c.Target + "' is read only! Cannot open for overwrite.");
        EXPECT_EQ(ReadWholeFile(c.Target), "old contents");
    }
    container.Close();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir.File("out")), {}), 1) << "no leftover";
}
