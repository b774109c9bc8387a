#include "FlowFixture.h"
#include "app/OwnAddress.h"
#include "container/ExtraString.h"

#include <QCoreApplication>

#include <filesystem>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

std::string NameOf(const std::string& fileName)
{
    return fs::path(fileName).filename().string();
}

std::string SaveQuestion(const std::string& fileName)
{
    return "Container '" + NameOf(fileName) + "' is not saved. Do you want to save it now?";
}

// The memo and the entry names of a closed container file.
std::pair<std::string, std::vector<std::string>> ContentsOf(const std::string& fileName, const std::string& password)
{
    TRandomCryptoContainer container(password);
    std::vector<std::string> names;
    for (const auto& entry : container.OpenReadOnly(fileName)) {
        names.push_back(entry->FPath.FileName());
    }
    std::pair<std::string, std::vector<std::string>> contents{container.GetMemo(), names};
    container.Close();
    return contents;
}

class ContainerFlowsTest : public FlowFixture
{
};

TEST_F(ContainerFlowsTest, WrongWrongRightPasswordAsksThreeTimesAndRemembersTheRightOne)
{
    const std::string file = MakeFile("mail/letter.xvt", "");
    MakeMessage(file, "right", {{"a.txt", "alpha"}}, "the memo");
    FSession.RememberPassword("earlier", 60'000);
    FSettings.SaveLastPWDTime = 0;
    FUser.ExpectPassword(Kind::Password, "Password", "earlier", "wrong")
        .ExpectInfoBox("Information", "Incorrect password!")
        .ExpectPassword(Kind::Password, "Password", "", "also wrong")
        .ExpectInfoBox("Information", "Incorrect password!")
        .ExpectPassword(Kind::Password, "Password", "", "right");
    FCommands.OpenContainerFile(nullptr, file);

    EXPECT_EQ(FSession.RememberedPassword(), "right");
    EXPECT_EQ(FPauses.size(), 2u) << "one pause for each wrong password";
    EXPECT_EQ(FSettings.DefaultCurrentDirectory, FDir.File("mail"));
    TestWindow& window = OnlyWindow();
    EXPECT_TRUE(window.FVisible);
    EXPECT_EQ(window.FText, "the memo");
    EXPECT_EQ(window.AttachmentNames(), std::vector<std::string>{"a.txt"});
    EXPECT_TRUE(window.FState.FSaved);
    EXPECT_FALSE(window.FState.FModified);
    EXPECT_EQ(window.FState.FPassword, "right");

    // SaveLastPWDTime 0: the timer forgets the password at once.
    QCoreApplication::processEvents();
    EXPECT_EQ(FSession.RememberedPassword(), "");

    FUser.ExpectPassword(Kind::Password, "Password", "", std::nullopt);
    FCommands.OpenContainerFile(nullptr, file);
    EXPECT_EQ(FWindows.size(), 1u) << "a cancelled password opens nothing";
}

TEST_F(ContainerFlowsTest, YesThenCancelledFileDialogAsksAgainAndASavedCopyCloses)
{
    TestWindow& window = NewWindow();
    const std::string workFile = window.Container().FileName();
    EXPECT_EQ(fs::path(workFile).parent_path(), FSettings.TempPath);
    window.FText = "draft";
    FUser.Expect(Kind::YesNoCancel, "Save container", SaveQuestion(workFile), TAnswer::Yes)
        .ExpectChoice(Kind::SaveFile, "Save container", {}, NameOf(workFile))
        .Expect(Kind::YesNoCancel, "Save container", SaveQuestion(workFile), TAnswer::Cancel);
    window.RequestClose();
    EXPECT_FALSE(window.FClosed);
    EXPECT_EQ(FSession.Windows().size(), 1u);
    EXPECT_TRUE(window.HasContainer());

    const std::string target = FDir.File("saved/kept.xvt");
    fs::create_directory(FDir.File("saved"));
    FUser.Expect(Kind::YesNoCancel, "Save container", SaveQuestion(workFile), TAnswer::Yes)
        .ExpectChoice(Kind::SaveFile, "Save container", {target}, NameOf(workFile))
        .ExpectPassword(Kind::NewPassword, "Password", "", "secret");
    window.RequestClose();
    EXPECT_TRUE(window.FClosed) << "saved: the close goes on without asking again";
    EXPECT_TRUE(FSession.Windows().empty());
    EXPECT_EQ(window.FGeometryStored, 1);
    EXPECT_EQ(ContentsOf(target, "secret").first, "draft");
    EXPECT_FALSE(fs::exists(workFile)) << "the work file is wiped when its window closes";
}

TEST_F(ContainerFlowsTest, ClosingRenumbersAndNeverWipesAnotherWindowsContainer)
{
    TestWindow& first = NewWindow();
    TestWindow& second = NewWindow();
    EXPECT_NE(first.Container().FileName(), second.Container().FileName());
    EXPECT_NE(first.Container().GetPassword(), second.Container().GetPassword());
    EXPECT_EQ(second.FState.FIndex, 1);
    second.FText = "kept";
    second.Container().SetMemo("kept");

    first.RequestClose(); // new and empty: nothing asked
    EXPECT_TRUE(first.FClosed);
    EXPECT_EQ(second.FState.FIndex, 0);
    ASSERT_EQ(FSession.Windows().size(), 1u);
    EXPECT_EQ(FSession.Windows().front(), &second);
    EXPECT_TRUE(fs::exists(second.Container().FileName())) << "an open container is never wiped";
    EXPECT_EQ(second.Container().GetMemo(), "kept");

    FUser.Expect(Kind::YesNoCancel, "Save container", SaveQuestion(second.Container().FileName()), TAnswer::No);
    EXPECT_TRUE(FCommands.CloseContainerWindows());
    EXPECT_EQ(FCommands.OpenContainerWindowCount(), 0);
}

TEST_F(ContainerFlowsTest, DroppedFilesFollowTheContainerFileRules)
{
    const std::string old = FDir.File("old.bwk");
    MakeMessage(old, "pw", {{"inside.txt", "inside"}});
    const std::string older = FDir.File("older.BWK");
    MakeMessage(older, "pw", {});
    const std::string other = MakeFile("notes.txt", "notes");
    const std::string xvt = FDir.File("other.xvt");
    MakeMessage(xvt, "pw", {});

    // One .bwk file opens it.
    FUser.ExpectPassword(Kind::Password, "Password", "", "pw");
    FCommands.DropFiles(nullptr, {old});
    EXPECT_EQ(OnlyWindow().AttachmentNames(), std::vector<std::string>{"inside.txt"});

    struct Case
    {
        std::vector<std::string> FDropped;
        std::vector<std::string> FAdded; // in catalog order: the newest first
    };
    const Case cases[] = {
        {{older, other}, {"notes.txt", "older.BWK"}},
        {{xvt, other}, {"notes.txt"}},
        {{other, FDir.File("vanished.txt")}, {"notes.txt"}},
    };
    for (const Case& c : cases) {
        const std::size_t before = FWindows.size();
        FCommands.DropFiles(nullptr, c.FDropped);
        ASSERT_EQ(FWindows.size(), before + 1) << "each drop on the start window makes a window";
        TestWindow& window = *FWindows.back();
        EXPECT_EQ(window.AttachmentNames(), c.FAdded);
        EXPECT_TRUE(window.FVisible);
        EXPECT_TRUE(window.FState.FNew);
    }
    // The stored bytes are the file's.
    TestWindow& last = *FWindows.back();
    const std::string extracted = FDir.File("check");
    last.Container().ExtractFile(0, extracted);
    EXPECT_EQ(ReadWholeFile(extracted + "/notes.txt"), "notes");
}

TEST_F(ContainerFlowsTest, DropBackOntoTheDragSourceOrOntoAReadOnlyContainerAddsNothing)
{
    TestWindow& window = NewWindow();
    const std::string file = MakeFile("a.txt", "a");
    FSession.SetDropSource(&window);
    FCommands.DropFiles(&window, {file});
    EXPECT_TRUE(window.AttachmentNames().empty());
    EXPECT_EQ(FSession.DropSource(), nullptr) << "the marker is cleared by the drop";
    FCommands.DropFiles(&window, {file});
    EXPECT_EQ(window.AttachmentNames(), std::vector<std::string>{"a.txt"});

    const std::string readOnly = FDir.File("locked.xvt");
    MakeMessage(readOnly, "pw", {{"b.txt", "b"}});
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    TestWindow& opened = OpenedWindow(readOnly, "pw");
    ASSERT_TRUE(opened.Container().IsReadOnly());
    FUser.ExpectInfoBox("Information", "This container is read only!");
    FCommands.DropFiles(&opened, {file});
    FUser.ExpectInfoBox("Information", "This container is read only!");
    FCommands.DropText(&opened, "text", false);
    EXPECT_EQ(opened.AttachmentNames(), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(opened.Container().GetMemo(), "");
}

TEST_F(ContainerFlowsTest, DroppedTextBecomesTheMemoOfANewWindow)
{
    FCommands.DropText(nullptr, "  {\\rtf1 hello}\r\n", true);
    TestWindow& window = OnlyWindow();
    EXPECT_TRUE(window.FRich);
    EXPECT_EQ(window.Container().GetMemo(), "{\\rtf1 hello}");
    EXPECT_TRUE(window.FState.FModified);
    EXPECT_FALSE(window.FState.FSaved);
}

TEST_F(ContainerFlowsTest, InvalidExtraIsReportedAndReplaced)
{
    const std::string file = FDir.File("odd.xvt");
    {
        TRandomCryptoContainer container("pw");
        container.OpenNew(file);
        container.SetExtra("7\x7F");
        container.Close();
    }
    FUser.ExpectPassword(Kind::Password, "Password", "", "pw")
        .ExpectInfoBox("Information", "Invalid Extra format '7'!");
    FCommands.OpenContainerFile(nullptr, file);
    TestWindow& window = OnlyWindow();
    TExtraString extra;
    extra.Parse(window.Container().GetExtra());
    EXPECT_EQ(extra.Field(TExtraString::RecordFormat), "8");
}

TEST_F(ContainerFlowsTest, FailedOpeningIsShownAsAnError)
{
    const std::string file = MakeFile("broken.xvt", "not a container at all");
    FUser.ExpectPassword(Kind::Password, "Password", "", "pw");
    FUser.Expect(Kind::InfoBox, "Error", ContainerErrorOf([&] { CheckPassword(file, "pw"); }), TAnswer::Yes);
    FCommands.OpenContainerFile(nullptr, file);
    EXPECT_TRUE(FWindows.empty());
    EXPECT_EQ(FUser.FBusyDepth, 0) << "the wait cursor ends with the flow";
}

TEST(OwnAddressTest, SenderIsOwnWhenEmptyLastUsedOrListed)
{
    TSettings settings([](const std::string&, const std::string&) {});
    settings.LastUsedMailAddress = "Me@Example.org";
    settings.OwnMailAddresses = std::string("first@example.org\x7F") + " Second@Example.org ";
    const std::pair<const char*, bool> cases[] = {
        {"", true},
        {"   ", true},
        {"me@example.ORG", true},
        {" FIRST@example.org ", true},
        {"second@example.org", true},
        {"other@example.org", false},
        {"first@example", false},
    };
    for (const auto& [sender, own] : cases) {
        EXPECT_EQ(IsOwnSenderAddress(sender, settings), own) << "'" << sender << "'";
    }
}

} // namespace

TEST_F(ContainerFlowsTest, CancelledAddEndsTheDropQuietlyAndLeavesTheContainerAsItWas)
{
    const std::string file = FDir.File("letter.xvt");
    MakeMessage(file, "pw", {{"a.txt", "alpha"}}, "the memo");
    const std::string before = ReadWholeFile(file);
    TestWindow& window = OpenedWindow(file, "pw");
    window.FVisible = false;
    // Several chunks, so that the cancel comes in the middle; the second file is never begun.
    const std::string large = MakeFile("large.bin", PatternBytes(3 << 20));
    const std::string small = MakeFile("small.txt", "small");
    FUser.FCancelAtStep = 2;

    FCommands.DropFiles(&window, {large, small});

    EXPECT_EQ(FUser.FProgressSteps, 2) << "no step after the cancel";
    EXPECT_EQ(FUser.FProgressBegun, std::vector<std::string>{"Add: large.bin"});
    EXPECT_EQ(FUser.FProgressRunning, 0);
    EXPECT_TRUE(window.FVisible) << "the window is shown again";
    EXPECT_EQ(window.AttachmentNames(), std::vector<std::string>{"a.txt"});
    EXPECT_TRUE(ReadWholeFile(file) == before);
    window.ReleaseContainer()->Close();
    EXPECT_TRUE(ReadWholeFile(file) == before);
    EXPECT_EQ(ContentsOf(file, "pw"), (std::pair<std::string, std::vector<std::string>>{"the memo", {"a.txt"}}));
}
