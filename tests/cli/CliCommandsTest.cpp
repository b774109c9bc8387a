#include "CliFixture.h"
#include "cipher/BasicFileStream.h"
#include "cli/Progress.h"
#include "container/ExtraString.h"
#include "container/LocalFiles.h"
#include "container/RandomCryptoContainer.h"
#include "container/Wipe.h"

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using CliCreate = CliFixture;
using CliRead = CliFixture;
using CliExtract = CliFixture;
using CliChange = CliFixture;
using CliWipe = CliFixture;
using CliCommandLine = CliFixture;

// Names in the scratch folder, hidden ones included: what a command left behind.
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder)) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

unsigned PermissionsOfFile(const std::string& fileName)
{
    struct stat info
    {
    };
    ::stat(fileName.c_str(), &info);
    return info.st_mode & 07777;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(CliCreate, TerminalAsksTwiceAndRefusesAMismatchWithoutLeavingAFile)
{
    MakeFile("in.txt", "x");
    TScriptedConsole console(true);
    console.ExpectSecret("Password:", "one");
    console.ExpectSecret("Confirm:", "two");
    EXPECT_EQ(Run(console, {"create", FDir.File("out.xvt"), FDir.File("in.txt")}), 1);
    EXPECT_TRUE(Contains(console.ErrText(), "error: Incorrect password confirmation!")) << console.ErrText();
    EXPECT_EQ(NamesIn(FDir.Path()), std::vector<std::string>{"in.txt"});
}

TEST_F(CliCreate, StoresFoldersFromTheirParentFilesFromTheirOwnFolderAndTheRecords)
{
    const std::string container = MakeContainer();
    TRandomCryptoContainer reader("pw");
    const TCatalog& catalog = reader.OpenReadOnly(container);
    ASSERT_EQ(catalog.Count(), 3);
    std::map<std::string, std::pair<std::string, std::string>> stored; // name -> base, relative
    for (const auto& entry : catalog) {
        stored[entry->FPath.FileName()] = {entry->FPath.BaseFolder(), entry->FPath.RelativeFolder()};
    }
    EXPECT_EQ(stored["a.txt"], std::make_pair(FDir.Path(), std::string("/tree")));
    EXPECT_EQ(stored["b.txt"], std::make_pair(FDir.Path(), std::string("/tree/sub")));
    EXPECT_EQ(stored["top.txt"], std::make_pair(FDir.Path(), std::string()));
    EXPECT_EQ(reader.GetMemo(), "Hi");
    TExtraString extra;
    extra.Parse(reader.GetExtra());
    EXPECT_EQ(extra.Field(TExtraString::RecordFormat), "8");
    EXPECT_EQ(extra.Number(TExtraString::Version1), SEALVANE_PROJECT_VERSION_MAJOR);
    EXPECT_EQ(extra.Field(TExtraString::VersionText).empty(), false);
    reader.Close();
}

TEST_F(CliCreate, MemoIsStoredInTheEightBitFormAndRichTextAsItIs)
{
    EXPECT_EQ(RunWith({"pw"}, {"create", FDir.File("a.xvt"), "--memo=Café"}), 0) << FLastErr;
    const std::string rtf = MakeFile("memo.rtf", "{\\rtf1\\ansi Gr\\'fc\\'df\\par}");
    EXPECT_EQ(RunWith({"pw"}, {"create", FDir.File("b.xvt"), "--memo-file", rtf}), 0) << FLastErr;
    TRandomCryptoContainer a("pw");
    a.OpenReadOnly(FDir.File("a.xvt"));
    EXPECT_EQ(a.GetMemo(), "Caf\xE9");
    a.Close();
    TRandomCryptoContainer b("pw");
    b.OpenReadOnly(FDir.File("b.xvt"));
    EXPECT_EQ(b.GetMemo(), ReadWholeFile(rtf));
    b.Close();
    EXPECT_EQ(RunWith({}, {"create", FDir.File("c.xvt"), "--memo", "x", "--memo-file", rtf}), 2);
}

TEST_F(CliCreate, ExistingOutputNeedsForceAndTheOutputIsNotStoredInItself)
{
    const std::string container = MakeContainer();
    const std::string before = ReadWholeFile(container);
    EXPECT_EQ(RunWith({}, {"create", container, FDir.File("top.txt")}), 1);
    EXPECT_TRUE(Contains(FLastErr, "already exists") && Contains(FLastErr, "hint: add --force")) << FLastErr;
    EXPECT_EQ(ReadWholeFile(container), before);

    // The whole scratch folder, the old container in it, goes into the new one.
    EXPECT_EQ(RunWith({"pw"}, {"create", "--force", container, FDir.Path()}), 0) << FLastErr;
    TRandomCryptoContainer reader("pw");
    for (const auto& entry : reader.OpenReadOnly(container)) {
        EXPECT_NE(entry->FPath.FileName(), "c.xvt");
        EXPECT_FALSE(entry->FPath.FileName().starts_with(".c.xvt")) << "the file being written";
    }
    EXPECT_EQ(reader.GetCatalog().Count(), 3);
    reader.Close();
}

TEST_F(CliCreate, EmptyNewPasswordIsRefused)
{
    EXPECT_EQ(RunWith({""}, {"create", FDir.File("out.xvt")}), 1);
    EXPECT_TRUE(Contains(FLastErr, "empty")) << FLastErr;
    EXPECT_TRUE(NamesIn(FDir.Path()).empty());
}

TEST_F(CliRead, ListShowsEntriesByNumberAndLongAddsEveryField)
{
    const std::string container = MakeContainer();
    EXPECT_EQ(RunWith({"pw"}, {"list", container}), 0) << FLastErr;
    const std::string shortList = FLastOut;
    EXPECT_TRUE(Contains(shortList, "a.txt") && Contains(shortList, "tree/sub") && Contains(shortList, "11"))
        << shortList;
    EXPECT_LT(shortList.find("a.txt"), shortList.find("b.txt"));
    EXPECT_LT(shortList.find("b.txt"), shortList.find("top.txt"));
    EXPECT_FALSE(Contains(shortList, FDir.Path())) << "the base folder only in the long form";

    EXPECT_EQ(RunWith({"pw"}, {"list", "-l", container}), 0) << FLastErr;
    EXPECT_TRUE(Contains(FLastOut, FDir.Path()) && Contains(FLastOut, "--A") && Contains(FLastOut, "Header"))
        << FLastOut;
}

TEST_F(CliRead, WrongPasswordExitsThreeAfterThePause)
{
    const std::string container = MakeContainer();
    FPauses.clear();
    EXPECT_EQ(RunWith({"nope"}, {"list", container}), 3);
    EXPECT_TRUE(Contains(FLastErr, "error: Incorrect password!")) << FLastErr;
    ASSERT_EQ(FPauses.size(), 1u);
    EXPECT_GT(FPauses[0], 1900);
    EXPECT_EQ(RunWith({"nope"}, {"check", container}), 3);
    EXPECT_EQ(RunWith({"pw"}, {"check", container}), 0);
    EXPECT_EQ(RunWith({}, {"check", FDir.File("none.xvt")}), 1);
}

TEST_F(CliRead, MemoPrintsStoredTextAndPlainStripsRichText)
{
    const std::string container = MakeContainer();
    EXPECT_EQ(RunWith({"pw"}, {"set-memo", container, "Grüße\r\nzwei"}), 0) << FLastErr;
    EXPECT_EQ(RunWith({"pw"}, {"memo", container}), 0);
    EXPECT_EQ(FLastOut, "Grüße\r\nzwei\n");
    EXPECT_EQ(RunWith({"pw"}, {"memo", "--plain", container}), 0);
    EXPECT_EQ(FLastOut, "Grüße\nzwei\n");

    const std::string rtf = MakeFile("m.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Stra\\u223?e\\par Ende}");
    EXPECT_EQ(RunWith({"pw"}, {"set-memo", container, "--file", rtf}), 0) << FLastErr;
    EXPECT_EQ(RunWith({"pw"}, {"memo", container}), 0);
    EXPECT_EQ(FLastOut, ReadWholeFile(rtf) + "\n");
    EXPECT_EQ(RunWith({"pw"}, {"memo", "-p", container}), 0);
    EXPECT_EQ(FLastOut, "Straße\nEnde\n");

    EXPECT_EQ(RunWith({}, {"set-memo", container}), 2);
    EXPECT_EQ(RunWith({}, {"set-memo", container, "text", "--file", rtf}), 2);
}

TEST_F(CliRead, InfoReportsCountsRebuiltCatalogAndTheExtraRecord)
{
    const std::string container = MakeContainer();
    EXPECT_EQ(RunWith({"pw"}, {"info", container}), 0) << FLastErr;
    EXPECT_TRUE(Contains(FLastOut, "Entries:          3") && Contains(FLastOut, "Zombie bytes:     0") &&
                Contains(FLastOut, "Catalog rebuilt:  no") && Contains(FLastOut, "  Format:         8"))
        << FLastOut;

    // Stopped while adding: the catalog is not written and the next opening scans the file.
    {
        TRandomCryptoContainer writer("pw");
        writer.Open(container);
        writer.SetExtra("7\x7F");
        writer.Close();
        writer.Open(container);
        writer.AddFile(MakeFile("late.txt", "late"), FDir.Path());
    }
    EXPECT_EQ(RunWith({"pw"}, {"info", container}), 0) << FLastErr;
    EXPECT_TRUE(Contains(FLastOut, "Entries:          4") && Contains(FLastOut, "Catalog rebuilt:  yes")) << FLastOut;
    EXPECT_TRUE(Contains(FLastErr, "had to be regenerated")) << FLastErr;
}

TEST_F(CliExtract, AllByDefaultOrChosenByNumberOrName)
{
    const std::string container = MakeContainer();
    EXPECT_EQ(RunWith({"pw"}, {"extract", container, "-o", FDir.File("all")}), 0) << FLastErr;
    EXPECT_EQ(ReadWholeFile(FDir.File("all/tree/sub/b.txt")), "bravo bravo");
    EXPECT_EQ(ReadWholeFile(FDir.File("all/top.txt")), "top");

    EXPECT_EQ(RunWith({"pw"}, {"extract", container, "--output=" + FDir.File("some"), "2", "tree/a.txt"}), 0)
        << FLastErr;
    EXPECT_EQ(NamesIn(FDir.File("some")), (std::vector<std::string>{"top.txt", "tree"}));
    EXPECT_EQ(NamesIn(FDir.File("some/tree")), std::vector<std::string>{"a.txt"});

    EXPECT_EQ(RunWith({"pw"}, {"extract", container, "-o", FDir.File("none"), "b.txt", "missing.txt"}), 1);
    EXPECT_TRUE(Contains(FLastErr, "no entry 'missing.txt'")) << FLastErr;
    EXPECT_FALSE(fs::exists(FDir.File("none/tree/sub/b.txt"))) << "nothing when one name matches nothing";
}

TEST_F(CliExtract, ExistingFilesAreAskedAboutRefusedWithoutTerminalOrForced)
{
    const std::string container = MakeContainer();
    const std::string out = FDir.File("out");
    MakeFile("out/tree/a.txt", "mine");
    MakeFile("out/top.txt", "mine too");

    EXPECT_EQ(RunWith({"pw"}, {"extract", container, "-o", out}), 1);
    EXPECT_TRUE(Contains(FLastErr, "exists; not overwritten") && Contains(FLastErr, "--force")) << FLastErr;
    EXPECT_EQ(ReadWholeFile(out + "/tree/a.txt"), "mine");
    EXPECT_EQ(ReadWholeFile(out + "/tree/sub/b.txt"), "bravo bravo") << "the others are extracted";

    TScriptedConsole console(true);
    console.ExpectSecret("Password:", "pw");
    console.ExpectQuestion("Overwrite file '" + out + "/tree/a.txt'", false);
    console.ExpectQuestion("tree/sub/b.txt", true);
    console.ExpectQuestion("top.txt", true);
    EXPECT_EQ(Run(console, {"extract", container, "-o", out}), 0) << console.ErrText();
    EXPECT_EQ(ReadWholeFile(out + "/tree/a.txt"), "mine");
    EXPECT_EQ(ReadWholeFile(out + "/top.txt"), "top");

    EXPECT_EQ(RunWith({"pw"}, {"extract", "-f", container, "-o", out}), 0) << FLastErr;
    EXPECT_EQ(ReadWholeFile(out + "/tree/a.txt"), "alpha");
}

TEST_F(CliExtract, ProgressLineOnlyOnATerminalForLargeWork)
{
    MakeFile("big.bin", std::string(TProgress::LargeWork, 'b'));
    EXPECT_EQ(RunWith({"pw"}, {"create", FDir.File("big.xvt"), FDir.File("big.bin")}), 0);
    EXPECT_EQ(FLastErr, "");

    TScriptedConsole console(false, true);
    console.ExpectSecret("", "pw");
    EXPECT_EQ(Run(console, {"extract", FDir.File("big.xvt"), "-o", FDir.File("out")}), 0);
    EXPECT_TRUE(Contains(console.ErrText(), "\r   0% big.bin")) << console.ErrText();
    EXPECT_TRUE(console.ErrText().ends_with("\r")) << "the line is cleared";
    EXPECT_EQ(fs::file_size(FDir.File("out/big.bin")), static_cast<std::uintmax_t>(TProgress::LargeWork));
}

TEST_F(CliChange, AddStoresAllOrNothing)
{
    const std::string container = MakeContainer();
    MakeFile("more/c.txt", "charlie");
    EXPECT_EQ(RunWith({"pw"}, {"add", container, FDir.File("more")}), 0) << FLastErr;
    const std::string locked = MakeFile("locked.txt", "l");
    {
        TBasicFileStream holder(locked, TFileMode::OpenRead);
        EXPECT_EQ(RunWith({"pw"}, {"add", container, FDir.File("top.txt"), locked}), 1);
    }
    TRandomCryptoContainer reader("pw");
    const TCatalog& catalog = reader.OpenReadOnly(container);
    EXPECT_EQ(catalog.Count(), 4) << "three from create, more/c.txt; not top.txt again";
    EXPECT_EQ(reader.GetZombieBytes() > 0, true) << "the taken-back entry's bytes";
    reader.Close();
}

TEST_F(CliChange, DeleteChecksEveryNumberFirstAndCompactDropsTheBytes)
{
    const std::string container = MakeContainer();
    EXPECT_EQ(RunWith({}, {"delete", container, "x"}), 2);
    EXPECT_EQ(RunWith({"pw"}, {"delete", container, "0", "7"}), 1);
    EXPECT_TRUE(Contains(FLastErr, "no entry number 7")) << FLastErr;
    EXPECT_EQ(RunWith({"pw"}, {"list", container}), 0);
    EXPECT_TRUE(Contains(FLastOut, "a.txt")) << "nothing deleted";

    const auto sizeBefore = fs::file_size(container);
    EXPECT_EQ(RunWith({"pw"}, {"delete", container, "0", "1"}), 0) << FLastErr;
    EXPECT_EQ(fs::file_size(container), sizeBefore) << "delete leaves the bytes";
    ::chmod(container.c_str(), 0640);
    EXPECT_EQ(RunWith({"pw"}, {"compact", container}), 0) << FLastErr;
    EXPECT_LT(fs::file_size(container), sizeBefore);
    EXPECT_EQ(PermissionsOfFile(container), 0640u);
    EXPECT_EQ(RunWith({"pw"}, {"info", container}), 0);
    EXPECT_TRUE(Contains(FLastOut, "Entries:          1") && Contains(FLastOut, "Zombie bytes:     0")) << FLastOut;
    EXPECT_EQ(NamesIn(FDir.Path()), (std::vector<std::string>{"c.xvt", "top.txt", "tree"}));
}

TEST_F(CliChange, PasswdTestsTheOldPasswordBeforeAskingTheNewOne)
{
    const std::string container = MakeContainer();
    ::chmod(container.c_str(), 0600);
    FPauses.clear();
    EXPECT_EQ(RunWith({"wrong"}, {"passwd", container}), 3) << "and no second line is read";
    EXPECT_EQ(FPauses.size(), 1u);

    TScriptedConsole console(true);
    console.ExpectSecret("Password:", "pw");
    console.ExpectSecret("New password:", "fresh");
    console.ExpectSecret("Confirm:", "fresh");
    EXPECT_EQ(Run(console, {"passwd", container}), 0) << console.ErrText();
    EXPECT_TRUE(CheckPassword(container, "fresh"));
    EXPECT_FALSE(CheckPassword(container, "pw"));
    EXPECT_EQ(PermissionsOfFile(container), 0600u);

    MakeFile("new.txt", "again\n");
    EXPECT_EQ(RunWith({"fresh"}, {"passwd", container, "--new-password-file", FDir.File("new.txt")}), 0) << FLastErr;
    EXPECT_EQ(RunWith({"again"}, {"extract", container, "-o", FDir.File("out"), "top.txt"}), 0) << FLastErr;
    EXPECT_EQ(ReadWholeFile(FDir.File("out/top.txt")), "top");
    EXPECT_EQ(NamesIn(FDir.Path()), (std::vector<std::string>{"c.xvt", "new.txt", "out", "top.txt", "tree"}));
}

TEST_F(CliChange, ChangingCommandsRefuseAReadOnlyContainerBeforeAskingThePassword)
{
    const std::string container = MakeContainer();
    ::chmod(container.c_str(), 0444);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"add", container, FDir.File("top.txt")},
                                                 {"delete", container, "0"},
                                                 {"set-memo", container, "m"},
                                                 {"passwd", container},
                                                 {"compact", container}}) {
        EXPECT_EQ(RunWith({}, args), 1) << args[0];
        EXPECT_TRUE(Contains(FLastErr, "File '" + container + "' is read only! Cannot open for overwrite."))
            << FLastErr;
    }
    EXPECT_EQ(RunWith({"pw"}, {"list", container}), 0) << "reading works";
}

TEST_F(CliWipe, ConfirmsEachFileAndGoesOnAfterAFailure)
{
    const std::string keep = MakeFile("keep.txt", "keep");
    const std::string gone = MakeFile("gone.txt", "gone");
    const std::string stuck = MakeFile("stuck.txt", "stuck");
    ::chmod(stuck.c_str(), 0444);
    const std::string last = MakeFile("last.txt", "last");

    EXPECT_EQ(RunWith({}, {"wipe", gone}), 1) << "without a terminal only with --yes";
    EXPECT_TRUE(fs::exists(gone));

    TScriptedConsole console(true);
    console.ExpectQuestion("File '" + keep + "' will be wiped and deleted. Are you sure?", false);
    console.ExpectQuestion(gone, true);
    console.ExpectQuestion(stuck, true);
    console.ExpectQuestion(last, true);
    EXPECT_EQ(Run(console, {"wipe", keep, gone, stuck, last}), 1);
    EXPECT_TRUE(Contains(console.ErrText(), "Cannot wipe file '" + stuck + "'! File '" + stuck + "' is read only!"))
        << console.ErrText();
    EXPECT_EQ(console.OutText(), "2 file(s) successfuly wiped\n");
    EXPECT_EQ(ReadWholeFile(keep), "keep");
    EXPECT_EQ(ReadWholeFile(stuck), "stuck");
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_FALSE(fs::exists(last));
}

TEST_F(CliWipe, AFileThatCannotBeDeletedAfterwardsIsAFailure)
{
    const std::string file = MakeFile("folder/secret.txt", "secret");
    // The file's folder moves away after the last pass, so that deleting by its name fails.
    const TWipePassHook previous = SetWipePassHook([&](const std::string&, int pass) {
        if (pass == 2) {
            fs::rename(FDir.File("folder"), FDir.File("moved"));
            WriteWholeFile(FDir.File("folder"), "");
        }
    });
    const int code = RunWith({}, {"wipe", "--yes", file});
    SetWipePassHook(previous);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(Contains(FLastErr, "Cannot wipe file '" + file + "'! Cannot delete file '" + file + "': ")) << FLastErr;
    EXPECT_EQ(FLastOut, "");
    EXPECT_TRUE(fs::exists(FDir.File("moved/secret.txt")));
}

TEST_F(CliWipe, SymbolicLinksAreRefusedAndCyclesChecked)
{
    const std::string target = MakeFile("target.txt", "precious");
    fs::create_symlink(target, FDir.File("link"));
    EXPECT_EQ(RunWith({}, {"wipe", "--yes", FDir.File("link")}), 1);
    EXPECT_TRUE(Contains(FLastErr, "symbolic link")) << FLastErr;
    EXPECT_EQ(ReadWholeFile(target), "precious");
    EXPECT_EQ(RunWith({}, {"wipe", "-y", "-n", "9", target}), 2);
    EXPECT_EQ(RunWith({}, {"wipe", "-yn2", target}), 0) << FLastErr;
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(CliCommandLine, HelpVersionAndUsageErrors)
{
    EXPECT_EQ(RunWith({}, {"--help"}), 0);
    for (const auto& command : FRegistry.Commands()) {
        EXPECT_TRUE(Contains(FLastOut, "  " + command->Name() + " ")) << command->Name();
    }
    EXPECT_TRUE(Contains(FLastOut, "Example:"));
    EXPECT_EQ(RunWith({}, {"extract", "c.xvt", "--help"}), 0);
    EXPECT_TRUE(FLastOut.starts_with("Usage: sealvane-cli extract [OPTIONS] CONTAINER")) << FLastOut;
    EXPECT_EQ(RunWith({}, {"--version"}), 0);
    EXPECT_EQ(FLastOut, "sealvane-cli " SEALVANE_PROJECT_VERSION "\n");

    EXPECT_EQ(RunWith({}, {}), 2);
    EXPECT_EQ(RunWith({}, {"frobnicate"}), 2);
    EXPECT_EQ(RunWith({}, {"list"}), 2);
    EXPECT_EQ(RunWith({}, {"list", "a.xvt", "b.xvt"}), 2);
    EXPECT_EQ(RunWith({}, {"list", "--colour", "a.xvt"}), 2);
    EXPECT_TRUE(Contains(FLastErr, "error: unknown option '--colour'") &&
                Contains(FLastErr, "hint: usage: sealvane-cli list"))
        << FLastErr;
    EXPECT_EQ(RunWith({}, {"extract", "a.xvt", "-o"}), 2);
}

TEST_F(CliCommandLine, ControlCharactersFromAContainerNeverReachTheTerminal)
{
    class TOddNames : public TRandomCryptoContainer
    {
    public:
        using TRandomCryptoContainer::TRandomCryptoContainer;
        void AddStored(const std::string& name)
        {
            FStream->SetPosition(FCatalogPos - 8);
            auto entry = std::make_shared<TFileInfo>();
            entry->FPath = TPathInfo::FromStored("|base", "", name, "");
            AddEntry(entry);
            WriteEndMarker();
        }
    };
    const std::string container = FDir.File("odd.xvt");
    {
        TOddNames writer("pw");
        writer.OpenNew(container);
        writer.AddStored("red\x1B[31m.txt");
        writer.AddStored("bad/\x1B[31m");
        writer.Close();
    }
    EXPECT_EQ(RunWith({"pw"}, {"list", container}), 0);
    EXPECT_TRUE(Contains(FLastOut, "red?[31m.txt")) << FLastOut;
    EXPECT_EQ(RunWith({"pw"}, {"extract", container, "-o", FDir.File("out")}), 1);
    EXPECT_TRUE(Contains(FLastErr, "Illegal file name 'bad/?[31m'")) << FLastErr;
    EXPECT_FALSE(Contains(FLastOut + FLastErr, "\x1B"));
    EXPECT_TRUE(fs::exists(FDir.File("out/red\x1B[31m.txt"))) << "a strange name, but a legal one";
}
