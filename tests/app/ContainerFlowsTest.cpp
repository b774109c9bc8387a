#include "FlowFixture.h"
#include "app/ReceivedLocation.h"
#include "app/WorkCopy.h"
#include "cli/CommandLine.h"
#include "cli/CommandRegistry.h"
#include "cli/ScriptedConsole.h"
#include "sealed/ContainerFormats.h"
#include "container/ExtraString.h"
#include "container/PathError.h"
#include "container/Wipe.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

std::string SaveQuestion(const std::string& fileName)
{
    return "Container '" + fs::path(fileName).filename().string() + "' is not saved. Do you want to save it now?";
}

const std::string ReadOnlyRefusal = "This container is read only! To change it, save it in a folder of your own first "
                                    "(\"Save as...\"): a container in a temporary folder or in a folder of another "
                                    "user is only read.";

using ContainerFlowsTest = FlowFixture;

TEST_F(ContainerFlowsTest, WrongThenRightPasswordAsksAgainAndRemembersTheRightOne)
{
    const std::string file = MakeFile("mail/letter.xvt", "");
    MakeMessage(file, "right", {{"a.txt", "alpha"}}, "the memo");
    FSession.RememberPassword("earlier", 60'000);
    FSettings.SaveLastPWDTime = 0;
    FUser.ExpectPassword(Kind::Password, "Password", "earlier", "wrong")
        .ExpectInfoBox("Information", "Incorrect password!")
        .ExpectPassword(Kind::Password, "Password", "", "right");
    FCommands.OpenContainerFile(nullptr, file);

    // A pause after the wrong password.
    EXPECT_EQ(std::tuple(FSession.RememberedPassword(), FPauses.size(), FSession.DialogFolder(FSettings)),
              std::tuple("right", 1u, FDir.File("mail")));
    // What the opened window shows the end-to-end test checks.
    TestWindow& window = OnlyWindow();
    EXPECT_EQ(std::tie(window.FText, window.Shown().State().FPassword), std::tuple("the memo", "right"));

    // SaveLastPWDTime 0: the timer forgets the password at once.
    QCoreApplication::processEvents();
    EXPECT_EQ(FSession.RememberedPassword(), "");
}

TEST_F(ContainerFlowsTest, DamagedContainersAreReportedAndOpeningAndClosingRepairsNothing)
{
    const std::string broken = MakeFile("broken.xvt", "not a container at all");
    FUser.ExpectPassword(Kind::Password, "Password", "", "pw").ExpectInfoBox("Error", ContainerErrorOf([&] {
                                                                                 CheckPassword(broken,
                                                                                               TContainerKey("pw"));
                                                                             }));
    FCommands.OpenContainerFile(nullptr, broken);
    EXPECT_TRUE(FWindows.empty() && FUser.FBusyDepth == 0) << "nothing opened; the wait cursor ends with the flow";

    // An extra record of an unknown format; a catalog cut off, found again by a scan.
    const std::string odd = FDir.File("odd.xvt"), cut = FDir.File("cut.xvt");
    MakeContainer(odd, "pw", {}, "", "7\x7F");
    MakeMessage(cut, "pw", {{"a.txt", "alpha"}});
    fs::resize_file(cut, static_cast<std::uintmax_t>(CatalogPosition(ReadWholeFile(cut), "pw")));
    const std::pair<std::string, std::string> cases[] = {
        {odd, "Invalid Extra format '7'!"}, {cut, "The catalog of container '" + cut + "' had to be regenerated!"}};
    for (const auto& [file, message] : cases) {
        const std::string before = ReadWholeFile(file);
        const std::size_t windows = FWindows.size();
        FUser.ExpectPassword(Kind::Password, "Password", FSession.RememberedPassword(), "pw")
            .ExpectInfoBox("Information", message);
        FCommands.OpenContainerFile(nullptr, file);
        ASSERT_EQ(FWindows.size(), windows + 1) << file;
        TestWindow& window = *FWindows.back();
        EXPECT_TRUE(window.Shown().Container().IsWritable());
        window.RequestClose();
        EXPECT_TRUE(window.FClosed && ReadWholeFile(file) == before) << file;
    }
}

TEST_F(ContainerFlowsTest, YesThenCancelledFileDialogAsksAgainAndASavedCopyCloses)
{
    TestWindow& window = NewWindow();
    const std::string workFile = window.Shown().Container().FileName();
    const std::string name = fs::path(workFile).filename();
    window.Type("draft");
    FUser.Expect(Kind::YesNoCancel, "Save container", SaveQuestion(workFile), TAnswer::Yes)
        .ExpectChoice(Kind::SaveFile, "Save container", {}, name)
        .Expect(Kind::YesNoCancel, "Save container", SaveQuestion(workFile), TAnswer::Cancel);
    window.RequestClose();
    EXPECT_TRUE(!window.FClosed && FSession.Windows().size() == 1 && window.Shown().HasContainer());

    const std::string target = MakeFile("saved/kept.xvt", "");
    FUser.Expect(Kind::YesNoCancel, "Save container", SaveQuestion(workFile), TAnswer::Yes)
        .ExpectChoice(Kind::SaveFile, "Save container", {target}, name)
        .ExpectPassword(Kind::NewPassword, "Password", "", "secret");
    window.RequestClose();
    EXPECT_TRUE(window.FClosed && FSession.Windows().empty()) << "saved: the close goes on without asking again";
    EXPECT_EQ(Memo(target, "secret"), "draft");
    EXPECT_FALSE(fs::exists(workFile)) << "the work file is wiped when its window closes";
}

// Replacing a file that another window has open (however the name is spelled) or that another
// instance of the program holds is refused: the holder would go on writing into a file gone from
// the folder. A window may replace its own file.
TEST_F(ContainerFlowsTest, SaveAsRefusesAFileHeldElsewhereAndReplacesItsOwn)
{
    const std::string letter = FDir.File("letter.xvt");
    MakeMessage(letter, "pw", {}, "kept");
    TestWindow& holder = OpenedWindow(letter, "pw");
    holder.FTitle = "Letter";
    fs::create_directory(FDir.File("sub"));
    fs::create_symlink(letter, FDir.File("link.xvt"));
    TestWindow& saving = NewWindow();
    saving.Type("draft");
    const std::string workName = fs::path(saving.Shown().Container().FileName()).filename();
    for (const std::string& target : {letter, FDir.File("sub/../letter.xvt"), FDir.File("link.xvt")}) {
        FUser.ExpectChoice(Kind::SaveFile, "Save container", {target}, workName)
            .ExpectInfoBox("Error",
                           "File '" + target +
                               "' is open in the window 'Letter'! Close it there first or choose another name.");
        EXPECT_FALSE(FCommands.Flows().SaveContainerAs(saving)) << target;
    }
    holder.RequestClose();
    ASSERT_TRUE(holder.FClosed);

    const int otherInstance = ::open(letter.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(otherInstance, LOCK_EX), 0);
    FUser.ExpectChoice(Kind::SaveFile, "Save container", {letter}, workName)
        .ExpectPassword(Kind::NewPassword, "Password", "", "new")
        .ExpectInfoBox("Error", "File '" + letter +
                                    "' is currently locked by another application! Please close the application and "
                                    "try again!'");
    EXPECT_FALSE(FCommands.Flows().SaveContainerAs(saving));
    ::close(otherInstance);
    EXPECT_EQ(Memo(letter, "pw"), "kept");
    EXPECT_EQ(fs::path(saving.Shown().Container().FileName()).filename(), workName)
        << "the window goes on with its container";

    for (const char* password : {"new", "newer"}) {
        FUser
            .ExpectChoice(Kind::SaveFile, "Save container", {letter},
                          fs::path(saving.Shown().Container().FileName()).filename())
            .ExpectPassword(Kind::NewPassword, "Password", saving.Shown().State().FPassword, password);
        EXPECT_TRUE(FCommands.Flows().SaveContainerAs(saving)) << password;
    }
    saving.RequestClose();
    EXPECT_EQ(Memo(letter, "newer"), "draft");
}

// The event loop runs in a flow's progress steps: a window closed meanwhile (the one at work too,
// whose container is given up for a save or a re-key) closes, and what a second start hands over
// comes, only once the flow is done, in the order they came.
TEST_F(ContainerFlowsTest, ClosesAndHandOversDuringAFlowWaitForItsEnd)
{
    const std::string file = FDir.File("letter.xvt");
    const struct
    {
        const char* FName;
        std::function<void(TestWindow&)> FRun;
    } flows[] = {{"save as",
                  [&](TestWindow& window) {
                      FUser.ExpectChoice(Kind::SaveFile, "Save container", {FDir.File("saved.xvt")}, "letter.xvt")
                          .ExpectPassword(Kind::NewPassword, "Password", "pw", "new");
                      FCommands.Flows().SaveContainerAs(window);
                  }},
                 {"change password",
                  [&](TestWindow& window) {
                      FUser.ExpectPassword(Kind::NewPassword, "Password", "pw", "new");
                      FCommands.Mail().ChangePassword(window);
                  }},
                 {"extract", [&](TestWindow& window) {
                      FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FDir.File("out")});
                      FCommands.Attachments().ExtractAllAttachments(window);
                  }}};
    for (const auto& [name, run] : flows) {
        SCOPED_TRACE(name);
        MakeMessage(file, "pw", {{"large.bin", PatternBytes(1 << 20)}});
        TestWindow& other = NewWindow();
        TestWindow& working = OpenedWindow(file, "pw");
        std::vector<std::string> events;
        FUser.FDuringProgress = [&] {
            working.RequestClose();
            other.RequestClose();
            FSession.AfterFlow(
                [&] { events.push_back(FSession.Windows().empty() ? "handed over" : "handed over early"); });
            events.push_back(working.FClosed || other.FClosed ? "closed inside" : "nothing closed inside");
        };
        run(working);
        EXPECT_EQ(FSession.Windows().size(), 2u);
        QCoreApplication::processEvents();
        EXPECT_TRUE(working.FClosed && other.FClosed);
        EXPECT_EQ(events, (std::vector<std::string>{"nothing closed inside", "handed over"}));
    }
}

// Each file or folder dialog starts in the folder the one before used in this run, the first in
// the options' folder, which using a folder never changes.
TEST_F(ContainerFlowsTest, FileDialogsStartWhereTheLastOneEndedAndLeaveTheOptionsFolderAlone)
{
    const std::string option = FDir.File("chosen");
    FSettings.DefaultCurrentDirectory = option;
    const std::string file = MakeFile("mail/letter.xvt", "");
    MakeMessage(file, "pw", {{"a.txt", "alpha"}});
    fs::create_directories(FDir.File("saved"));
    TestWindow* window = nullptr;
    const struct
    {
        const char* FName;
        std::function<void()> FRun;
        std::string FOffered;
    } flows[] = {{"open",
                  [&] {
                      FUser.ExpectChoice(Kind::OpenFile, "Open", {file})
                          .ExpectPassword(Kind::Password, "Password", "", "pw");
                      FCommands.OpenContainerFile(nullptr, "");
                      window = &OnlyWindow();
                  },
                  option},
                 {"save as",
                  [&] {
                      FUser.ExpectChoice(Kind::SaveFile, "Save container", {FDir.File("saved/copy.xvt")}, "letter.xvt")
                          .ExpectPassword(Kind::NewPassword, "Password", "pw", "pw");
                      FCommands.Flows().SaveContainerAs(*window);
                  },
                  FDir.File("mail")},
                 {"extract",
                  [&] {
                      FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FDir.File("out")});
                      FCommands.Attachments().ExtractAllAttachments(*window);
                  },
                  FDir.File("saved")},
                 {"add",
                  [&] {
                      FUser.ExpectChoice(Kind::OpenFiles, "Add attachments...", {});
                      FCommands.Attachments().AddAttachments(*window);
                  },
                  FDir.File("out")}};
    for (const auto& [name, run, offered] : flows) {
        SCOPED_TRACE(name);
        FUser.FFoldersOffered.clear();
        run();
        EXPECT_TRUE(FUser.AllAsked());
        EXPECT_EQ(FUser.FFoldersOffered, std::vector<std::string>{offered});
        EXPECT_EQ(FSettings.DefaultCurrentDirectory, option);
    }
    // Another default folder chosen in the options meanwhile is where the next dialog starts.
    FSettings.DefaultCurrentDirectory = FDir.File("other");
    FUser.FFoldersOffered.clear();
    FUser.ExpectChoice(Kind::OpenFiles, "Add attachments...", {});
    FCommands.Attachments().AddAttachments(*window);
    EXPECT_EQ(FUser.FFoldersOffered, std::vector<std::string>{FDir.File("other")});
}

TEST_F(ContainerFlowsTest, ClosingNeverWipesAnotherWindowsContainer)
{
    TestWindow& first = NewWindow();
    TestWindow& second = NewWindow();
    EXPECT_TRUE(first.Shown().Container().FileName() != second.Shown().Container().FileName() &&
                first.Shown().Container().GetKey() != second.Shown().Container().GetKey());
    second.FText = "kept";
    second.Shown().Container().SetMemo("kept");

    first.RequestClose(); // new and empty: nothing asked
    EXPECT_EQ(FSession.Windows(), std::vector<IContainerWindow*>{&second});
    EXPECT_TRUE(fs::exists(second.Shown().Container().FileName())) << "an open container is never wiped";
    EXPECT_EQ(second.Shown().Container().GetMemo(), "kept");
}

TEST_F(ContainerFlowsTest, DroppedFilesFollowTheContainerFileRules)
{
    const std::string old = FDir.File("old.bwk"), older = FDir.File("older.BWK"), xvt = FDir.File("other.xvt");
    MakeMessage(old, "pw", {{"inside.txt", "inside"}});
    MakeMessage(older, "pw", {});
    MakeMessage(xvt, "pw", {});
    const std::string other = MakeFile("notes.txt", "notes");

    // One .bwk file opens it.
    FUser.ExpectPassword(Kind::Password, "Password", "", "pw");
    FCommands.DropFiles(nullptr, {old});
    EXPECT_EQ(OnlyWindow().AttachmentNames(), std::vector<std::string>{"inside.txt"});

    // Anything else is added to a new window, in catalog order (the newest first).
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{older, other}, {"notes.txt", "older.BWK"}},
        {{xvt, other}, {"notes.txt"}},
        {{other, FDir.File("vanished.txt")}, {"notes.txt"}}};
    for (const auto& [dropped, added] : cases) {
        const std::size_t before = FWindows.size();
        FCommands.DropFiles(nullptr, dropped);
        ASSERT_EQ(FWindows.size(), before + 1) << "each drop on the start window makes a window";
        EXPECT_EQ(FWindows.back()->AttachmentNames(), added);
    }
}

// A drop back onto the drag source is checked through the drop zone with the drag-and-drop tests.
TEST_F(ContainerFlowsTest, DropsOntoReadOnlyOrCancelledAddNothingAndTextOnTheStartWindowMakesAMemo)
{
    const std::string file = MakeFile("a.txt", "a");
    const std::string readOnly = FDir.File("locked.xvt");
    MakeMessage(readOnly, "pw", {{"b.txt", "b"}});
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    TestWindow& opened = OpenedWindow(readOnly, "pw");
    FUser.ExpectInfoBox("Information", ReadOnlyRefusal);
    FCommands.DropFiles(&opened, {file});
    EXPECT_EQ(opened.AttachmentNames(), std::vector<std::string>{"b.txt"});

    // A drop onto a hidden window cancelled in its first file ends there, without a message; the
    // window is shown again. That the container file stays as it was the end-to-end test checks.
    TestWindow& hidden = NewWindow();
    hidden.FVisible = false;
    FUser.FCancelAtStep = 2;
    FCommands.DropFiles(&hidden, {MakeFile("large.bin", PatternBytes(3 << 20)), file});
    EXPECT_EQ(FUser.FProgressSteps, 2) << "no step after the cancel";
    EXPECT_EQ(FUser.FProgressBegun, std::vector<std::string>{"Add: large.bin"}) << "the second file is never begun";
    EXPECT_TRUE(FUser.FProgressRunning == 0 && hidden.FVisible && hidden.AttachmentNames().empty());

    // Dropped on the start window, text becomes the memo of a new window, trimmed.
    FCommands.DropText(nullptr, "  {\\rtf1 hello}\r\n", true);
    TestWindow& dropped = *FWindows.back();
    EXPECT_EQ(dropped.Shown().Container().GetMemo(), "{\\rtf1 hello}");
    EXPECT_TRUE(dropped.FRich && dropped.Shown().State().FModified && !dropped.Shown().State().FSaved);
}

// A container in a temporary folder (the work folder among them) or in a folder that is not the
// user's is only read; one in the user's own folder is written only when the user changed
// something. Opening and closing leaves either byte for byte as it was.
TEST_F(ContainerFlowsTest, ReceivedContainersAreOnlyReadAndOnlyAChangeWrites)
{
    const std::string foreign = FDir.File("foreign");
    fs::create_directory(foreign);
    // Root may write anywhere: the folder is another user's then, else one the user cannot write.
    const bool root = ::geteuid() == 0;
    const struct
    {
        std::string FFolder;
        bool FWritable;
    } cases[] = {{FDir.File("mine"), true},
                 {FSandbox.TemporaryFolder() + "x", true}, // a sibling whose name begins alike
                 {FSandbox.TemporaryFolder() + "/dnd_file", false},
                 {FSettings.TempPath, false},
                 {foreign, false}};
    for (const auto& [folder, writable] : cases) {
        SCOPED_TRACE(folder);
        fs::create_directories(folder);
        const std::string file = folder + "/letter.xvt";
        MakeMessage(file, "pw", {{"a.txt", "alpha"}}, "memo", "sender@example.org");
        if (folder == foreign) {
            ASSERT_EQ(root ? ::chown(foreign.c_str(), 65534, 65534) : ::chmod(foreign.c_str(), 0555), 0);
        }
        const std::string before = ReadWholeFile(file);
        TestWindow& window = OpenedWindow(file, "pw");
        ASSERT_EQ(window.Shown().Container().IsWritable(), writable);
        if (!writable) {
            FUser.ExpectInfoBox("Information", ReadOnlyRefusal);
            FCommands.DropText(&window, "dropped", false);
        }
        window.RequestClose();
        EXPECT_TRUE(window.FClosed && ReadWholeFile(file) == before);
    }
    fs::permissions(foreign, fs::perms::owner_all); // the scratch folder can go again
    for (const std::string& folder : std::vector<std::string>{"/tmp", "/var/tmp", FSandbox.TemporaryFolder()}) {
        EXPECT_TRUE(IsReceivedLocation(folder + "/dnd_file/letter.xvt", SystemTemporaryFolders())) << folder;
    }

    const std::string mine = FDir.File("mine/letter.xvt");
    TestWindow& typed = OpenedWindow(mine, "pw");
    typed.Type("typed");
    typed.RequestClose();
    EXPECT_EQ(Memo(mine, "pw"), "typed");
}

// The password a window keeps for its next password question goes when the window closes and
// when the remembered password is forgotten.
TEST_F(ContainerFlowsTest, WindowPasswordsAreWipedOnCloseAndWithTheRememberedPassword)
{
    const std::string file = FDir.File("letter.xvt");
    MakeMessage(file, "pw", {});
    FSettings.SaveLastPWDTime = 5;
    TestWindow& closed = OpenedWindow(file, "pw");
    ASSERT_EQ(closed.Shown().State().FPassword, "pw");
    closed.RequestClose();
    EXPECT_EQ(closed.Shown().State().FPassword, "");

    // SaveLastPWDTime 0: the timer runs out at once.
    FSettings.SaveLastPWDTime = 0;
    TestWindow& open = OpenedWindow(file, "pw");
    ASSERT_EQ(open.Shown().State().FPassword, "pw");
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tie(FSession.RememberedPassword(), open.Shown().State().FPassword), std::tuple("", ""));
}

TEST_F(ContainerFlowsTest, WipingAsksFirstStopsAtTheFirstFailureAndOverwritesAtLeastOnce)
{
    const std::vector<std::string> files = {MakeFile("w/a.txt", "aaa"), MakeFile("w/b.txt", "bbb"),
                                            MakeFile("w/c.txt", "ccc")};
    const std::string question = "File ''a.txt', 'b.txt', 'c.txt'' will be wiped and deleted. Are you sure?";
    FUser.ExpectChoice(Kind::OpenFiles, "Wipe files", files).Expect(Kind::YesNo, "Warning", question, TAnswer::No);
    EXPECT_TRUE(FCommands.Wipe().Run(FUser));
    EXPECT_EQ(TreeOf(FDir.File("w")), (TFileMap{{"a.txt", "aaa"}, {"b.txt", "bbb"}, {"c.txt", "ccc"}}));

    fs::permissions(files[1], fs::perms::owner_write, fs::perm_options::remove);
    FUser.ExpectChoice(Kind::OpenFiles, "Wipe files", files)
        .Expect(Kind::YesNo, "Warning", question, TAnswer::Yes)
        .ExpectInfoBox("Error", "File '" + files[1] + "' is read only! Cannot open for overwrite.");
    EXPECT_FALSE(FCommands.Wipe().Run(FUser));
    EXPECT_EQ(TreeOf(FDir.File("w")), (TFileMap{{"b.txt", "bbb"}, {"c.txt", "ccc"}})) << "the rest is left as it was";

    // A hand-edited 0 still overwrites every file once (three passes) before deleting it.
    fs::permissions(files[1], fs::perms::owner_write, fs::perm_options::add);
    FSettings.WipeCyclesUser = 0;
    int passes = 0;
    const TWipePassHook previous = SetWipePassHook([&](const std::string&, int) { ++passes; });
    FUser.ExpectChoice(Kind::OpenFiles, "Wipe files", {files[1], files[2]})
        .Expect(Kind::YesNo, "Warning", "File ''b.txt', 'c.txt'' will be wiped and deleted. Are you sure?",
                TAnswer::Yes)
        .ExpectInfoBox("Information", "2 file(s) successfuly wiped");
    EXPECT_TRUE(FCommands.Wipe().Run(FUser));
    SetWipePassHook(previous);
    EXPECT_EQ(passes, 6);
    EXPECT_FALSE(fs::exists(files[1]) || fs::exists(files[2]));
}

// An opened container "Report.xvt" holding the text "report text" and three attachments, in
// catalog order (the newest first) one.txt, deep/two.txt and three.txt; the folder "out" to
// extract into.
class AttachmentCommandsTest : public FlowFixture
{
protected:
    void SetUp() override
    {
        FlowFixture::SetUp();
        const std::string file = FDir.File("Report.xvt");
        MakeMessage(file, "pw", {{"three.txt", "third"}, {"deep/two.txt", "second"}, {"one.txt", "first"}},
                    "report text");
        FWindow = &OpenedWindow(file, "pw");
        fs::create_directory(FOut);
    }

    // The file's contents, empty when it does not exist.
    std::string Out(const std::string& name) { return fs::exists(FOut + name) ? ReadWholeFile(FOut + name) : ""; }

    TAttachmentCommands& Commands() { return FCommands.Attachments(); }

    TestWindow* FWindow = nullptr;
    const std::string FOut = FDir.File("out");
};

// Asked in the order the files were stored (three.txt first), whatever the list shows.
TEST_F(AttachmentCommandsTest, OverwriteAnswersDecideFileByFile)
{
    // The answer; then one.txt, deep/two.txt and three.txt, and whether the folder was shown.
    const std::tuple<TAnswer, std::string, std::string, std::string, bool> cases[] = {
        {TAnswer::Cancel, "", "", "old", false}, // Cancel stops before the rest
        {TAnswer::No, "first", "second", "old", true},
        {TAnswer::Yes, "first", "second", "third", true}};
    for (const auto& [answer, one, two, three, explored] : cases) {
        fs::remove_all(FOut);
        MakeFile("out/three.txt", "old");
        FUser.FShellOpened.clear();
        FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FOut})
            .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "'\\'three.txt'", answer);
        Commands().ExtractAllAttachments(*FWindow);
        EXPECT_EQ(std::tuple(Out("/one.txt"), Out("/deep/two.txt"), Out("/three.txt")), std::tie(one, two, three));
        EXPECT_EQ(FUser.FShellOpened, explored ? std::vector<std::string>{FOut} : std::vector<std::string>{});
    }
    EXPECT_EQ(FSession.DialogFolder(FSettings), FOut);
}

// The window leaves what the command-line tool leaves with --force (after a Yes to each Overwrite):
// of two entries of one name the newer, the small files written behind; the failed files (a
// read-only one in the way, twice) are told in one box, the others are written all the same, and
// the folder is not shown. One progress display runs for all of them.
TEST_F(AttachmentCommandsTest, ExtractionLeavesWhatTheToolLeaves)
{
    const std::string file = FDir.File("Twice.xvt");
    MakeMessage(file, "pw",
                {{"a.txt", "older"}, {"sub/b.txt", "bravo"}, {"a.txt", "newer"}, {"locked.txt", "new"},
                 {"c.txt", "charlie"}, {"locked.txt", "newer"}});
    const std::string tool = FDir.File("tool");
    for (const std::string& folder : {FOut, tool}) {
        fs::create_directories(folder);
        WriteWholeFile(folder + "/locked.txt", "old");
        fs::permissions(folder + "/locked.txt", fs::perms::owner_write, fs::perm_options::remove);
    }
    TScriptedConsole console({"pw"});
    EXPECT_EQ(TCommandLine(TCommandRegistry::WithAllCommands(), console).Run({"extract", "--force", file, "-o", tool}),
              1);

    TestWindow& window = OpenedWindow(file, "pw");
    FUser.FProgressBegun.clear();
    FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FOut})
        .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "'\\'a.txt'", TAnswer::Yes)
        .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "'\\'locked.txt'", TAnswer::Yes)
        .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "'\\'locked.txt'", TAnswer::Yes)
        .ExpectInfoBox("Error", ReadOnlyError(FOut + "/locked.txt") + "\nFurther files not written: 1.");
    Commands().ExtractAllAttachments(window);
    EXPECT_EQ(TreeOf(FOut), (TFileMap{{"a.txt", "newer"}, {"c.txt", "charlie"}, {"locked.txt", "old"},
                                      {"sub/b.txt", "bravo"}}));
    EXPECT_EQ(TreeOf(FOut), TreeOf(tool));
    EXPECT_EQ(FUser.FProgressBegun, std::vector<std::string>{"Extract...: " + FOut});
    EXPECT_TRUE(FUser.FShellOpened.empty());
}

// A cancel in the progress display ends the command without a word; the files extracted before it
// are written all the same (three.txt, stored first), the rest not.
TEST_F(AttachmentCommandsTest, ACancelledExtractionWritesWhatCameBefore)
{
    FUser.FCancelAtStep = FUser.FProgressSteps + 2;
    FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FOut});
    Commands().ExtractAllAttachments(*FWindow);
    EXPECT_EQ(TreeOf(FOut), (TFileMap{{"three.txt", "third"}}));
    EXPECT_TRUE(FUser.FShellOpened.empty() && FUser.FProgressRunning == 0);
}

TEST_F(AttachmentCommandsTest, TextAndAttachmentsAreExtractedFileByFile)
{
    // Into a sub-folder named after the container the end-to-end test extracts. Without it, and
    // No to the text file: attachments written, text left alone.
    FSettings.ExtractAllInSubdir = false;
    MakeFile("out/Report.rtf", "older text");
    FUser.ExpectChoice(Kind::Folder, "Extract text and attachments...", {FOut})
        .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "/Report.rtf'", TAnswer::No);
    Commands().ExtractTextAndAttachments(*FWindow);
    EXPECT_EQ(Out("/Report.rtf") + Out("/one.txt"), "older textfirst");
}

// Adding through the file dialog is the end-to-end test's.
TEST_F(AttachmentCommandsTest, SelectedAttachmentsAreExtractedWithoutOpeningTheFolderAndDeletedAfterOneQuestion)
{
    FWindow->FSelected = {0, 2};
    FUser.ExpectChoice(Kind::Folder, "Extract selected attachments...", {FOut});
    Commands().ExtractSelectedAttachments(*FWindow);
    EXPECT_EQ(TreeOf(FOut), (TFileMap{{"one.txt", "first"}, {"three.txt", "third"}}));
    EXPECT_EQ(FUser.FProgressRunning, 0);

    for (const TAnswer answer : {TAnswer::No, TAnswer::Yes}) {
        FUser.Expect(Kind::YesNo, "Delete attachments", "Delete selected attachments. Are you sure?", answer);
        Commands().DeleteSelectedAttachments(*FWindow);
    }
    EXPECT_EQ(FWindow->AttachmentNames(), std::vector<std::string>{"two.txt"}) << "No deleted nothing";
}

TEST_F(AttachmentCommandsTest, ProgramsScriptsAndLaunchersAreNotOpenedButMayBeExtractedInstead)
{
    using namespace std::string_literals;
    const std::string elf = "\177ELF\2\1\1\0\0\0\0\0\0\0\0\0\2\0\x3e\0\1\0\0\0"s;
    const std::string desktop = "[Desktop Entry]\nType=Application\nName=x\nExec=sh -c id\n";
    const auto opened = std::nullopt;
    // A received attachment's name and bytes; the answer to "Extract it instead?" when it is not
    // opened (Yes extracts it into the chosen folder).
    const std::tuple<std::string, std::string, std::optional<TAnswer>> cases[] = {
        {"photo.jpg", "\xff\xd8\xff\xe0\0\x10JFIF\0"s, opened},
        {"paper.pdf", "%PDF-1.4\n1 0 obj\n", opened},
        {"notes.txt", "plain words\n", opened},
        {"data.json", "{\"a\": 1}\n", opened},
        {"setup.exe", "MZ\x90\0\3\0\0\0"s, TAnswer::Yes},
        {"holiday.jpg", elf, TAnswer::No},
        {"tool.AppImage", elf, TAnswer::No},
        {"readme.txt", "#!/bin/sh\nid\n", TAnswer::No},
        {"start.txt", desktop, TAnswer::No},
        {"start.desktop", desktop, TAnswer::Yes},
        {"install.sh", "echo\n", TAnswer::No},
        {"run.py", "print(1)\n", TAnswer::No},
        {"app.jar", "PK\3\4"s, TAnswer::No},
        {"setup.msi", "\xd0\xcf\x11\xe0"s, TAnswer::No},
        {"RUN.BAT", "@echo off\r\n", TAnswer::No},
    };
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& [name, bytes, answer] : cases) {
        files.emplace_back(name, bytes);
    }
    const std::string file = FDir.File("Received.xvt");
    MakeMessage(file, "pw", files);
    TestWindow& window = OpenedWindow(file, "pw");
    const std::vector<std::string> names = window.AttachmentNames();
    for (const auto& [name, bytes, answer] : cases) {
        SCOPED_TRACE(name);
        FUser.FShellOpened.clear();
        if (answer) {
            FUser.Expect(Kind::YesNo, "Warning",
                         "'" + name + "' is a program or script. Sealvane does not start it. Extract it instead?",
                         *answer);
        }
        if (answer == TAnswer::Yes) {
            FUser.ExpectChoice(Kind::Folder, "Extract selected attachments...", {FOut});
        }
        const auto row = std::find(names.begin(), names.end(), name) - names.begin();
        Commands().OpenAttachment(window, static_cast<int>(row));
        EXPECT_EQ(FUser.FShellOpened,
                  answer ? std::vector<std::string>{} : std::vector{window.Shown().OpenedFiles().back()});
        EXPECT_EQ(Out("/" + name), answer == TAnswer::Yes ? bytes : "");
    }
}

// The sender chose the stored names, in either format: one that would lead out of the work folder
// is refused before anything is listed or written; control characters stay in a name that lands
// inside it.
TEST_F(AttachmentCommandsTest, HostileStoredNamesNeverLeaveTheWorkFolder)
{
    const std::string inside = "bell\a\x1b[2J\n.txt";
    std::vector<THostileEntry> entries;
    for (const std::string name : {"..", "..|..|escape.txt", "a/..", inside.c_str()}) {
        entries.emplace_back(TPathInfo::FromStored("|base", "", name, ""), "x");
    }
    std::vector<std::string> workCopies;
    for (const std::int64_t format : {ClassicFormat, SealedFormat}) {
        const std::string file = FDir.File("hostile" + std::to_string(format) + ".xvt");
        const std::string work = FSettings.TempPath + "/" + std::to_string(format);
        fs::create_directories(work);
        WriteHostileContainer(file, "pw", format, entries, TExtraString(true).Serialize());
        TestWindow& window = OpenedWindow(file, "pw");
        for (int row = 0; row < 4; ++row) {
            const bool landsInside =
                window.Shown().Container().GetCatalog().Item(row)->FPath.StoredFileName() == inside;
            const auto decrypt = [&] {
                return DecryptToWorkFolder(FUser, window.Shown(), row, work, FTemporaryFiles, TWorkCopyUse::HandedOver);
            };
            if (landsInside) {
                EXPECT_EQ(ReadWholeFile(decrypt()), "x") << format;
            } else {
                EXPECT_THROW(decrypt(), EPathError) << format;
            }
        }
        workCopies.push_back(work + "/" + inside);
    }
    EXPECT_EQ(FTemporaryFiles.Files(), workCopies);
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(FSettings.TempPath), {}), 4) << "two folders, a file each";
}

// The list shows the catalog's entries, and an extraction writes the entry listed or refuses it:
// a sender's catalog lists "invoice.pdf" over a header that names an autostart entry, in either
// format.
TEST_F(AttachmentCommandsTest, AnAttachmentWhoseStoredRecordIsNotTheListedOneIsRefusedAsListed)
{
    const std::string refusal =
        "Attachment 'invoice.pdf' is damaged! Its stored record does not match the list. Nothing was written.";
    for (const std::int64_t format : {ClassicFormat, SealedFormat}) {
        const std::string file = FDir.File("hostile" + std::to_string(format) + ".xvt");
        WriteHostileContainer(file, "pw", format,
                              {{TPathInfo::FromStored("|base", "|.config|autostart", "update.desktop", ""),
                                "[Desktop Entry]",
                                [](TFileInfo& entry, std::string&) {
                                    entry.FPath = TPathInfo::FromStored("|base", "", "invoice.pdf", "");
                                }}},
                              TExtraString(true).Serialize());
        TestWindow& window = OpenedWindow(file, "pw");
        EXPECT_EQ(window.AttachmentNames(), std::vector<std::string>{"invoice.pdf"});
        FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FOut}).ExpectInfoBox("Error", refusal);
        Commands().ExtractAllAttachments(window);
        FUser.ExpectInfoBox("Error", refusal);
        Commands().OpenAttachment(window, 0);
        EXPECT_TRUE(fs::is_empty(FOut) && fs::is_empty(FSettings.TempPath) && FUser.FShellOpened.empty()) << format;
    }
}

} // namespace
