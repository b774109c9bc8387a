#include "ContainerFixture.h"
#include "RunProgram.h"
#include "TempDir.h"
#include "cipher/BasicFileStream.h"
#include "container/RandomCryptoContainer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Stores entries with any stored name, as a damaged or hostile container may carry them.
class THostileContainer : public TRandomCryptoContainer
{
public:
    using TRandomCryptoContainer::TRandomCryptoContainer;

    void AddStoredEntry(TPathInfo path, const std::string& data)
    {
        FStream->SetPosition(FCatalogPos - 8);
        auto entry = std::make_shared<TFileInfo>();
        entry->FSize = static_cast<std::int64_t>(data.size());
        entry->FPath = std::move(path);
        AddEntry(entry);
        FStream->WriteBuffer(data.data(), entry->FSize);
        WriteEndMarker();
    }
};

// The real tool, run in a scratch folder of its own, passwords fed through standard input.
class CliBinary : public ::testing::Test
{
protected:
    TProgramRun Cli(const std::vector<std::string>& args, const std::string& input = "",
                    const std::vector<std::string>& environment = {})
    {
        return RunProgram(SEALVANE_CLI_PATH, args, input, FDir.Path(), environment);
    }
    std::string MakeFile(const std::string& relativeName, const std::string& bytes, time_t modified = 0)
    {
        const std::string name = FDir.File(relativeName);
        fs::create_directories(fs::path(name).parent_path());
        WriteWholeFile(name, bytes);
        if (modified != 0) {
            const timespec times[2] = {{modified, 0}, {modified, 0}};
            ::utimensat(AT_FDCWD, name.c_str(), times, 0);
        }
        return name;
    }
    // Every file below a folder, by its path relative to the folder.
    static std::vector<std::string> FilesBelow(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            if (!item.is_directory()) {
                names.push_back(fs::relative(item.path(), folder).string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    static time_t ModifiedOf(const std::string& fileName)
    {
        struct stat info
        {
        };
        ::stat(fileName.c_str(), &info);
        return info.st_mtim.tv_sec;
    }

    TempDir FDir;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(CliBinary, RoundTripKeepsEveryByteAndModificationTime)
{
    const time_t june2021 = 1623758400; // away from any change of summer time
    const std::vector<std::pair<std::string, std::string>> files = {
        {"tree/Café.txt", PatternBytes(70000, 1)},
        {"tree/sub/Łódź-Привет.txt", PatternBytes(1234, 2)},
        {"tree/sub/empty", ""},
        {"tree/deep/er/large.bin", PatternBytes(3 << 20, 3)}};
    for (std::size_t n = 0; n < files.size(); ++n) {
        MakeFile(files[n].first, files[n].second, june2021 + static_cast<time_t>(n * 3607));
    }

    const TProgramRun create = Cli({"create", "c.xvt", "tree"}, "pw\n");
    ASSERT_EQ(create.ExitCode, 0) << create.Err;
    EXPECT_EQ(create.Err, "");
    const TProgramRun list = Cli({"list", "c.xvt"}, "pw\n");
    ASSERT_EQ(list.ExitCode, 0) << list.Err;
    for (const auto& [name, bytes] : files) {
        EXPECT_TRUE(Contains(list.Out, fs::path(name).filename().string())) << list.Out;
    }
    const TProgramRun extract = Cli({"extract", "c.xvt", "-o", "out"}, "pw\n");
    ASSERT_EQ(extract.ExitCode, 0) << extract.Err;

    std::vector<std::string> expected;
    for (std::size_t n = 0; n < files.size(); ++n) {
        const std::string copy = FDir.File("out/" + files[n].first);
        expected.push_back(files[n].first);
        EXPECT_TRUE(ReadWholeFile(copy) == files[n].second) << files[n].first;
        EXPECT_EQ(ModifiedOf(copy), june2021 + static_cast<time_t>(n * 3607)) << files[n].first;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesBelow(FDir.File("out")), expected);
}

TEST_F(CliBinary, WrongPasswordExitsThreeAfterTheRealPause)
{
    ASSERT_EQ(Cli({"create", "c.xvt"}, "right\n").ExitCode, 0);
    const TProgramRun check = Cli({"check", "c.xvt"}, "wrong\n");
    EXPECT_EQ(check.ExitCode, 3);
    EXPECT_GE(check.Seconds, 1.9);
    EXPECT_EQ(check.Err, "sealvane-cli: error: Incorrect password!\n");
}

TEST_F(CliBinary, AddToAContainerWithoutWritePermissionFails)
{
    MakeFile("a.txt", "a");
    ASSERT_EQ(Cli({"create", "c.xvt", "a.txt"}, "pw\n").ExitCode, 0);
    const std::string before = ReadWholeFile(FDir.File("c.xvt"));
    ::chmod(FDir.File("c.xvt").c_str(), 0444);
    const TProgramRun add = Cli({"add", "c.xvt", "a.txt"}, "pw\n");
    EXPECT_EQ(add.ExitCode, 1);
    EXPECT_TRUE(Contains(add.Err, "File 'c.xvt' is read only! Cannot open for overwrite.")) << add.Err;
    EXPECT_TRUE(ReadWholeFile(FDir.File("c.xvt")) == before);
}

TEST_F(CliBinary, CompactAfterDeleteShrinksTheFileAndKeepsTheRest)
{
    MakeFile("keep1.txt", PatternBytes(5000, 4));
    MakeFile("drop.bin", PatternBytes(200000, 5));
    MakeFile("keep2.txt", PatternBytes(7000, 6));
    ASSERT_EQ(Cli({"create", "c.xvt", "keep1.txt", "drop.bin", "keep2.txt"}, "pw\n").ExitCode, 0);
    ASSERT_EQ(Cli({"delete", "c.xvt", "1"}, "pw\n").ExitCode, 0);
    const auto before = fs::file_size(FDir.File("c.xvt"));
    const TProgramRun compact = Cli({"compact", "c.xvt"}, "pw\n");
    ASSERT_EQ(compact.ExitCode, 0) << compact.Err;
    EXPECT_LT(fs::file_size(FDir.File("c.xvt")), before - 200000);

    ASSERT_EQ(Cli({"extract", "c.xvt", "-o", "out"}, "pw\n").ExitCode, 0);
    EXPECT_EQ(FilesBelow(FDir.File("out")), (std::vector<std::string>{"keep1.txt", "keep2.txt"}));
    EXPECT_TRUE(ReadWholeFile(FDir.File("out/keep1.txt")) == PatternBytes(5000, 4));
    EXPECT_TRUE(ReadWholeFile(FDir.File("out/keep2.txt")) == PatternBytes(7000, 6));
    EXPECT_EQ(FilesBelow(FDir.Path()).size(), 6u) << "no work file left beside the container";
}

TEST_F(CliBinary, HostileStoredNamesWriteNothingOutsideTheTargetFolder)
{
    {
        THostileContainer writer("pw");
        writer.OpenNew(FDir.File("c.xvt"));
        writer.AddStoredEntry(TPathInfo::FromStored("|base", "|..|..", "escaped.txt", ""), "evil");
        writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "..", ""), "evil");
        writer.AddStoredEntry(TPathInfo::FromStored("|base", "|sub", "fine.txt", ""), "good");
        writer.Close();
    }
    fs::create_directories(FDir.File("out/inner"));
    const TProgramRun extract = Cli({"extract", "c.xvt", "-o", "out/inner"}, "pw\n");
    EXPECT_EQ(extract.ExitCode, 1);
    EXPECT_TRUE(Contains(extract.Err, "Illegal file name")) << extract.Err;
    EXPECT_EQ(FilesBelow(FDir.Path()), (std::vector<std::string>{"c.xvt", "out/inner/sub/fine.txt"}));
    EXPECT_FALSE(fs::exists(FDir.File("../escaped.txt")));
}

TEST_F(CliBinary, FailedCreateLeavesNoFile)
{
    MakeFile("present.txt", "p");
    const TProgramRun missing = Cli({"create", "out.xvt", "present.txt", "missing.txt"}, "pw\n");
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_EQ(missing.Err, "sealvane-cli: error: File 'missing.txt' not found!\n");

    // A failure while storing, after the container was begun.
    TBasicFileStream holder(FDir.File("present.txt"), TFileMode::OpenRead); // held exclusively
    MakeFile("other.txt", "o");
    EXPECT_EQ(Cli({"create", "out.xvt", "other.txt", "present.txt"}, "pw\n").ExitCode, 1);
    EXPECT_EQ(FilesBelow(FDir.Path()), (std::vector<std::string>{"other.txt", "present.txt"}));
}

TEST_F(CliBinary, PasswordsAreLinesOfStandardInputWithoutATerminal)
{
    ASSERT_EQ(Cli({"create", "c.xvt"}, "old\n").ExitCode, 0);
    const TProgramRun passwd = Cli({"passwd", "c.xvt"}, "old\nnew\n");
    EXPECT_EQ(passwd.ExitCode, 0) << passwd.Err;
    EXPECT_EQ(Cli({"check", "c.xvt"}, "new\n").ExitCode, 0);
    EXPECT_EQ(Cli({"list", "c.xvt"}, "").ExitCode, 1) << "no input, no password";

    MakeFile("w.txt", "secret");
    const TProgramRun refused = Cli({"wipe", "w.txt"});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_TRUE(fs::exists(FDir.File("w.txt")));
    EXPECT_EQ(Cli({"wipe", "--yes", "w.txt"}).ExitCode, 0);
    EXPECT_FALSE(fs::exists(FDir.File("w.txt")));
}

TEST_F(CliBinary, UsageErrorsAndTheLanguageOfMessages)
{
    EXPECT_EQ(Cli({}).ExitCode, 2);
    EXPECT_EQ(Cli({"extract", "--nonsense", "c.xvt"}).ExitCode, 2);

    const TProgramRun german = Cli({"list", "missing.xvt"}, "", {"LANG=de_DE.UTF-8"});
    EXPECT_EQ(german.ExitCode, 1);
    EXPECT_EQ(german.Err, "sealvane-cli: error: Container 'missing.xvt' nicht gefunden!\n");
    const TProgramRun french = Cli({"list", "missing.xvt"}, "", {"LANG=de_DE.UTF-8", "LC_ALL=fr_FR.UTF-8"});
    EXPECT_TRUE(Contains(french.Err, "introuvable")) << french.Err;
}

TEST_F(CliBinary, OnATerminalPasswordsAreNotEchoedAndQuestionsAreAsked)
{
    const TProgramRun create = RunOnTerminal(SEALVANE_CLI_PATH, {"create", "c.xvt"},
                                             {{"Password: ", "Se-cret9\n"}, {"Confirm: ", "Se-cret9\n"}}, FDir.Path());
    EXPECT_EQ(create.ExitCode, 0) << create.Out;
    EXPECT_FALSE(Contains(create.Out, "Se-cret9")) << create.Out;
    EXPECT_EQ(Cli({"check", "c.xvt"}, "Se-cret9\n").ExitCode, 0);

    MakeFile("keep.txt", "k");
    MakeFile("gone.txt", "g");
    const TProgramRun wipe = RunOnTerminal(SEALVANE_CLI_PATH, {"wipe", "keep.txt", "gone.txt"},
                                           {{"File 'keep.txt' will be wiped and deleted. Are you sure? [y/N] ", "n\n"},
                                            {"File 'gone.txt' will be wiped and deleted. Are you sure? [y/N] ", "y\n"}},
                                           FDir.Path());
    EXPECT_EQ(wipe.ExitCode, 0) << wipe.Out;
    EXPECT_TRUE(fs::exists(FDir.File("keep.txt")));
    EXPECT_FALSE(fs::exists(FDir.File("gone.txt")));
}
