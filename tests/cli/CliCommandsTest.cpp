#include "ContainerFixture.h"
#include "ScriptedConsole.h"
#include "cipher/BasicFileStream.h"
#include "cli/CommandLine.h"
#include "cli/TextFormat.h"
#include "sealed/ContainerFormats.h"
#include "container/Wipe.h"
#include "language/Messages.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Commands run in-process through the real command line, with a scripted console, in the
// scratch folder of a container fixture (the wrong-password pause is recorded, not slept).
class CliCommands : public ContainerFixture
{
protected:
    // Runs with a scripted console (a terminal when `terminal`) that is asked for each answer
    // exactly once. Expects the exit code, each part in what the command wrote (its output when
    // it succeeds, its errors when it fails), and the wrong-password pause exactly with exit code 3.
    void Expect(int code, const std::vector<std::string>& answers, const std::vector<std::string>& args,
                const std::vector<std::string>& parts = {}, bool terminal = false)
    {
        SCOPED_TRACE(::testing::PrintToString(args));
        FPauses.clear();
        TScriptedConsole console({answers.begin(), answers.end()}, terminal, terminal);
        EXPECT_EQ(TCommandLine(FRegistry, console).Run(args), code) << console.FErr.str();
        const std::string& asked = console.FAsked;
        EXPECT_EQ(std::count(asked.begin(), asked.end(), '\n'), std::ssize(answers)) << asked;
        FOut = console.FOut.str();
        FErr = console.FErr.str();
        for (const std::string& part : parts) {
            EXPECT_NE((code == 0 ? FOut : FErr).find(part), std::string::npos) << part;
        }
        ASSERT_EQ(FPauses.size(), code == 3 ? 1u : 0u);
        EXPECT_TRUE(FPauses.empty() || FPauses[0] > 1900);
    }
    // "c.xvt", made by the create command with password "pw" and memo "Hi", holding the folder
    // tree (tree/a.txt, tree/sub/b.txt) and top.txt.
    std::string CreateContainer()
    {
        MakeFile("tree/a.txt", "alpha");
        MakeFile("tree/sub/b.txt", "bravo bravo");
        Expect(0, {"pw"},
               {"create", FDir.File("c.xvt"), FDir.File("tree"), MakeFile("top.txt", "top"), "--memo", "Hi"});
        return FDir.File("c.xvt");
    }

    const TCommandRegistry FRegistry = TCommandRegistry::WithAllCommands();
    std::string FOut;
    std::string FErr;
};

} // namespace

// None of these leaves a file behind or changes one. Changing commands refuse a read-only
// container before they ask for its password; passwd asks nothing more after a wrong password;
// a create whose confirmation differs on a terminal leaves no file; --help runs nothing.
TEST_F(CliCommands, MistakesAndRefusalsChangeNothing)
{
    const std::string c = CreateContainer();
    const std::string top = FDir.File("top.txt");
    const std::string readOnly = FDir.File("ro.xvt");
    fs::copy_file(c, readOnly);
    fs::permissions(readOnly, fs::perms(0444));
    const std::string ro = "File '" + readOnly + "' is read only! Cannot open for overwrite.";
    const std::string rtf = MakeFile("m.rtf", "{\\rtf1 x}");
    fs::create_symlink(top, FDir.File("link"));
    const TFileMap before = TreeOf(FDir.Path());

    Expect(1, {}, {"create", c, top}, {"already exists", "hint: add --force"});
    Expect(1, {""}, {"create", FDir.File("out.xvt")}, {"empty"});
    Expect(1, {"one", "two"}, {"create", FDir.File("out.xvt"), top}, {"error: Incorrect password confirmation!"}, true);
    Expect(2, {}, {"create", FDir.File("out.xvt"), "--memo", "x", "--memo-file", rtf});
    Expect(3, {"nope"}, {"list", c}, {"error: Incorrect password!"});
    Expect(3, {"wrong"}, {"passwd", c});
    Expect(2, {}, {"set-memo", c, "text", "--file", rtf});
    Expect(1, {"pw"}, {"extract", c, "-o", FDir.File("none"), "b.txt", "missing.txt"}, {"no entry 'missing.txt'"});
    Expect(2, {}, {"delete", c, "x"});
    Expect(1, {"pw"}, {"delete", c, "0", "7"}, {"no entry number 7"});
    Expect(1, {}, {"add", readOnly, top}, {ro});
    Expect(1, {}, {"delete", readOnly, "0"}, {ro});
    Expect(1, {}, {"passwd", readOnly}, {ro});
    Expect(1, {}, {"compact", readOnly}, {ro});
    Expect(0, {"pw"}, {"list", readOnly});
    Expect(1, {}, {"wipe", "--yes", FDir.File("link")}, {"symbolic link"});
    Expect(2, {}, {"wipe", "-y", "-n", "9", top});
    Expect(0, {}, {"extract", c, "-o", FDir.File("x"), "--help"}, {"Usage: sealvane-cli extract [OPTIONS] CONTAINER"});
    Expect(2, {}, {"frobnicate"});
    Expect(2, {}, {"list", "a.xvt", "b.xvt"});
    Expect(2, {}, {"list", "--colour", "a.xvt"},
           {"error: unknown option '--colour'", "hint: usage: sealvane-cli list"});
    EXPECT_EQ(TreeOf(FDir.Path()), before);
}

// The memo is stored in the 8-bit form, rich text as it is; --force replaces the output, and the
// output is never stored in itself.
TEST_F(CliCommands, CreateStoresTheMemoAndForceReplacesTheOutputButNotInsideItself)
{
    const std::string c = CreateContainer();
    const std::string rtf = MakeFile("memo.rtf", "{\\rtf1\\ansi Gr\\'fc\\'df\\par}");
    for (const auto& [option, memo] :
         {std::pair<std::string, std::string>{"--memo=Café", "Caf\xE9"}, {"--memo-file=" + rtf, ReadWholeFile(rtf)}}) {
        Expect(0, {"pw"}, {"create", "--force", c, FDir.Path(), option});
        TRandomCryptoContainer reader(TContainerKey("pw"));
        reader.OpenReadOnly(c);
        EXPECT_EQ(
            ExtractedFiles(reader),
            (TFileMap{
                {"a.txt", "alpha"}, {"b.txt", "bravo bravo"}, {"top.txt", "top"}, {"memo.rtf", ReadWholeFile(rtf)}}));
        EXPECT_EQ(reader.GetMemo(), memo);
        reader.Close();
    }
}

// list by number (base folder and attributes only in the long form), memo with line breaks as
// stored, info with its counts and the extra record, and a rebuilt catalog after an add
// that was stopped before the catalog was written.
TEST_F(CliCommands, ListMemoAndInfoShowWhatIsStored)
{
    const std::string c = CreateContainer();
    Expect(0, {"pw"}, {"list", c}, {"a.txt", "tree/sub", "11"});
    EXPECT_LT(FOut.find("a.txt"), FOut.find("b.txt"));
    EXPECT_EQ(FOut.find(FDir.Path()), std::string::npos) << "the base folder only in the long form";
    Expect(0, {"pw"}, {"list", "-l", c}, {FDir.Path(), "--A", "Header"});
    Expect(0, {"pw"}, {"set-memo", c, "Grüße\r\nzwei"});
    Expect(0, {"pw"}, {"memo", c});
    EXPECT_EQ(FOut, "Grüße\r\nzwei\n");
    Expect(0, {"pw"}, {"set-memo", c, "a\x1B]52;c;ZXZpbA==\x07 \xC2\x9B" "31m \xE2\x80\xAE" "fdp.exe\r\n"});
    Expect(0, {"pw"}, {"memo", c});
    EXPECT_EQ(FOut, "a\x1B]52;c;ZXZpbA==\x07 \xC2\x9B" "31m \xE2\x80\xAE" "fdp.exe\r\n") << "piped as stored";
    Expect(0, {"pw"}, {"memo", c}, {}, true);
    EXPECT_EQ(FOut, "a?]52;c;ZXZpbA==? ?31m ?fdp.exe\n") << "on a terminal, no escape sequence";
    Expect(0, {"pw"}, {"info", c},
           {"Entries:          3", "Zombie bytes:     0", "Catalog rebuilt:  no", "  Format:         8",
            "  Version:        " SEALVANE_PROJECT_VERSION "."});
    {
        TRandomCryptoContainer writer(TContainerKey("pw"));
        writer.Open(c);
        writer.SetExtra("7\x7F");
        writer.Close();
        writer.Open(c);
        writer.AddFile(MakeFile("late.txt", "late"), FDir.Path());
    }
    Expect(0, {"pw"}, {"info", c}, {"Entries:          4", "Catalog rebuilt:  yes"});
    EXPECT_NE(FErr.find("had to be regenerated"), std::string::npos);
}

// delete and set-memo leave the old bytes in the file: their help says so, and so do they, once,
// after the change.
TEST_F(CliCommands, DeleteAndSetMemoSayThatTheOldBytesStayUntilCompact)
{
    const std::string c = CreateContainer();
    const std::string notice = "sealvane-cli: hint: " + Message(msg::OldBytesStayUntilCompact, {c}) + "\n";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"delete", c, "0", "1"},
                                                  std::vector<std::string>{"set-memo", c, "new memo"}}) {
        Expect(0, {}, {args[0], "--help"}, {"until 'sealvane-cli compact'"});
        Expect(0, {"pw"}, args);
        EXPECT_EQ(FErr, notice);
    }
}

// Entries chosen by number or name; existing files are asked about on a terminal, refused
// without one (the others are extracted), or replaced with --force.
TEST_F(CliCommands, ExtractChoosesEntriesAndAsksAboutExistingFiles)
{
    const std::string c = CreateContainer();
    Expect(0, {"pw"}, {"extract", c, "--output=" + FDir.File("some"), "2", "tree/a.txt"});
    EXPECT_EQ(TreeOf(FDir.File("some")), (TFileMap{{"top.txt", "top"}, {"tree/a.txt", "alpha"}}));
    const std::string out = FDir.File("out");
    MakeFile("out/tree/a.txt", "mine");
    MakeFile("out/top.txt", "mine too");
    Expect(1, {"pw"}, {"extract", c, "-o", out}, {"exists; not overwritten", "--force"});
    EXPECT_EQ(ReadWholeFile(out + "/tree/a.txt"), "mine");
    EXPECT_EQ(ReadWholeFile(out + "/tree/sub/b.txt"), "bravo bravo") << "the others are extracted";

    Expect(0, {"pw", "n", "y", "y"}, {"extract", c, "-o", out}, {}, true);
    EXPECT_EQ(ReadWholeFile(out + "/tree/a.txt"), "mine");
    EXPECT_EQ(ReadWholeFile(out + "/top.txt"), "top");
    Expect(0, {"pw"}, {"extract", "-f", c, "-o", out});
    EXPECT_EQ(ReadWholeFile(out + "/tree/a.txt"), "alpha");
}

// A failed add takes back what it stored; passwd confirms a new password on a terminal or takes
// it from a file, as the key the program makes of the same text.
TEST_F(CliCommands, AddStoresAllOrNothingAndPasswdTakesTheNewPassword)
{
    const std::string c = CreateContainer();
    MakeFile("more/c.txt", "charlie");
    Expect(0, {"pw"}, {"add", c, FDir.File("more")});
    const std::string before = ReadWholeFile(c);
    {
        const std::string locked = MakeFile("locked.txt", "l");
        TBasicFileStream holder(locked, TFileMode::OpenRead);
        Expect(1, {"pw"}, {"add", c, FDir.File("top.txt"), locked}, {"Cannot open file '" + locked + "'"});
    }
    EXPECT_EQ(ReadWholeFile(c), before) << "top.txt taken back: the file as it was";

    Expect(0, {"pw", "fresh", "fresh"}, {"passwd", c}, {}, true);
    const std::string again = "\xC3\x84pfel \xE2\x82\xAC-caf\xC3\xA9"; // Äpfel €-café
    Expect(0, {"fresh"}, {"passwd", c, "--new-password-file", MakeFile("new.txt", again + "\n")});
    EXPECT_TRUE(CheckPassword(c, TContainerKey(again)));
}

// Each file is confirmed on a terminal and a failure does not stop the others. A file whose
// deletion failed after the passes used to be reported as wiped.
TEST_F(CliCommands, WipeConfirmsEachFileGoesOnAfterAFailureAndReportsAFailedDelete)
{
    const std::string keep = MakeFile("keep.txt", "keep");
    const std::string stuck = MakeFile("stuck.txt", "stuck");
    fs::permissions(stuck, fs::perms(0444));
    Expect(1, {"n", "y", "y", "y"}, {"wipe", keep, MakeFile("gone.txt", "gone"), stuck, MakeFile("last.txt", "last")},
           {"Cannot wipe file '" + stuck + "'! File '" + stuck + "' is read only!"}, true);
    EXPECT_EQ(FOut, "2 file(s) successfuly wiped\n");
    EXPECT_EQ(TreeOf(FDir.Path()), (TFileMap{{"keep.txt", "keep"}, {"stuck.txt", "stuck"}}));

    // The file's folder moves away after the last pass, so that deleting by its name fails.
    const std::string file = MakeFile("folder/secret.txt", "secret");
    const TWipePassHook previous = SetWipePassHook([&](const std::string&, int pass) {
        if (pass == 2) {
            fs::rename(FDir.File("folder"), FDir.File("moved"));
            WriteWholeFile(FDir.File("folder"), "");
        }
    });
    Expect(1, {}, {"wipe", "--yes", file}, {"Cannot wipe file '" + file + "'! Cannot delete file '" + file + "': "});
    SetWipePassHook(previous);
    EXPECT_EQ(FOut, "");
    EXPECT_TRUE(fs::exists(FDir.File("moved/secret.txt")));
}
