#include "ContainerFixture.h"
#include "container/LocalFiles.h"

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <tuple>

namespace {

using ContainerTest = ContainerFixture;

// Calls that must fail, each with the message it must raise.
void ExpectRefusals(const std::vector<std::pair<std::function<void()>, std::string>>& refusals)
{
    for (const auto& [call, message] : refusals) {
        EXPECT_EQ(ContainerErrorOf(call), message);
    }
}

std::string ReadOnlyError(const std::string& file)
{
    return "File '" + file + "' is read only! Cannot open for overwrite.";
}

unsigned ModeOf(const std::string& fileName)
{
    struct stat info = {};
    ::stat(fileName.c_str(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST_F(ContainerTest, FilesRoundTripWithNumbersTimesHeaderAndLocator)
{
    const std::string base = FDir.File("src"), file = FDir.File("files.xvt"), out = FDir.File("out");
    const std::string first = MakeFile("src/first.bin", PatternBytes(70000, 1));
    SetLastWriteLocalSeconds(first, 1600000000);
    TRandomCryptoContainer container("pw");
    EXPECT_EQ(container.OpenNew(file).Count(), 0);
    EXPECT_TRUE(container.IsWritable());
    for (const auto& name : {first, MakeFile("src/sub/dir/second.txt", "second file"), MakeFile("src/sub/empty", "")}) {
        container.AddFile(name, base);
    }
    container.SetMemo("{\\rtf1 memo}");
    container.SetExtra("extra");
    container.Close();
    const std::string bytes = ReadWholeFile(file);
    EXPECT_EQ(Int64At(bytes, 0), 4) << "format number in plain text";
    EXPECT_EQ(Int64At(bytes, 16), 0) << "no zombie bytes";

    TCatalog& catalog = container.Open(file);
    ASSERT_EQ(catalog.Count(), 3);
    EXPECT_FALSE(catalog.Regenerated());
    EXPECT_FALSE(container.IsModified());
    catalog.SortByID();
    const TFileInfo &e0 = *catalog.Item(0), &e1 = *catalog.Item(1), &e2 = *catalog.Item(2);
    EXPECT_EQ(std::tuple(e0.FID, e1.FID, e0.FSize, e0.FModified), std::tuple(0, 1, 70000, 1600000000));
    EXPECT_EQ(std::tuple(e1.FPath.BaseFolder(), e1.FPath.RelativeFolder(), e1.FPath.FileName()),
              std::tuple(base, "/sub/dir", "second.txt"));
    EXPECT_EQ(std::tuple(container.GetMemo(), container.GetExtra()), std::tuple("{\\rtf1 memo}", "extra"));
    EXPECT_TRUE(e0.FPosition >= 32 + 128 && e0.FPosition <= 32 + 255) << "a header of 32 bytes and 128 to 255 random";
    EXPECT_EQ(e1.FPosition, e0.FPosition + e0.FHeaderLength + e0.FSize) << "entries follow one another";
    EXPECT_EQ(CatalogPosition(bytes, "pw"), e2.FPosition + e2.FHeaderLength + e2.FSize + 8)
        << "the locator points just past the end marker, which follows the last entry";

    for (int index = 0; index < 3; ++index) {
        container.ExtractFile(index, out);
    }
    container.ExtractFileTo(1, out + "/renamed.txt");
    EXPECT_TRUE(TreeOf(out) == (TFileMap{{"first.bin", PatternBytes(70000, 1)},
                                         {"sub/dir/second.txt", "second file"},
                                         {"sub/empty", ""},
                                         {"renamed.txt", "second file"}}));
    EXPECT_EQ(LastWriteLocalSeconds(out + "/first.bin"), 1600000000);
    container.Close();
    EXPECT_EQ(ReadWholeFile(file), bytes) << "opening and closing without change leaves the file alone";

    MakeContainer(FDir.File("a.xvt"), "pw", {}, "memo");
    MakeContainer(FDir.File("b.xvt"), "pw", {}, "memo");
    EXPECT_NE(ReadWholeFile(FDir.File("a.xvt")).substr(24), ReadWholeFile(FDir.File("b.xvt")).substr(24))
        << "alike containers differ";
}

TEST_F(ContainerTest, EverySegmentStartsFromTheSameCipherState)
{
    const std::string file = FDir.File("segments.xvt");
    MakeContainer(file, "pw", {{"a", "aaaa"}, {"b", "bb"}});
    TRandomCryptoContainer container("pw");
    container.OpenReadOnly(file).SortByID();
    const auto first = static_cast<std::size_t>(container.GetCatalog().Item(0)->FPosition);
    const auto second = static_cast<std::size_t>(container.GetCatalog().Item(1)->FPosition);
    container.Close();

    const std::string bytes = ReadWholeFile(file);
    const auto catalogPos = static_cast<std::size_t>(CatalogPosition(bytes, "pw"));
    // Ciphertext XOR the known plain value gives the keystream: size 4, size 2, -1, and the sort
    // code -1 (never sorted).
    const std::int64_t keyFirst = Int64At(bytes, first) ^ 4;
    EXPECT_EQ(Int64At(bytes, second) ^ 2, keyFirst);
    EXPECT_EQ(Int64At(bytes, catalogPos - 8) ^ -1, keyFirst);
    EXPECT_EQ(Int64At(bytes, catalogPos) ^ -1, keyFirst);
}

TEST_F(ContainerTest, DuplicateNamesAreNumberedIgnoringCasePerObject)
{
    const std::string file = FDir.File("dup.xvt"), lower = MakeFile("d/name.txt", "1"), upper = FDir.File("d/NAME.txt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(lower, FDir.Path());
    container.AddFile(lower, FDir.Path());
    std::filesystem::rename(lower, upper);
    container.AddFile(upper, FDir.Path()).SortByID();
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(container.GetCatalog().Item(index)->FDupNo, index);
    }
    container.Close();
    container.Open(file);
    EXPECT_EQ(container.AddFile(upper, FDir.Path()).Item(0)->FDupNo, 0) << "a new object counts afresh (newest first)";
    container.Close();
}

TEST_F(ContainerTest, DeletedEntriesBecomeZombieBytesAndTheFileNeverShrinks)
{
    const std::string file = FDir.File("zombie.xvt");
    MakeContainer(file, "pw", {{"big", PatternBytes(1000)}, {"small", "x"}});
    const auto sizeBefore = std::filesystem::file_size(file);
    TRandomCryptoContainer container("pw");
    container.Open(file).SortByID();
    const TFileInfo big = *container.GetCatalog().Item(0);
    container.DeleteEntry(big);
    container.DeleteEntry(big); // already gone: nothing happens
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(container.GetZombieBytes(), big.FHeaderLength + 1000);
        EXPECT_EQ(container.GetCatalog().Count(), 1);
        container.Close();
        EXPECT_EQ(std::filesystem::file_size(file), sizeBefore);
        container.Open(file);
    }
    EXPECT_EQ(container.RegenCatalog(true).Count(), 2) << "deleted entries come back on a rescan";
    EXPECT_EQ(container.GetZombieBytes(), 0);
    container.Close();
}

TEST_F(ContainerTest, GuardsRefuseWithTheirMessagesAndAnOpenFileIsHeldExclusively)
{
    const std::string file = FDir.File("guards.xvt"), missing = FDir.File("missing.xvt"), added = MakeFile("f", "1");
    TRandomCryptoContainer container("pw"), other("pw");
    TFileInfo entry;
    entry.FID = 5;
    ExpectRefusals({
        {[&] { container.GetCatalog(); }, "Attempted read catalog on closed container ''!"},
        {[&] { container.AddFile("/x", "/"); }, "Attempted append file '/x' to closed container ''!"},
        {[&] { container.ExtractFile(3, "/tmp"); }, "Attempted extract file '3' from closed container ''!"},
        {[&] { container.DeleteEntry(entry); }, "Attempted delete file '5' in closed container ''!"},
        {[&] { container.GetMemo(); }, "Attempted get Memo on closed container ''!"},
        {[&] { container.SetExtra("x"); }, "Attempted set Extra in closed container ''!"},
        {[&] { container.GetZombieBytes(); }, "Attempted read zombie byte counter from closed container ''!"},
        {[&] { container.RegenCatalog(false); }, "Attempted regen catalog in closed container ''!"},
        {[&] { container.Open(missing); }, "Container '" + missing + "' not found!"},
    });
    EXPECT_TRUE(container.IsClosed());

    container.OpenNew(file);
    ExpectRefusals({
        {[&] { container.Open(file); }, "Attempted open on already opened container '" + file + "'!"},
        {[&] { container.OpenNew(file); }, "Attempted open new on already opened container '" + file + "'!"},
        {[&] { container.ExtractFile(-1, FDir.Path()); }, "File index '-1' out of bounds!"},
        {[&] { container.ExtractFile(0, FDir.Path()); }, "File index '0' out of bounds!"},
    });
    EXPECT_ANY_THROW(other.OpenReadOnly(file)) << "held by the first object";
    EXPECT_TRUE(other.IsClosed());
    container.Close();
    container.Close(); // closing twice is harmless
    EXPECT_TRUE(container.IsClosed());

    other.OpenReadOnly(file);
    EXPECT_TRUE(other.IsReadOnly());
    ExpectRefusals({
        {[&] { other.AddFile(added, FDir.Path()); },
         "Attempted append file '" + added + "' to read only container '" + file + "'!"},
        {[&] { other.DeleteEntry(entry); }, "Attempted delete file '5' in read only container '" + file + "'!"},
    });
    other.Close();
}

TEST_F(ContainerTest, ReadOnlyFilesAreNeitherOpenedForWritingNorReplaced)
{
    const std::string file = FDir.File("c.xvt"), source = FDir.File("source.xvt");
    MakeContainer(file, "pw", {{"inside", "new contents"}});
    MakeContainer(source, "pw", {});
    const std::string kept = MakeFile("out/inside", "old contents"), keptCopy = MakeFile("copy.xvt", "old contents");
    for (const auto& name : {file, kept, keptCopy}) {
        ::chmod(name.c_str(), 0444);
    }
    const std::string before = ReadWholeFile(file);
    TRandomCryptoContainer container("pw");
    ExpectRefusals({{[&] { container.Open(file); }, ReadOnlyError(file)},
                    {[&] { container.OpenNew(file); }, ReadOnlyError(file)}});
    EXPECT_TRUE(container.IsClosed());
    container.OpenExisting(file);
    EXPECT_TRUE(container.IsReadOnly());
    EXPECT_EQ(ExtractedFiles(container), (TFileMap{{"inside", "new contents"}}));
    ExpectRefusals({
        {[&] { container.ExtractFile(0, FDir.File("out")); }, ReadOnlyError(kept)},
        {[&] { container.ExtractFileTo(0, kept); }, ReadOnlyError(kept)},
        {[&] { CopyContainer(source, "pw", keptCopy, FDir.File("work/temp.xvt"), "pw"); }, ReadOnlyError(keptCopy)},
    });
    container.Close();
    EXPECT_EQ(std::tuple(ReadWholeFile(file), ReadWholeFile(kept), ReadWholeFile(keptCopy)),
              std::tuple(before, "old contents", "old contents"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FDir.File("out")), {}), 1) << "no leftover";
}

TEST_F(ContainerTest, WrongPasswordsPauseRaiseAndLeaveTheObjectClosed)
{
    const std::string file = FDir.File("pw.xvt");
    MakeContainer(file, "abc", {});
    const std::string before = ReadWholeFile(file);
    TRandomCryptoContainer wrong("wrong");
    EXPECT_THROW(wrong.Open(file), EPasswordError);
    EXPECT_TRUE(wrong.IsClosed());
    ASSERT_EQ(FPauses.size(), 1u);
    EXPECT_TRUE(FPauses[0] >= 1900 && FPauses[0] <= 2000) << FPauses[0];
    EXPECT_THROW(wrong.OpenExisting(file), EPasswordError);
    EXPECT_EQ(FPauses.size(), 3u) << "open for writing, then read-only: two pauses";

    EXPECT_TRUE(CheckPassword(file, "abc"));
    EXPECT_FALSE(CheckPassword(file, "wrong"));
    EXPECT_EQ(ReadWholeFile(file), before);
    EXPECT_THROW(CheckPassword(FDir.File("missing.xvt"), "abc"), EContainerError);

    // Passwords equal through the key pad open the same container.
    EXPECT_TRUE(CheckPassword(file, "abc" + std::string(1, TCryptoContainer::KeyPad[3])));
    EXPECT_EQ(TCryptoContainer::PaddedKey(""), TCryptoContainer::KeyPad);
    EXPECT_EQ(TCryptoContainer::PaddedKey("12345678901234"), "12345678901234");
    EXPECT_EQ(TRandomCryptoContainer("abc").GetPassword(), "abc");

    SetSleepFunction({}); // the real pause
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(CheckPassword(file, "wrong"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1900));
}

TEST_F(ContainerTest, BrokenHeadersGiveTheirMessagesBeforeThePasswordIsTried)
{
    const std::string file = FDir.File("broken.xvt"), header = std::string(1, '\4') + std::string(23, '\0');
    TRandomCryptoContainer container("pw");
    for (const auto& [bytes, message] : std::vector<std::pair<std::string, std::string>>{
             {header, "Length random area '0' too small!"},
             {'\3' + header.substr(1) + PatternBytes(300), "Invalid container format '3'!"},
             {"", "Illegal long size '0'!"}}) {
        WriteWholeFile(file, bytes);
        EXPECT_EQ(ContainerErrorOf([&] { container.Open(file); }), message);
    }
    EXPECT_TRUE(FPauses.empty()) << "a broken header is found before the password is tested";
}

TEST_F(ContainerTest, InterruptedAddIsRecoveredWithoutTheExtraOfTheContainerOpenedBefore)
{
    const std::string withExtra = FDir.File("extra.xvt"), file = FDir.File("cut.xvt"), snapshot = FDir.File("s.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(withExtra);
    container.SetExtra("sender@example.org");
    container.SetMemo("memo");
    container.Close();
    container.OpenNew(file);
    container.AddFile(MakeFile("one", "first"), FDir.Path());
    container.AddFile(MakeFile("two", PatternBytes(5000)), FDir.Path());
    std::filesystem::copy_file(file, snapshot); // the program stops here: entries but no valid catalog
    container.Close();

    container.OpenReadOnly(withExtra);
    EXPECT_EQ(container.GetExtra(), "sender@example.org");
    container.Close();
    TCatalog& catalog = container.Open(snapshot);
    EXPECT_TRUE(catalog.Regenerated());
    EXPECT_TRUE(container.IsModified());
    EXPECT_EQ(std::tuple(catalog.Count(), container.GetExtra(), container.GetMemo()), std::tuple(2, "", ""));
    container.Close();
    EXPECT_FALSE(container.Open(snapshot).Regenerated()) << "the close stored a valid catalog";
    EXPECT_EQ(ExtractedFiles(container), (TFileMap{{"one", "first"}, {"two", PatternBytes(5000)}}));
    container.Close();
}

TEST_F(ContainerTest, DamagedCatalogsFallBackToTheScan)
{
    const std::string file = FDir.File("damaged.xvt");
    // Everything after the catalog's first field scrambled; the memo length set to 2^50 through
    // the keystream of the known plain text of an empty memo, extra and end (-1) before it.
    const std::vector<std::function<void(std::string&)>> damages = {
        [](std::string& bytes) {
            for (auto n = static_cast<std::size_t>(CatalogPosition(bytes, "pw")) + 8; n < bytes.size(); ++n) {
                bytes[n] = static_cast<char>(bytes[n] ^ 0x5A);
            }
        },
        [](std::string& bytes) {
            for (std::size_t n = 0; n < 8; ++n) {
                bytes[bytes.size() - 24 + n] ^= static_cast<char>((std::int64_t{1} << 50) >> (8 * n));
            }
        }};
    for (const auto& damage : damages) {
        MakeContainer(file, "pw", {{"kept", "still here"}});
        std::string bytes = ReadWholeFile(file);
        damage(bytes);
        WriteWholeFile(file, bytes);
        TRandomCryptoContainer container("pw");
        EXPECT_TRUE(container.OpenReadOnly(file).Regenerated());
        EXPECT_EQ(container.GetMemo(), "");
        EXPECT_EQ(ExtractedFiles(container), (TFileMap{{"kept", "still here"}}));
        container.Close();
    }
}

TEST_F(ContainerTest, ScanKeepsCompleteEntriesAndAddingOverwritesTheDamagedTail)
{
    const std::string file = FDir.File("cut.xvt");
    MakeContainer(file, "pw", {{"one", "complete"}, {"two", PatternBytes(3000)}});
    TRandomCryptoContainer container("pw");
    container.OpenReadOnly(file).SortByID();
    const std::int64_t secondPosition = container.GetCatalog().Item(1)->FPosition;
    container.Close();
    // Cut the file inside the second entry's data and drop the catalog's validity (locator 0).
    std::string bytes = ReadWholeFile(file);
    bytes.resize(static_cast<std::size_t>(secondPosition) + 200);
    const std::int64_t check = CatalogPosition(bytes, "pw") ^ Int64At(bytes, 8);
    for (int n = 0; n < 8; ++n) {
        bytes[8 + n] = static_cast<char>(static_cast<std::uint64_t>(check) >> (8 * n));
    }
    WriteWholeFile(file, bytes);

    ASSERT_EQ(container.Open(file).Count(), 1);
    container.AddFile(MakeFile("three", "new"), FDir.Path()).SortByID();
    EXPECT_EQ(container.GetCatalog().Item(1)->FPosition, secondPosition)
        << "the new entry stands where the cut one did";
    container.Close();
    EXPECT_FALSE(container.OpenReadOnly(file).Regenerated());
    EXPECT_EQ(ExtractedFiles(container), (TFileMap{{"one", "complete"}, {"three", "new"}}));
    container.Close();
}

TEST_F(ContainerTest, AppendContainerTakesEntriesMemoExtraAndStoredOrderUnderAnotherKey)
{
    const std::string source = FDir.File("source.xvt"), target = FDir.File("target.xvt");
    TRandomCryptoContainer container("source pw");
    container.OpenNew(source);
    container.AddFile(MakeFile("s/empty", ""), FDir.File("s"));
    container.AddFile(MakeFile("t/data", PatternBytes(100000, 7)), FDir.File("t"));
    container.SetMemo("source memo");
    container.SetExtra("source extra");
    container.GetCatalog().SortByCode(3);
    container.Close();
    EXPECT_EQ(container.OpenReadOnly(source).SortCode(), 3) << "the order is stored with the catalog";
    EXPECT_TRUE(container.GetCatalog().Ascending());
    EXPECT_EQ(container.GetCatalog().Item(0)->FPath.FileName(), "data") << "base folders in reverse text order";
    container.Close();

    TRandomCryptoContainer appender("target pw");
    appender.OpenNew(target);
    EXPECT_THROW(appender.AppendContainer(source, "bad"), EPasswordError);
    appender.AppendContainer(source, "source pw");
    EXPECT_EQ(appender.GetCatalog().SortCode(), 3) << "an empty target takes the source's order";
    EXPECT_EQ(appender.GetMemo(), "source memo");
    appender.Close();
    appender.Open(target);
    EXPECT_EQ(appender.GetExtra(), "source extra");
    EXPECT_EQ(ExtractedFiles(appender), (TFileMap{{"empty", ""}, {"data", PatternBytes(100000, 7)}}));
    appender.Close();
}

TEST_F(ContainerTest, RekeyAndCopyKeepEverythingButThePasswordAndThePermissions)
{
    const std::string file = FDir.File("rekeyed.xvt"), target = FDir.File("copied.xvt"), temp = FDir.File("work/t.xvt");
    const TFileMap files = {{"f", PatternBytes(2000)}};
    for (const unsigned mode : {0600u, 0660u}) {
        SCOPED_TRACE(mode);
        MakeContainer(file, "old", {*files.begin()}, "memo");
        MakeContainer(target, "other", {});
        ::chmod(file.c_str(), mode);
        ::chmod(target.c_str(), mode);
        const std::string before = ReadWholeFile(file);
        EXPECT_THROW(RekeyContainer(file, "new", "not the old one", temp), EPasswordError);
        EXPECT_EQ(ReadWholeFile(file), before) << "a failed re-key leaves the container untouched";

        RekeyContainer(file, "new", "old", temp);
        EXPECT_FALSE(CheckPassword(file, "old"));
        const std::string rekeyed = ReadWholeFile(file);
        CopyContainer(file, "new", target, temp, "copy");
        EXPECT_EQ(ReadWholeFile(file), rekeyed) << "the source of a copy stays as it was";
        EXPECT_FALSE(CheckPassword(target, "new"));
        for (const auto& [name, password] : {std::pair{file, "new"}, {target, "copy"}}) {
            EXPECT_EQ(ModeOf(name), mode) << name;
            EXPECT_EQ(ExtractedFiles(name, password), files);
            TRandomCryptoContainer container(password);
            EXPECT_EQ(container.OpenReadOnly(name).Count(), 1);
            EXPECT_EQ(container.GetMemo(), "memo");
            container.Close();
        }
    }
    CopyContainer(file, "new", FDir.File("copies/new.xvt"), temp, "copy");
    EXPECT_EQ(ExtractedFiles(FDir.File("copies/new.xvt"), "copy"), files) << "copied into a new folder";
    for (const auto& item : std::filesystem::recursive_directory_iterator(FDir.Path())) {
        EXPECT_EQ(item.path().filename().string().find(".rekey.xvt."), std::string::npos) << "leftover";
    }
    EXPECT_FALSE(std::filesystem::exists(temp));
}

TEST_F(ContainerTest, StoredModificationTimesAreRoundedToTheNearestSecond)
{
    const std::int64_t local = 1600000000;
    TRandomCryptoContainer container("pw");
    container.OpenNew(FDir.File("times.xvt"));
    for (const auto& [nanoseconds, stored] :
         std::map<long, std::int64_t>{{400'000'000, local}, {500'000'000, local + 1}, {600'000'000, local + 1}}) {
        const std::string name = MakeFile(std::to_string(nanoseconds), "x");
        SetLastWriteLocalSeconds(name, local);
        struct stat info = {};
        ::stat(name.c_str(), &info);
        const timespec times[2] = {{0, UTIME_OMIT}, {info.st_mtim.tv_sec, nanoseconds}};
        ::utimensat(AT_FDCWD, name.c_str(), times, 0);
        EXPECT_EQ(container.AddFile(name, FDir.Path()).Item(0)->FModified, stored) << nanoseconds << " ns";
    }
    container.Close();
}
