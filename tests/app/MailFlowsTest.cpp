#include "FlowFixture.h"
#include "container/ExtraString.h"
#include "container/LocalFiles.h"
#include "richtext/RtfReader.h"

#include <filesystem>
#include <optional>
#include <set>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

const std::string Rtf = "{\\rtf1\\ansi Hello\\par}";

// The memo and the contents of every entry of a closed container file.
std::pair<std::string, std::multiset<std::string>> ContentsOf(const std::string& fileName, const std::string& password,
                                                              const std::string& scratch)
{
    TRandomCryptoContainer container(password);
    const int count = container.OpenReadOnly(fileName).Count();
    std::multiset<std::string> contents;
    for (int index = 0; index < count; ++index) {
        const std::string target = scratch + "/" + std::to_string(index);
        container.ExtractFileTo(index, target);
        contents.insert(ReadWholeFile(target));
    }
    std::pair<std::string, std::multiset<std::string>> result{container.GetMemo(), contents};
    container.Close();
    return result;
}

class MailFlowsTest : public FlowFixture
{
protected:
    MailFlowsTest()
    {
        FCommands.Mail().SetStartWindowNotOnTop([this](bool notOnTop) { FStartNotOnTop = notOnTop; });
        fs::create_directory(FDir.File("scratch"));
    }

    // A received container: written by someone at sender, opened here with "pw".
    TestWindow& Received(const std::string& name, const std::string& sender = "sender@example.org")
    {
        const std::string file = FDir.File(name);
        MakeMessage(file, "pw", {{"a.txt", "alpha"}}, Rtf);
        TRandomCryptoContainer container("pw");
        container.Open(file);
        TExtraString extra;
        extra.Parse(container.GetExtra());
        extra.SetField(TExtraString::SenderAddress, sender);
        container.SetExtra(extra.Serialize());
        container.Close();
        return OpenedWindow(file, "pw");
    }

    std::pair<std::string, std::multiset<std::string>> Contents(const std::string& file, const std::string& password)
    {
        const std::string scratch = FDir.File("scratch/" + std::to_string(++FChecks));
        fs::create_directory(scratch);
        return ContentsOf(file, password, scratch);
    }

    bool FStartNotOnTop = false;
    int FChecks = 0;
};

TEST_F(MailFlowsTest, SendingANewContainerHandsOverAReKeyedCopyAndTheResultDecides)
{
    FSettings.fContainer_CloseAfterMail = false;
    FSettings.fContainer_DecryptInstructionSubject = "the subject";
    FSettings.fContainer_DecryptInstructionText = "the instructions";
    const std::string other = FDir.File("other.xvt");
    MakeMessage(other, "pw", {});
    struct Case
    {
        int FResult;
        bool FSaved;
        const char* FError; // the message shown afterwards, if any
    };
    const Case cases[] = {{IMailClient::HandedOver, true, nullptr},
                          {IMailClient::NoMailClient, false, nullptr},
                          {IMailClient::StartFailed, false, "Error on sending mail"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.FResult);
        TestWindow& window = NewWindow();
        window.FText = "hello";
        window.FReplyAddress = "to@example.org";
        const std::size_t windows = FWindows.size();
        FMail.FResult = c.FResult;
        FMail.FWhileOpen = [&] {
            EXPECT_TRUE(FSession.MailDialogOpen());
            EXPECT_TRUE(window.FNotOnTop && FStartNotOnTop);
            FCommands.NewContainer();
            FCommands.OpenContainerFile(nullptr, other); // would ask for the password
            EXPECT_EQ(FWindows.size(), windows) << "no container is made or opened meanwhile";
        };
        FUser.ExpectPassword(Kind::NewPassword, "Password", "", "for them");
        if (c.FError != nullptr) {
            FUser.ExpectInfoBox("Error", c.FError);
        }
        FCommands.Mail().SendContainer(window);

        ASSERT_EQ(FMail.FMessages.size(), 1u);
        const TMailMessage message = FMail.FMessages.back();
        FMail.FMessages.clear();
        EXPECT_EQ(message.FSubject, "the subject");
        EXPECT_EQ(message.FBody, "the instructions");
        EXPECT_EQ(message.FRecipientAddress, "to@example.org");
        EXPECT_EQ(fs::path(message.FAttachmentPath).parent_path(), fs::path(FSettings.TempPath) / "Send");
        EXPECT_EQ(message.FAttachmentName, fs::path(window.Container().FileName()).filename());
        EXPECT_EQ(Contents(message.FAttachmentPath, "for them").first, "hello") << "the copy is under their password";
        EXPECT_TRUE(FTemporaryFiles.Contains(message.FAttachmentPath));
        EXPECT_EQ(window.Container().GetPassword(), "for them");
        EXPECT_EQ(window.FState.FPassword, "for them");
        EXPECT_EQ(window.FState.FSaved, c.FSaved);
        EXPECT_FALSE(FSession.MailDialogOpen());
        EXPECT_FALSE(window.FNotOnTop || FStartNotOnTop) << "stay-on-top is given back";
        EXPECT_EQ(FSettings.LastUsedMailAddress, "to@example.org");
        EXPECT_TRUE(FUser.AllAsked());
    }
}

TEST_F(MailFlowsTest, AReadOnlyContainerGoesUnderItsOwnPasswordAndItsCopyOutlivesTheClosedWindow)
{
    const std::string file = FDir.File("received.xvt");
    MakeMessage(file, "own", {{"a.txt", "alpha"}}, "text");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    TestWindow& window = OpenedWindow(file, "own");
    ASSERT_TRUE(window.Container().IsReadOnly());

    FUser.ExpectInfoBox("Information", "This container is read only!");
    FCommands.Mail().ChangePassword(window);

    bool visibleMeanwhile = true;
    FMail.FWhileOpen = [&] { visibleMeanwhile = window.FVisible; };
    FUser.ExpectInfoBox("Information", "Container is read only. Same password will be used!");
    FCommands.Mail().SendContainer(window);
    ASSERT_EQ(FMail.FMessages.size(), 1u);
    const std::string copy = FMail.FMessages.back().FAttachmentPath;
    EXPECT_EQ(Contents(copy, "own").second, std::multiset<std::string>{"alpha"});
    EXPECT_FALSE(visibleMeanwhile) << "a received container is hidden while the mail is composed";
    EXPECT_TRUE(window.FClosed) << "closed after the mail";
    EXPECT_TRUE(fs::exists(copy)) << "the mail program may still read the copy";
    FTemporaryFiles.WipeTemporaryFiles(1);
    EXPECT_FALSE(fs::exists(copy)) << "the program's end wipes it";
}

TEST_F(MailFlowsTest, CloseAfterRulesHideSavedWindowsAndCloseThoseThatWentAhead)
{
    struct Case
    {
        bool FReceived;
        bool FSetting;
        int FResult;
        bool FVisibleMeanwhile;
        bool FClosed;
    };
    const Case cases[] = {
        {false, true, IMailClient::HandedOver, true, true},
        {false, true, IMailClient::NoMailClient, true, false},
        {true, true, IMailClient::NoMailClient, false, false},
        {true, false, IMailClient::HandedOver, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.FReceived << c.FSetting << c.FResult);
        FSettings.fContainer_CloseAfterMail = c.FSetting;
        TestWindow& window = c.FReceived ? Received("in" + std::to_string(FChecks++) + ".xvt") : NewWindow();
        window.FVisible = true;
        window.FText = "text";
        FMail.FResult = c.FResult;
        bool visibleMeanwhile = false;
        FMail.FWhileOpen = [&] { visibleMeanwhile = window.FVisible; };
        FUser.ExpectPassword(Kind::NewPassword, "Password", c.FReceived ? "pw" : "", "pw");
        FCommands.Mail().SendContainer(window);
        EXPECT_EQ(visibleMeanwhile, c.FVisibleMeanwhile);
        EXPECT_EQ(window.FClosed, c.FClosed);
        EXPECT_TRUE(window.FClosed || window.FVisible) << "an open window is never left hidden";
    }
}

TEST_F(MailFlowsTest, ReplyAndForwardQuoteTheTextUnderTheSamePasswordWithoutAttachments)
{
    struct Case
    {
        bool FReply;
        bool FSourceReceived;
        const char* FAddress;
        bool FSourceClosed; // fContainer_CloseAfterAnswer is on
    };
    const Case cases[] = {
        {true, true, "sender@example.org", true},
        {false, true, "", true},
        {true, false, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.FReply << c.FSourceReceived);
        TestWindow& source = c.FSourceReceived ? Received("in" + std::to_string(FChecks++) + ".xvt") : NewWindow();
        source.FText = Rtf;
        source.FReplyAddress = "typed@example.org";
        const std::string sourcePassword = source.Container().GetPassword();
        const std::size_t windows = FWindows.size();
        if (c.FReply) {
            FCommands.Mail().ReplyContainer(source);
        } else {
            FCommands.Mail().ForwardContainer(source);
        }
        ASSERT_EQ(FWindows.size(), windows + 1);
        TestWindow& answer = *FWindows.back();
        EXPECT_EQ(answer.ReplyAddress(), c.FAddress);
        EXPECT_TRUE(answer.AttachmentNames().empty());
        EXPECT_EQ(answer.Container().GetPassword(), sourcePassword);
        EXPECT_EQ(answer.FState.FPassword, source.FState.FPassword);
        EXPECT_TRUE(answer.FState.FNew && answer.FState.FModified && !answer.FState.FSaved);
        EXPECT_TRUE(answer.FVisible);
        TExtraString extra;
        extra.Parse(answer.Container().GetExtra());
        EXPECT_EQ(extra.Field(TExtraString::SenderAddress), "") << "nothing of the source's record";
        EXPECT_EQ(answer.FText, answer.Container().GetMemo());
        const TRichDocument quoted = ReadRtf(answer.Container().GetMemo());
        ASSERT_EQ(quoted.FParagraphs.size(), 5u);
        EXPECT_EQ(PlainText(quoted, false), "\n\n-------- Previous message ---------\n\nHello");
        EXPECT_EQ(source.FClosed, c.FSourceClosed);
    }
}

TEST_F(MailFlowsTest, ChangePasswordReKeysOnlyToAnotherPassword)
{
    struct Case
    {
        std::optional<std::string> FAnswer;
        std::string FPasswordAfter;
    };
    const Case cases[] = {{"pw", "pw"}, {std::nullopt, "pw"}, {"new", "new"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.FPasswordAfter);
        TestWindow& window = Received("in" + std::to_string(FChecks++) + ".xvt");
        const std::string file = window.Container().FileName();
        const std::string before = ReadWholeFile(file);
        FUser.ExpectPassword(Kind::NewPassword, "Password", "pw", c.FAnswer);
        FCommands.Mail().ChangePassword(window);
        EXPECT_EQ(window.FState.FPassword, c.FPasswordAfter);
        EXPECT_EQ(ReadWholeFile(file) == before, c.FPasswordAfter == "pw") << "re-keying writes the file anew";
        window.ReleaseContainer()->Close();
        EXPECT_EQ(Contents(file, c.FPasswordAfter).second, std::multiset<std::string>{"alpha"});
    }
}

TEST_F(MailFlowsTest, AnOpenedAttachmentComesBackWhenEditedAndIsWipedWhenLeftAlone)
{
    const std::string file = FDir.File("letters.xvt");
    MakeMessage(file, "pw", {{"one/letter.txt", "first"}, {"two/letter.txt", "second"}});
    TestWindow& window = OpenedWindow(file, "pw");
    for (int row = 0; row < 2; ++row) {
        FCommands.Attachments().OpenAttachment(window, row);
    }
    FCommands.Attachments().OpenAttachment(window, 1); // open already: opened again as it is
    ASSERT_EQ(window.OpenedFiles().size(), 2u);
    EXPECT_EQ(FUser.FShellOpened,
              (std::vector<std::string>{window.OpenedFiles()[0], window.OpenedFiles()[1], window.OpenedFiles()[1]}));
    EXPECT_EQ(window.OpenedFiles()[0], FSettings.TempPath + "/letter.txt");
    EXPECT_EQ(window.OpenedFiles()[1], FSettings.TempPath + "/1/letter.txt") << "the same name never overwrites";
    for (const std::string& opened : window.OpenedFiles()) {
        EXPECT_FALSE(FTemporaryFiles.Contains(opened)) << "listed for wiping only once given back";
    }
    const std::string edited = window.OpenedFiles()[1];
    const std::string untouched = window.OpenedFiles()[0];
    const std::string kept = ReadWholeFile(edited) + " edited";
    WriteWholeFile(edited, kept);
    SetLastWriteLocalSeconds(edited, window.OpenedEntries()[1]->FModified + 120);

    FUser.Expect(Kind::YesNoCancel, "Update container",
                 "File 'letter.txt' has been modified. Do you want to keep the changes?'", TAnswer::Yes);
    window.RequestClose();
    EXPECT_TRUE(window.FClosed);
    EXPECT_FALSE(fs::exists(edited));
    EXPECT_FALSE(fs::exists(untouched));
    const std::multiset<std::string> stored = Contents(file, "pw").second;
    EXPECT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored.count(kept), 1u);
}

} // namespace
