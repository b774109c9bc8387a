#include "ContainerFixture.h"
#include "cipher/BasicFileStream.h"
#include "sealed/ContainerFormats.h"
#include "container/BasicContainer.h"
#include "container/FileReadAhead.h"
#include "container/LocalFiles.h"
#include "container/LocalTime.h"
#include "container/PathError.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
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

// Bounds that make the read-ahead wait for its consumer at every file, and hand files of more
// than 100 bytes over open.
constexpr TFileReadAhead::TLimits TightLimits{100, 1, 1, 1};

// Each file to be stored from the base folder.
std::vector<TFileToStore> ToStore(const std::vector<std::string>& names, const std::string& base)
{
    std::vector<TFileToStore> files;
    for (const std::string& name : names) {
        files.push_back({name, {}});
        files.back().Path.SetFrom(name, base);
    }
    return files;
}

// What a catalog keeps of each entry but the time it was added, in entry-number order.
std::vector<std::tuple<std::string, std::string, std::int64_t, std::int64_t, std::int64_t, std::int64_t>>
StoredFacts(TCatalog& catalog)
{
    catalog.SortByID();
    std::vector<std::tuple<std::string, std::string, std::int64_t, std::int64_t, std::int64_t, std::int64_t>> facts;
    for (const auto& entry : catalog) {
        facts.emplace_back(entry->FPath.StoredRelativeFolder(), entry->FPath.StoredFileName(), entry->FSize,
                           entry->FDupNo, entry->FAttributes, entry->FModified);
    }
    return facts;
}

// Gives the header's locator (stored masked with the password's check) the value 0: the catalog
// is not trusted and the entries are found by a scan.
void DropLocator(std::string& bytes)
{
    const std::int64_t check = CatalogPosition(bytes, "pw") ^ Int64At(bytes, 8);
    for (int n = 0; n < 8; ++n) {
        bytes[8 + n] = static_cast<char>(static_cast<std::uint64_t>(check) >> (8 * n));
    }
}

} // namespace

// Deleted entries become zombie bytes: the file never shrinks, and a rescan finds them again.
TEST_F(ContainerTest, FilesRoundTripWithNumbersTimesHeaderLocatorAndZombieBytes)
{
    const std::string base = FDir.File("src"), file = FDir.File("files.xvt");
    const std::string first = MakeFile("src/first.bin", PatternBytes(70000, 1));
    SetLastWriteLocalSeconds(first, 1600000000);
    TRandomCryptoContainer container(TContainerKey("pw"));
    EXPECT_EQ(container.OpenNew(file).Count(), 0);
    for (const auto& name : {first, MakeFile("src/sub/dir/second.txt", "second file"), MakeFile("src/sub/empty", "")}) {
        container.AddFile(name, base);
    }
    container.SetMemo("{\\rtf1 memo}");
    container.SetExtra("extra");
    container.Close();
    const std::string bytes = ReadWholeFile(file);
    EXPECT_EQ(std::tuple(Int64At(bytes, 0), Int64At(bytes, 16)), std::tuple(4, 0)) << "format number, zombie bytes";

    TCatalog& catalog = container.Open(file);
    ASSERT_EQ(std::tuple(catalog.Count(), catalog.Regenerated(), container.IsModified()), std::tuple(3, false, false));
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
    EXPECT_TRUE(ExtractedFiles(container) ==
                (TFileMap{{"first.bin", PatternBytes(70000, 1)}, {"second.txt", "second file"}, {"empty", ""}}));
    container.Close();
    EXPECT_EQ(ReadWholeFile(file), bytes) << "opening and closing without change leaves the file alone";

    container.Open(file).SortByID();
    const TFileInfo deleted = *container.GetCatalog().Item(0);
    container.DeleteEntry(deleted);
    container.DeleteEntry(deleted); // already gone: nothing happens
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(std::tuple(container.GetZombieBytes(), container.GetCatalog().Count()),
                  std::tuple(deleted.FHeaderLength + 70000, 2));
        container.Close();
        EXPECT_EQ(std::filesystem::file_size(file), bytes.size());
        container.Open(file);
    }
    EXPECT_EQ(container.RegenCatalog(true).Count(), 3) << "deleted entries come back on a rescan";
    EXPECT_EQ(container.GetZombieBytes(), 0);
    container.Close();

    MakeContainer(FDir.File("a.xvt"), "pw", {}, "memo");
    MakeContainer(FDir.File("b.xvt"), "pw", {}, "memo");
    EXPECT_NE(ReadWholeFile(FDir.File("a.xvt")).substr(24), ReadWholeFile(FDir.File("b.xvt")).substr(24))
        << "alike containers differ";
}

// Duplicate numbers count the files of one full name, ignoring case, that this object added; the
// stored times are rounded to the nearest second.
TEST_F(ContainerTest, AddedFilesGetDuplicateNumbersAndRoundedTimes)
{
    const std::string file = FDir.File("dup.xvt"), lower = MakeFile("d/name.txt", "1"), upper = FDir.File("d/NAME.txt");
    const std::int64_t local = 1600000000;
    TRandomCryptoContainer container(TContainerKey("pw"));
    container.OpenNew(file);
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
    container.AddFile(lower, FDir.Path());
    container.AddFile(lower, FDir.Path());
    std::filesystem::rename(lower, upper);
    container.AddFile(upper, FDir.Path()).SortByID();
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(container.GetCatalog().Item(3 + index)->FDupNo, index);
    }
    container.Close();
}

// Guards of a closed or open container; an open file is held exclusively. Refused: a read-only
// container, a read-only file or a folder in the way of an extracted file, a read-only copy target.
// Failed: the last writes of an extracted file (as on a full disk), which must be reported and
// leave neither a short file nor the temporary one.
TEST_F(ContainerTest, GuardsAndRefusedOrFailedWritesChangeNoFileAndLeaveNone)
{
    const std::string guards = FDir.File("guards.xvt"), missing = FDir.File("missing.xvt");
    TRandomCryptoContainer container(TContainerKey("pw")), other(TContainerKey("pw"));
    TFileInfo entry;
    entry.FID = 5;
    ExpectRefusals({
        {[&] { container.GetCatalog(); }, "Attempted read catalog on closed container ''!"},
        {[&] { container.AddFile("/x", "/"); }, "Attempted append file '/x' to closed container ''!"},
        {[&] { container.ExtractFile(3, "/tmp"); }, "Attempted extract file '3' from closed container ''!"},
        {[&] { container.DeleteEntry(entry); }, "Attempted delete file '5' in closed container ''!"},
        {[&] { container.Open(missing); }, "Container '" + missing + "' not found!"},
    });
    EXPECT_TRUE(container.IsClosed());

    container.OpenNew(guards);
    ExpectRefusals({
        {[&] { container.Open(guards); }, "Attempted open on already opened container '" + guards + "'!"},
        {[&] { container.OpenNew(guards); }, "Attempted open new on already opened container '" + guards + "'!"},
        {[&] { container.ExtractFile(-1, FDir.Path()); }, "File index '-1' out of bounds!"},
        {[&] { container.ExtractFile(0, FDir.Path()); }, "File index '0' out of bounds!"},
    });
    EXPECT_ANY_THROW(other.OpenReadOnly(guards)) << "held by the first object";
    EXPECT_TRUE(other.IsClosed());
    container.Close();
    container.Close(); // closing twice is harmless
    EXPECT_TRUE(container.IsClosed());

    const std::string file = FDir.File("c.xvt"), source = FDir.File("source.xvt"), big = PatternBytes(20000);
    MakeContainer(file, "pw", {{"inside", big}});
    MakeContainer(source, "pw", {});
    const std::string kept = MakeFile("out/inside", "old contents"), keptCopy = MakeFile("copy.xvt", "old contents");
    for (const auto& name : {file, kept, keptCopy}) {
        ::chmod(name.c_str(), 0444);
    }
    const std::string folder = FDir.File("folder/inside");
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(FDir.File("full"));
    // A new container, or the intermediate file of a copy, is never created where something
    // stands: not in a file (as a caller may name one), not through a link to one.
    const std::string victim = MakeFile("victim.txt", "victim"), link = FDir.File("link.xvt");
    std::filesystem::create_symlink(victim, link);
    const TFileMap before = TreeOf(FDir.Path());
    ExpectRefusals({{[&] { container.Open(file); }, ReadOnlyError(file)},
                    {[&] { container.OpenNew(file); }, ReadOnlyError(file)}});
    for (const std::function<void()>& create : std::vector<std::function<void()>>{
             [&] { container.OpenNew(link); }, [&] { container.OpenNew(victim); },
             [&] { RekeyContainer(source, TContainerKey("new"), TContainerKey("pw"), link); },
             [&] { CopyContainer(source, TContainerKey("pw"), FDir.File("new.xvt"), victim, TContainerKey("pw")); }}) {
        EXPECT_THROW(create(), EStreamError);
    }
    EXPECT_TRUE(container.IsClosed());
    container.OpenExisting(file);
    EXPECT_TRUE(container.IsReadOnly());
    EXPECT_TRUE(ExtractedFiles(container) == (TFileMap{{"inside", big}}));
    ExpectRefusals({
        {[&] { container.ExtractFile(0, FDir.File("out")); }, ReadOnlyError(kept)},
        {[&] { container.ExtractFileTo(0, kept); }, ReadOnlyError(kept)},
        {[&] { container.ExtractFile(0, FDir.File("folder")); }, ReadOnlyError(folder)},
        {[&] { container.ExtractFile(0, ""); }, "Invalid folder!"},
        {[&] { CopyContainer(source, TContainerKey("pw"), keptCopy, FDir.File("work/temp.xvt"), TContainerKey("pw")); },
         ReadOnlyError(keptCopy)},
        {[&] { container.AddFile(kept, FDir.Path()); },
         "Attempted append file '" + kept + "' to read only container '" + file + "'!"},
        {[&] { container.DeleteEntry(*container.GetCatalog().Item(0)); },
         "Attempted delete file '0' in read only container '" + file + "'!"},
    });
    // No file of this process may grow beyond 8 KiB for a moment: writes past it fail with EFBIG.
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit limit{8192, unlimited.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(container.ExtractFile(0, FDir.File("full")), std::exception);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    container.Close();
    EXPECT_TRUE(TreeOf(FDir.Path()) == before) << "a file was changed or left behind";
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(ContainerTest, AWrongPasswordPausesAndRaisesABrokenHeaderRaisesAtOnce)
{
    const std::string file = FDir.File("pw.xvt");
    MakeContainer(file, "abc", {});
    const std::string before = ReadWholeFile(file);
    TRandomCryptoContainer wrong(TContainerKey("wrong"));
    EXPECT_THROW(wrong.Open(file), EPasswordError);
    EXPECT_TRUE(wrong.IsClosed());
    ASSERT_EQ(FPauses.size(), 1u);
    EXPECT_TRUE(FPauses[0] >= 1900 && FPauses[0] <= 2000) << FPauses[0];
    EXPECT_THROW(wrong.OpenExisting(file), EPasswordError);
    EXPECT_EQ(FPauses.size(), 3u) << "open for writing, then read-only: two pauses";

    // Passwords equal through the key pad open the same container; a long one is not padded.
    EXPECT_EQ(std::tuple(CheckPassword(file, TContainerKey("abc")), CheckPassword(file, TContainerKey("wrong")),
                         CheckPassword(file, TContainerKey("abc" + std::string(1, TCryptoContainer::KeyPad[3])))),
              std::tuple(true, false, true));
    EXPECT_EQ(TCryptoContainer::PaddedKey("12345678901234"), "12345678901234");
    EXPECT_EQ(TContainerKey("Caf\xC3\xA9").Bytes(), "Caf\xE9") << "a key is the password as stored text";
    EXPECT_EQ(ReadWholeFile(file), before);

    const std::string broken = FDir.File("broken.xvt"), header = std::string(1, '\4') + std::string(23, '\0');
    FPauses.clear();
    for (const auto& [bytes, message] : std::vector<std::pair<std::string, std::string>>{
             {header, "Length random area '0' too small!"},
             {'\3' + header.substr(1) + PatternBytes(300), "Invalid container format '3'!"},
             {"", "Illegal long size '0'!"}}) {
        WriteWholeFile(broken, bytes);
        EXPECT_EQ(ContainerErrorOf([&] { wrong.Open(broken); }), message);
    }
    EXPECT_TRUE(FPauses.empty()) << "a broken header is found before the password is tested";
}

// One object throughout: the memo and extra it read from a container before must not pass into a
// rebuilt catalog. A file added afterwards follows the last complete entry, over a damaged tail.
TEST_F(ContainerTest, DamagedCatalogsAreRebuiltByTheScanWithoutTheTextsOfTheContainerOpenedBefore)
{
    const std::string file = FDir.File("damaged.xvt"), texts = FDir.File("texts.xvt");
    const TFileMap all = {{"kept", "still here"}, {"two", PatternBytes(5000)}, {"three", "new"}};
    MakeContainer(texts, "pw", {}, "memo", "sender@example.org");
    TRandomCryptoContainer container(TContainerKey("pw"));
    // The memo length set to 2^50 (behind entries read well, which must not stay twice) through
    // the keystream of the known plain text of an empty memo, extra and end (-1) before it; no
    // valid locator, as when the program stopped while adding; cut inside the last entry's data.
    const std::vector<std::pair<std::function<void(std::string&)>, TFileMap>> damages = {
        {[](std::string& bytes) {
             for (std::size_t n = 0; n < 8; ++n) {
                 bytes[bytes.size() - 24 + n] ^= static_cast<char>((std::int64_t{1} << 50) >> (8 * n));
             }
         },
         all},
        {DropLocator, all},
        {[](std::string& bytes) {
             bytes.resize(static_cast<std::size_t>(CatalogPosition(bytes, "pw")) - 8 - 100);
             DropLocator(bytes);
         },
         {{"kept", "still here"}, {"three", "new"}}}};
    for (const auto& [damage, extracted] : damages) {
        MakeContainer(file, "pw", {{"kept", "still here"}, {"two", PatternBytes(5000)}});
        std::string bytes = ReadWholeFile(file);
        damage(bytes);
        WriteWholeFile(file, bytes);
        container.OpenReadOnly(texts);
        ASSERT_EQ(container.GetExtra(), "sender@example.org");
        container.Close();
        TCatalog& catalog = container.Open(file);
        EXPECT_EQ(std::tuple(catalog.Regenerated(), container.IsModified(), catalog.Count() + 1, container.GetExtra(),
                             container.GetMemo()),
                  std::tuple(true, true, static_cast<int>(extracted.size()), "", ""));
        catalog.SortByID();
        const TFileInfo& last = *catalog.Item(catalog.Count() - 1);
        const std::int64_t end = last.FPosition + last.FHeaderLength + last.FSize;
        container.AddFile(MakeFile("three", "new"), FDir.Path());
        EXPECT_EQ(catalog.Item(catalog.Count() - 1)->FPosition, end);
        container.Close();
        EXPECT_FALSE(container.Open(file).Regenerated()) << "the close stored a valid catalog";
        EXPECT_TRUE(ExtractedFiles(container) == extracted);
        container.Close();
    }
}

// A copy is a merge into a new container (the empty target takes the stored order of the source).
TEST_F(ContainerTest, RekeyAndCopyKeepEverythingButThePasswordAndThePermissions)
{
    const std::string file = FDir.File("rekeyed.xvt"), target = FDir.File("copied.xvt"), temp = FDir.File("work/t.xvt");
    const TFileMap files = {{"data", PatternBytes(100000, 7)}, {"empty", ""}};
    const auto mode = std::filesystem::perms(0660);
    MakeContainer(file, "old", {files.begin(), files.end()}, "memo");
    TRandomCryptoContainer source(TContainerKey("old"));
    source.Open(file).SortByCode(3);
    source.SetExtra("extra"); // a change, so that the order is stored
    source.Close();
    MakeContainer(target, "other", {});
    ::chmod(file.c_str(), 0660);
    ::chmod(target.c_str(), 0660);
    const std::string before = ReadWholeFile(file);
    EXPECT_THROW(RekeyContainer(file, TContainerKey("new"), TContainerKey("not the old one"), temp), EPasswordError);
    EXPECT_EQ(ReadWholeFile(file), before) << "a failed re-key leaves the container untouched";

    RekeyContainer(file, TContainerKey("new"), TContainerKey("old"), temp);
    EXPECT_FALSE(CheckPassword(file, TContainerKey("old")));
    const std::string rekeyed = ReadWholeFile(file);
    CopyContainer(file, TContainerKey("new"), target, temp, TContainerKey("copy"));
    EXPECT_EQ(ReadWholeFile(file), rekeyed) << "the source of a copy stays as it was";
    EXPECT_FALSE(CheckPassword(target, TContainerKey("new")));
    for (const auto& [name, password] : {std::pair{file, "new"}, {target, "copy"}}) {
        EXPECT_EQ(std::filesystem::status(name).permissions(), mode) << name;
        TRandomCryptoContainer container{TContainerKey(password)};
        EXPECT_EQ(container.OpenReadOnly(name).SortCode(), 3);
        EXPECT_TRUE(ExtractedFiles(container) == files);
        EXPECT_EQ(std::tuple(container.GetMemo(), container.GetExtra()), std::tuple("memo", "extra"));
        container.Close();
    }
    CopyContainer(file, TContainerKey("new"), FDir.File("copies/new.xvt"), temp, TContainerKey("copy"));
    EXPECT_TRUE(ExtractedFiles(FDir.File("copies/new.xvt"), "copy") == files) << "copied into a new folder";
    EXPECT_EQ(TreeOf(FDir.Path()).size(), 5u) << "the two source files and three containers, no work file";
}

// The plain container of the base class: a header marker, the entries, a trailer marker; written
// in one go and extracted in one go with the stored folders.
TEST_F(ContainerTest, PlainContainerStoresAndExtractsATree)
{
    std::vector<TPathInfo> paths(2);
    paths[0].SetFrom(MakeFile("src/a.txt", "alpha"), FDir.File("src"));
    paths[1].SetFrom(MakeFile("src/sub/b.bin", PatternBytes(70000, 2)), FDir.File("src"));
    TBasicContainer plain;
    plain.CreateWith(FDir.File("plain.bin"), paths);
    EXPECT_EQ(plain.ExtractAllFrom(FDir.File("plain.bin"), FDir.File("out"))->Count(), 2);
    EXPECT_EQ(TreeOf(FDir.File("out")), TreeOf(FDir.File("src")));
}

// A batch stores what adding the files one by one stores, whichever way each was read (in memory
// or from the open file). A folder path of more than 255 bytes is kept cut short, but the file is
// still read by its real name (it used to be looked for under the shortened name).
TEST_F(ContainerTest, BatchAddStoresWhatAddingOneByOneStores)
{
    const std::string base = FDir.File("src"), deep = std::string(200, 'd') + "/" + std::string(100, 'e');
    std::vector<std::string> names = {MakeFile("src/big.bin", PatternBytes(5000, 3)), MakeFile("src/empty", ""),
                                      MakeFile("src/.hidden", "h"), MakeFile("src/sub/ro.txt", "read only"),
                                      MakeFile("src/" + deep + "/deep.txt", "deep")};
    names.push_back(names[0]); // the same name again: the next duplicate number
    ::chmod(names[3].c_str(), 0444);
    SetLastWriteLocalSeconds(names[1], 1500000000);

    TRandomCryptoContainer single(TContainerKey("pw")), batch(TContainerKey("pw"));
    single.OpenNew(FDir.File("single.xvt"));
    batch.OpenNew(FDir.File("batch.xvt"));
    for (const std::string& name : names) {
        single.AddFile(name, base);
    }
    TFileReadAhead files(ToStore(names, base), TightLimits);
    std::vector<std::pair<std::int64_t, std::string>> told;
    batch.AddFiles(files, [&](std::int64_t done, const std::string& name) { told.emplace_back(done, name); });

    EXPECT_EQ(StoredFacts(batch.GetCatalog()), StoredFacts(single.GetCatalog()));
    EXPECT_EQ(std::get<0>(StoredFacts(batch.GetCatalog())[4]).size(), 255u) << "the folder is kept cut short";
    EXPECT_EQ(
        told,
        (std::vector<std::pair<std::int64_t, std::string>>{
            {0, names[0]}, {5000, names[1]}, {5000, names[2]}, {5001, names[3]}, {5010, names[4]}, {5014, names[5]}}));
    const TFileMap expected = {{"big.bin", PatternBytes(5000, 3)},
                               {"empty", ""},
                               {".hidden", "h"},
                               {"ro.txt", "read only"},
                               {"deep.txt", "deep"}};
    for (TRandomCryptoContainer* container : {&single, &batch}) {
        EXPECT_EQ(ExtractedFiles(*container), expected);
        container->Close();
    }
    EXPECT_EQ(ExtractedFiles(FDir.File("batch.xvt"), "pw"), expected);
}

// A file of a batch that cannot be stored, or a cancel, takes the whole batch back: the file is
// byte for byte as before and the error names the file. A named pipe is refused without waiting
// for a writer.
TEST_F(ContainerTest, AFailureInABatchTakesTheWholeBatchBack)
{
    const std::string file = FDir.File("c.xvt"), missing = FDir.File("missing"), pipe = FDir.File("pipe");
    const std::string held = MakeFile("held", "held"), folder = FDir.File("folder");
    MakeContainer(file, "pw", {{"kept", "kept"}});
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directory(folder);
    const TBasicFileStream holder(held, TFileMode::OpenRead);
    const std::string before = ReadWholeFile(file);
    const std::string first = MakeFile("first", PatternBytes(300)), last = MakeFile("last", "last");

    for (const auto& [failing, message] :
         std::vector<std::pair<std::string, std::string>>{{missing, "File '" + missing + "' not found!"},
                                                          {pipe, "File '" + pipe + "' not found!"},
                                                          {folder, "File '" + folder + "' not found!"},
                                                          {held, "Cannot open file '" + held + "'"},
                                                          {"", "Cancelled"}}) {
        SCOPED_TRACE(failing);
        TRandomCryptoContainer container(TContainerKey("pw"));
        container.Open(file);
        std::vector<std::string> names = {first, failing.empty() ? last : failing, last};
        TFileReadAhead files(ToStore(names, FDir.Path()), TightLimits);
        int reports = 0;
        container.SetProgress([&](std::int64_t, std::int64_t) { return failing.empty() ? ++reports < 2 : true; });
        std::string error = "(no error)";
        try {
            container.AddFiles(files);
        } catch (const std::exception& raised) {
            error = raised.what();
        }
        EXPECT_EQ(error.substr(0, message.size()), message);
        EXPECT_EQ(container.GetCatalog().Count(), 1);
        container.Close();
        EXPECT_EQ(ReadWholeFile(file), before);
    }
}

// However small its bounds, the read-ahead hands every file over complete and in order, keeps no
// more files open than it may, and stops at once when destroyed before the end.
TEST_F(ContainerTest, TheReadAheadKeepsOrderAndBoundsAndStopsWhenDestroyed)
{
    std::vector<std::string> names;
    for (int n = 0; n < 200; ++n) {
        names.push_back(MakeFile("many/" + std::to_string(n), PatternBytes(static_cast<std::size_t>(n * 7), n)));
    }
    const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto idle = openFiles();
    for (const std::int64_t wholeFileSize : {std::int64_t{1} << 20, std::int64_t{500}, std::int64_t{-1}}) {
        TFileReadAhead files(ToStore(names, FDir.Path()), {wholeFileSize, 300, 3, 8});
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_LE(openFiles() - idle, 4) << "three files waiting open and one being read";
        std::size_t count = 0;
        while (std::optional<TReadFile> file = files.Next()) {
            ASSERT_EQ(file->Index, count);
            std::string bytes(static_cast<std::size_t>(file->Facts.Size), '\0');
            file->Contents->ReadBuffer(bytes.data(), file->Facts.Size);
            ASSERT_EQ(bytes, PatternBytes(count * 7, static_cast<unsigned>(count))) << wholeFileSize;
            ++count;
        }
        EXPECT_EQ(count, names.size());
    }
    const auto start = std::chrono::steady_clock::now();
    {
        TFileReadAhead files(ToStore(names, FDir.Path()), TightLimits);
        EXPECT_EQ(files.Next()->Index, 0u);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(openFiles(), idle);
}

// A stored local time becomes the moment the zone's rules give it (mktime's answer), also in the
// days around a change to and from summer time, in the hour skipped and in the hour repeated.
TEST(LocalTimeTest, StoredTimesBecomeTheMomentsTheZoneRulesGive)
{
    const char* previous = std::getenv("TZ");
    const std::string saved = previous != nullptr ? previous : "";
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
    // 2026-01-01, 2026-03-28 (summer time begins on the 29th), 2026-07-01, 2026-10-24 (ends on the 25th).
    for (const std::int64_t first : {1767225600, 1774656000, 1782864000, 1792800000}) {
        for (std::int64_t local = first; local < first + 3 * 86400; local += 900) {
            auto wall = static_cast<time_t>(local);
            tm fields{};
            ::gmtime_r(&wall, &fields);
            fields.tm_isdst = -1;
            EXPECT_EQ(UnixFromLocalSeconds(local).tv_sec, ::mktime(&fields)) << local;
        }
    }
    if (previous != nullptr) {
        ::setenv("TZ", saved.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}
