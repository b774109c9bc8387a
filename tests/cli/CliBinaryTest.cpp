#include "ContainerFixture.h"
#include "RunProgram.h"
#include "cipher/BasicFileStream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// The real tool, run in the scratch folder, passwords fed through standard input.
class CliBinary : public ContainerFixture
{
protected:
    TProgramRun Cli(const std::vector<std::string>& args, const std::string& input = "",
                    const std::vector<std::string>& environment = {})
    {
        return RunProgram(SEALVANE_CLI_PATH, args, input, FDir.Path(), environment);
    }
};

} // namespace

TEST_F(CliBinary, RoundTripKeepsEveryByteAndModificationTime)
{
    // Noon of 15 June 2021 and as many seconds as the file has bytes, away from any change of summer time.
    const auto june2021 = std::chrono::file_clock::from_sys(
        std::chrono::system_clock::time_point(std::chrono::sys_days{std::chrono::June / 15 / 2021} + 12h));
    const TFileMap files = {{"tree/Café.txt", PatternBytes(70000, 1)},
                            {"tree/sub/Łódź-Привет.txt", PatternBytes(1234, 2)},
                            {"tree/sub/empty", ""},
                            {"tree/deep/er/large.bin", PatternBytes(3 << 20, 3)}};
    for (const auto& [name, bytes] : files) {
        fs::last_write_time(MakeFile(name, bytes), june2021 + std::chrono::seconds(bytes.size()));
    }
    const TProgramRun create = Cli({"create", "c.xvt", "tree"}, "pw\n");
    ASSERT_EQ(create.ExitCode, 0) << create.Err;
    EXPECT_EQ(create.Err, "");
    ASSERT_EQ(Cli({"extract", "c.xvt", "-o", "out"}, "pw\n").ExitCode, 0);
    EXPECT_TRUE(TreeOf(FDir.File("out")) == files);
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(fs::last_write_time(FDir.File("out/" + name)), june2021 + std::chrono::seconds(bytes.size())) << name;
    }
}

// Format 5 through the tool: made with --format 5 and a password outside Windows-1252, shown by
// info, converted with passwd --format, kept by compact; the golden container read byte for byte.
TEST_F(CliBinary, FormatFiveIsMadeConvertedKeptAndReadByteForByte)
{
    const TFileMap files = {{"tree/Café ✓.txt", PatternBytes(70000, 1)}, {"tree/empty", ""}};
    for (const auto& [name, bytes] : files) {
        MakeFile(name, bytes);
    }
    const std::string password = "Schlüssel ✓ 7\n";
    ASSERT_EQ(Cli({"create", "--format", "5", "five.xvt", "tree"}, password).ExitCode, 0);
    ASSERT_EQ(Cli({"create", "four.xvt", "tree"}, password).ExitCode, 0);
    EXPECT_EQ(Cli({"create", "--format", "6", "six.xvt", "tree"}, password).ExitCode, 2);
    ASSERT_EQ(Cli({"passwd", "--format", "5", "four.xvt"}, password + "Äpfel €-café\n").ExitCode, 0);
    ASSERT_EQ(Cli({"delete", "five.xvt", "0"}, password).ExitCode, 0);
    ASSERT_EQ(Cli({"compact", "five.xvt"}, password).ExitCode, 0);
    for (const auto& [file, input, left] : {std::tuple{"four.xvt", "Äpfel €-café\n", 2u}, std::tuple{"five.xvt", password.c_str(), 1u}}) {
        SCOPED_TRACE(file);
        EXPECT_NE(Cli({"info", file}, input).Out.find("Format:           5\n"), std::string::npos);
        ASSERT_EQ(Cli({"extract", file, "-o", std::string("out-") + file}, input).ExitCode, 0);
        const TFileMap extracted = TreeOf(FDir.File(std::string("out-") + file));
        EXPECT_EQ(extracted.size(), left);
        for (const auto& [name, bytes] : extracted) {
            EXPECT_TRUE(files.at(name) == bytes) << name;
        }
    }

    std::filesystem::copy_file(std::string(SEALVANE_TEST_DATA_DIR) + "/golden5.xvt", FDir.File("golden5.xvt"));
    ASSERT_EQ(Cli({"extract", "golden5.xvt", "-o", "golden"}, "Schlüssel ✓ 5\n").ExitCode, 0);
    const TFileMap golden = TreeOf(FDir.File("golden"));
    EXPECT_EQ(std::tuple(golden.size(), golden.at("readme.txt"), golden.at("docs/Grüße ✓.txt"),
                         golden.at("docs/deep/data.bin").size()),
              std::tuple(4u, "Hello, Sealvane!\n", "Grüße aus Format 5 ✓\n", 70000u));
    EXPECT_EQ(Cli({"memo", "golden5.xvt"}, "Schlüssel ✓ 5\n").Out, "{\\rtf1\\ansi Golden memo 5\\par}\n");
}

// On a terminal passwords are not echoed and questions are asked; without one passwords are lines
// of standard input and nothing is asked.
TEST_F(CliBinary, PasswordsQuestionsAndTheRealPauseOfAWrongPassword)
{
    const TProgramRun create = RunOnTerminal(SEALVANE_CLI_PATH, {"create", "c.xvt"},
                                             {{"Password: ", "Se-cret9\n"}, {"Confirm: ", "Se-cret9\n"}}, FDir.Path());
    EXPECT_EQ(create.ExitCode, 0) << create.Out;
    EXPECT_EQ(create.Out.find("Se-cret9"), std::string::npos) << create.Out;
    EXPECT_EQ(Cli({"check", "c.xvt"}, "Se-cret9\n").ExitCode, 0);
    MakeFile("keep.txt", "k");
    MakeFile("gone.txt", "g");
    const TProgramRun wipe = RunOnTerminal(SEALVANE_CLI_PATH, {"wipe", "keep.txt", "gone.txt"},
                                           {{"File 'keep.txt' will be wiped and deleted. Are you sure? [y/N] ", "n\n"},
                                            {"File 'gone.txt' will be wiped and deleted. Are you sure? [y/N] ", "y\n"}},
                                           FDir.Path());
    EXPECT_EQ(wipe.ExitCode, 0) << wipe.Out;
    EXPECT_EQ(TreeOf(FDir.Path()), (TFileMap{{"c.xvt", ReadWholeFile(FDir.File("c.xvt"))}, {"keep.txt", "k"}}));
    const TProgramRun check = Cli({"check", "c.xvt"}, "wrong\n");
    EXPECT_EQ(check.ExitCode, 3);
    EXPECT_GE(check.Seconds, 1.9);
    EXPECT_EQ(check.Err, "sealvane-cli: error: Incorrect password!\n");
    EXPECT_EQ(Cli({"passwd", "c.xvt"}, "Se-cret9\nnew\n").ExitCode, 0);
    EXPECT_EQ(Cli({"check", "c.xvt"}, "new\n").ExitCode, 0);
    EXPECT_EQ(Cli({"list", "c.xvt"}, "").ExitCode, 1) << "no input, no password";

    EXPECT_EQ(Cli({"wipe", "keep.txt"}).ExitCode, 1) << "no questions without a terminal";
    EXPECT_TRUE(fs::exists(FDir.File("keep.txt")));
}

// While the tool holds a password (here: waits for one on a pipe) it is not dumpable, so that no
// other process of the user reads its memory, and it may write no core file. The system shows
// the /proc files of a process that is not dumpable as root's: run as root, this test starts the
// tool as "nobody", whose process would otherwise be shown as nobody's.
TEST(CliProcess, HoldingAPasswordItIsNotDumpableAndWritesNoCore)
{
    const uid_t user = ::geteuid() == 0 ? 65534 : ::geteuid();
    int input[2] = {};
    ASSERT_EQ(::pipe(input), 0);
    std::string program = SEALVANE_CLI_PATH, command = "create", output = "/nonexistent-sealvane-folder/never.xvt";
    char* const argv[] = {program.data(), command.data(), output.data(), nullptr};
    const pid_t tool = ::fork();
    ASSERT_GE(tool, 0);
    if (tool == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (::dup2(input[0], 0) < 0 || ::dup2(null, 1) < 0 || ::dup2(null, 2) < 0 || ::setsid() < 0 ||
            ::chdir("/") != 0 || (::geteuid() == 0 && (::setgid(user) != 0 || ::setuid(user) != 0))) {
            ::_exit(127);
        }
        ::close(input[1]);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    ::close(input[0]);
    const std::string proc = "/proc/" + std::to_string(tool);
    const auto firstLine = [](const std::string& file) {
        std::ifstream in(file);
        std::string line;
        std::getline(in, line, file.ends_with("cmdline") ? '\0' : '\n');
        return line;
    };
    // Waiting: the tool itself (exec done), asleep in its read of the password.
    bool waiting = false;
    for (int tries = 0; tries < 1000 && !waiting; ++tries) {
        const std::string stat = firstLine(proc + "/stat");
        waiting = firstLine(proc + "/cmdline") == program && stat.find(") S ") != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    struct stat status = {};
    const bool known = ::stat((proc + "/status").c_str(), &status) == 0;
    // The soft and the hard limit of the core file's size.
    const std::string coreLimit = "Max core file size";
    std::ifstream limits(proc + "/limits");
    std::string soft, hard;
    for (std::string line; std::getline(limits, line);) {
        if (line.rfind(coreLimit, 0) == 0) {
            std::istringstream(line.substr(coreLimit.size())) >> soft >> hard;
        }
    }
    ::kill(tool, SIGKILL);
    ::close(input[1]);
    ::waitpid(tool, nullptr, 0);

    ASSERT_TRUE(waiting && known) << "the tool never waited for the password";
    EXPECT_EQ(status.st_uid, 0u) << "dumpable: its files are its user's (" << user << ")";
    EXPECT_EQ(soft + ' ' + hard, "0 0");
}

// Compact drops the bytes a delete leaves and keeps the container's permissions; without
// write permission an add fails and leaves the container alone.
TEST_F(CliBinary, CompactAfterDeleteShrinksTheFileAndKeepsTheRestAndAReadOnlyOneStaysAsItIs)
{
    const TFileMap kept = {{"keep1.txt", PatternBytes(5000, 4)}, {"keep2.txt", PatternBytes(7000, 6)}};
    MakeFile("keep1.txt", kept.at("keep1.txt"));
    MakeFile("drop.bin", PatternBytes(200000, 5));
    MakeFile("keep2.txt", kept.at("keep2.txt"));
    ASSERT_EQ(Cli({"create", "c.xvt", "keep1.txt", "drop.bin", "keep2.txt"}, "pw\n").ExitCode, 0);
    const auto before = fs::file_size(FDir.File("c.xvt"));
    ASSERT_EQ(Cli({"delete", "c.xvt", "1"}, "pw\n").ExitCode, 0);
    ::chmod(FDir.File("c.xvt").c_str(), 0640);
    ASSERT_EQ(Cli({"compact", "c.xvt"}, "pw\n").ExitCode, 0);
    EXPECT_LT(fs::file_size(FDir.File("c.xvt")), before - 200000);
    EXPECT_EQ(fs::status(FDir.File("c.xvt")).permissions(), fs::perms(0640));
    ASSERT_EQ(Cli({"extract", "c.xvt", "-o", "out"}, "pw\n").ExitCode, 0);
    EXPECT_TRUE(TreeOf(FDir.File("out")) == kept);
    EXPECT_EQ(TreeOf(FDir.Path()).size(), 6u) << "no work file left beside the container";

    const std::string compacted = ReadWholeFile(FDir.File("c.xvt"));
    ::chmod(FDir.File("c.xvt").c_str(), 0444);
    const TProgramRun add = Cli({"add", "c.xvt", "keep1.txt"}, "pw\n");
    EXPECT_EQ(add.ExitCode, 1);
    EXPECT_NE(add.Err.find("File 'c.xvt' is read only! Cannot open for overwrite."), std::string::npos) << add.Err;
    EXPECT_TRUE(ReadWholeFile(FDir.File("c.xvt")) == compacted);
}

// Control characters of stored names never reach the terminal: list and errors show '?'. A
// catalog that lists an entry other than the one its header names (an autostart entry or a
// replacement of .bashrc shown as harmless files) gets that entry refused, even with --force,
// naming it as listed. Both formats alike.
TEST_F(CliBinary, HostileStoredNamesWriteNothingOutsideTheTargetNorUnlistedNorControlCharactersToTheTerminal)
{
    const auto listAs = [](const std::string& name, std::int64_t size) {
        return [=](TFileInfo& entry, std::string&) {
            entry.FPath = TPathInfo::FromStored("|base", "", name, "");
            entry.FSize = size;
        };
    };
    for (const std::int64_t format : {ClassicFormat, SealedFormat}) {
        SCOPED_TRACE("format " + std::to_string(format));
        fs::remove_all(FDir.File("out"));
        fs::remove(FDir.File("c.xvt"));
        WriteHostileContainer(
            FDir.File("c.xvt"), "pw", format,
            {{TPathInfo::FromStored("|base", "|..|..", "escaped.txt", ""), "evil"},
             {TPathInfo::FromStored("|base", "", "..", ""), "evil"},
             {TPathInfo::FromStored("|base", "|sub", "fine.txt", ""), "good"},
             {TPathInfo::FromStored("|base", "", "red\x1B[31m.txt", ""), "odd"},
             {TPathInfo::FromStored("|base", "", "bad/\x1B[31m", "")},
             {TPathInfo::FromStored("|base", "|.config|autostart", "update.desktop", ""), "[Desktop Entry]",
              listAs("invoice.pdf", 15)},
             {TPathInfo::FromStored("|base", "", ".bashrc", ""), "evil", listAs("notes.txt", 3)}});
        const TProgramRun list = Cli({"list", "c.xvt"}, "pw\n");
        EXPECT_NE(list.Out.find("red?[31m.txt"), std::string::npos) << list.Out;
        EXPECT_TRUE(list.Out.find("invoice.pdf") != std::string::npos && list.Out.find("update") == std::string::npos)
            << list.Out;
        MakeFile("out/inner/.bashrc", "original");
        const TProgramRun extract = Cli({"extract", "c.xvt", "-o", "out/inner", "--force"}, "pw\n");
        EXPECT_EQ(extract.ExitCode, 1);
        for (const std::string error : {"Illegal file name 'bad/?[31m'",
                                        "Attachment 'invoice.pdf' is damaged! Its stored record does not match the "
                                        "list. Nothing was written.",
                                        "Attachment 'notes.txt' is damaged!"}) {
            EXPECT_NE(extract.Err.find("sealvane-cli: error: " + error), std::string::npos) << extract.Err;
        }
        EXPECT_EQ((list.Out + extract.Out + extract.Err).find('\x1B'), std::string::npos);
        EXPECT_EQ(TreeOf(FDir.Path()), (TFileMap{{"c.xvt", ReadWholeFile(FDir.File("c.xvt"))},
                                                 {"out/inner/.bashrc", "original"},
                                                 {"out/inner/sub/fine.txt", "good"},
                                                 {"out/inner/red\x1B[31m.txt", "odd"}}))
            << "a strange name, but a legal one";
        EXPECT_FALSE(fs::exists(FDir.File("../escaped.txt")) || fs::exists(FDir.File("out/inner/.config")));
    }
}

// A failed create leaves no file, also when it fails while storing, after the container was begun.
TEST_F(CliBinary, FailedCreateLeavesNoFileUsageErrorsAndTheLanguageOfMessages)
{
    MakeFile("present.txt", "p");
    const TProgramRun missing = Cli({"create", "out.xvt", "present.txt", "missing.txt"}, "pw\n");
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_EQ(missing.Err, "sealvane-cli: error: File 'missing.txt' not found!\n");
    // A failure while storing, after the container was begun.
    TBasicFileStream holder(FDir.File("present.txt"), TFileMode::OpenRead); // held exclusively
    MakeFile("other.txt", "o");
    EXPECT_EQ(Cli({"create", "out.xvt", "other.txt", "present.txt"}, "pw\n").ExitCode, 1);
    EXPECT_EQ(TreeOf(FDir.Path()), (TFileMap{{"other.txt", "o"}, {"present.txt", "p"}}));
    EXPECT_EQ(Cli({}).ExitCode, 2);
    // LC_ALL before LC_MESSAGES before LANG; an empty one does not count.
    const std::pair<std::vector<std::string>, std::string> languages[] = {
        {{}, "sealvane-cli: error: Container 'missing.xvt' not found!\n"},
        {{"LANG=de_DE.UTF-8"}, "sealvane-cli: error: Container 'missing.xvt' nicht gefunden!\n"},
        {{"LANG=de_DE.UTF-8", "LC_ALL=fr_FR.UTF-8"}, "introuvable"},
        {{"LANG=fr_FR.UTF-8", "LC_MESSAGES=de", "LC_ALL="}, "nicht gefunden"}};
    for (const auto& [environment, text] : languages) {
        const TProgramRun run = Cli({"list", "missing.xvt"}, "", environment);
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_NE(run.Err.find(text), std::string::npos) << ::testing::PrintToString(environment) << run.Err;
    }
}
