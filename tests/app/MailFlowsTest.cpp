#include "FlowFixture.h"
#include "app/OnTopHold.h"
#include "app/WorkFolder.h"
#include "container/ExtraString.h"
#include "richtext/RtfReader.h"
#include "sealed/ContainerFormats.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

const std::string Rtf = "{\\rtf1\\ansi Hello\\par}";

class MailFlowsTest : public FlowFixture
{
protected:
    MailFlowsTest()
    {
        FCommands.Mail().SetStartWindowNotOnTop([this](bool notOnTop) { FStartNotOnTop = notOnTop; });
    }

    // A received container, written by someone at sender@example.org, opened here with "pw".
    TestWindow& Received()
    {
        const std::string file = FDir.File("in" + std::to_string(++FReceived) + ".xvt");
        MakeMessage(file, "pw", {{"a.txt", "alpha"}}, Rtf, "sender@example.org");
        return OpenedWindow(file, "pw");
    }

    bool FStartNotOnTop = false;
    int FReceived = 0;
};

TEST_F(MailFlowsTest, SendingHandsOverAReKeyedCopyAndTheResultAndTheCloseAfterRulesDecide)
{
    FSettings.fContainer_DecryptInstructionSubject = "the subject";
    FSettings.fContainer_DecryptInstructionText = "the instructions";
    const std::string other = FDir.File("other.xvt");
    MakeMessage(other, "pw", {});
    // Received or new, fContainer_CloseAfterMail, the mail program's answer, the error shown if
    // any; whether the container counts as saved, was visible meanwhile, was closed after.
    const std::tuple<bool, bool, int, const char*, bool, bool, bool> cases[] = {
        {false, false, IMailClient::HandedOver, nullptr, true, true, false},
        {false, false, IMailClient::StartFailed, "Error on sending mail", false, true, false},
        {false, true, IMailClient::HandedOver, nullptr, true, true, true},
        {true, true, IMailClient::NoMailClient, nullptr, true, false, false}};
    for (const auto& [received, closeAfter, result, error, saved, visibleMeanwhile, closed] : cases) {
        SCOPED_TRACE(testing::Message() << received << closeAfter << result);
        FSettings.fContainer_CloseAfterMail = closeAfter;
        TestWindow& window = received ? Received() : NewWindow();
        window.Type("hello");
        window.FReplyAddress = "to@example.org";
        window.FVisible = true;
        const std::string name = fs::path(window.Shown().Container().FileName()).filename();
        const std::size_t windows = FWindows.size();
        FMail.FResult = result;
        std::optional<bool> visible;
        FMail.FWhileOpen = [&] {
            visible = window.FVisible;
            EXPECT_TRUE(FSession.MailDialogOpen() && window.FNotOnTop && FStartNotOnTop);
            FCommands.NewContainer();
            FCommands.OpenContainerFile(nullptr, other); // would ask for the password
            EXPECT_EQ(FWindows.size(), windows) << "no container is made or opened meanwhile";
        };
        FUser.ExpectPassword(Kind::NewPassword, "Password", received ? "pw" : "", "for them");
        if (error != nullptr) {
            FUser.ExpectInfoBox("Error", error);
        }
        FCommands.Mail().SendContainer(window);

        ASSERT_EQ(FMail.FMessages.size(), 1u);
        const TMailMessage message = std::exchange(FMail.FMessages, {}).back();
        EXPECT_EQ(std::tie(message.FSubject, message.FBody, message.FRecipientAddress, message.FAttachmentName),
                  std::tie("the subject", "the instructions", "to@example.org", name));
        EXPECT_EQ(Memo(message.FAttachmentPath, "for them"), "hello") << "the copy is under their password";
        EXPECT_TRUE(message.FAttachmentPath.starts_with(FSettings.SentCopiesFolder + "/") &&
                    !FTemporaryFiles.Contains(message.FAttachmentPath))
            << "kept in the folder of sent copies, listed for no wipe";
        EXPECT_EQ(std::tuple(visible, window.FClosed), std::tuple(visibleMeanwhile, closed));
        // The compose window opens after the hand-over has returned: nothing of ours stays on top
        // of it until the user comes back to the program (a closed window keeps what it had).
        const bool handedOver = result == IMailClient::HandedOver;
        for (const bool active : {false, true}) {
            EXPECT_EQ(std::pair(FStartNotOnTop, window.FNotOnTop), std::pair(handedOver, handedOver)) << active;
            FCommands.Mail().ProgramActive(active);
        }
        EXPECT_FALSE(FSession.MailDialogOpen() || FStartNotOnTop || (window.FNotOnTop && !closed))
            << "stay-on-top is given back";
        if (!closed) {
            EXPECT_TRUE(window.FVisible) << "an open window is never left hidden";
            EXPECT_EQ(std::tuple(window.Shown().Container().GetKey(), window.Shown().State().FPassword,
                                 window.Shown().State().FSaved),
                      std::tuple(TContainerKey("for them"), "for them", saved));
        }
    }
}

TEST_F(MailFlowsTest, AReadOnlyContainerGoesUnderItsOwnPasswordAndItsCopyOutlivesTheWindowAndTheProgram)
{
    const std::string file = FDir.File("received.xvt");
    MakeMessage(file, "own", {{"a.txt", "alpha"}}, "text");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    TestWindow& window = OpenedWindow(file, "own");

    FUser.ExpectInfoBox("Information", "Container is read only. Same password will be used!");
    FCommands.Mail().SendContainer(window);
    ASSERT_EQ(FMail.FMessages.size(), 1u);
    const std::string copy = FMail.FMessages.back().FAttachmentPath;
    EXPECT_EQ(ExtractedFiles(copy, "own"), (TFileMap{{"a.txt", "alpha"}}));
    ASSERT_TRUE(window.FClosed) << "closed after the mail";
    // The program's end, and the next start: the compose window or a draft may still need it.
    FTemporaryFiles.WipeTemporaryFiles(1);
    ASSERT_TRUE(PrepareWorkFolder(FSettings.TempPath, 1));
    EXPECT_EQ(ExtractedFiles(copy, "own"), (TFileMap{{"a.txt", "alpha"}}));
    for (const fs::path& folder :
         {fs::path(FSettings.SentCopiesFolder), fs::path(FSettings.SentCopiesFolder).parent_path()}) {
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder << " made for the user only";
    }
}

// Sending wipes the copies older than the age the settings allow, in the folder and in its
// numbered sub-folders (an emptied one goes too); younger copies and whatever is not a copy of
// ours stay. Age 0 keeps everything. A folder that cannot be made stops the sending.
TEST_F(MailFlowsTest, SendingWipesOnlyOurCopiesOlderThanTheAge)
{
    const std::string folder = FSettings.SentCopiesFolder;
    // A file, its age in days, whether it stays at an age of 30 days.
    const std::tuple<std::string, int, bool> files[] = {
        {"old.xvt", 31, false},   {"older.BWK", 400, false},   {"young.xvt", 29, true}, {"1/old.xvt", 31, false},
        {"notes.txt", 400, true}, {"Keep/old.xvt", 400, true}, {"link.xvt", 400, true}};
    for (const int days : {30, 0}) {
        SCOPED_TRACE(days);
        FSettings.SentCopiesDays = days;
        fs::remove_all(folder);
        fs::create_directories(folder + "/Keep");
        const std::string target = MakeFile("elsewhere.xvt", "theirs");
        for (const auto& [file, age, stays] : files) {
            if (file == "link.xvt") {
                fs::create_symlink(target, folder + "/" + file);
            } else {
                fs::create_directories(fs::path(folder + "/" + file).parent_path());
                WriteWholeFile(folder + "/" + file, "x");
            }
            fs::last_write_time(folder + "/" + file, fs::file_time_type::clock::now() - std::chrono::days(age));
        }
        TestWindow& window = NewWindow();
        FUser.ExpectPassword(Kind::NewPassword, "Password", "", "pw");
        FCommands.Mail().SendContainer(window);

        ASSERT_EQ(FMail.FMessages.size(), 1u);
        EXPECT_TRUE(fs::exists(std::exchange(FMail.FMessages, {}).back().FAttachmentPath));
        for (const auto& [file, age, stays] : files) {
            EXPECT_EQ(fs::exists(fs::symlink_status(folder + "/" + file)), stays || days == 0) << file;
        }
        EXPECT_EQ(fs::exists(folder + "/1"), days == 0) << "an emptied numbered folder goes";
        EXPECT_TRUE(fs::exists(target));
    }

    FSettings.SentCopiesFolder = MakeFile("a file", "");
    TestWindow& window = NewWindow();
    FUser.ExpectPassword(Kind::NewPassword, "Password", "", "pw");
    FUser.ExpectInfoBox("Error",
                        "Error on creating the folder of sent containers '" + FSettings.SentCopiesFolder + "'!");
    FCommands.Mail().SendContainer(window);
    EXPECT_TRUE(FMail.FMessages.empty());
}

// What leaves holds only what the window lists and shows, though the container file still holds
// an attachment deleted before and an earlier memo: the copy sent under the same password, the
// copy sent of a read-only container (which cannot be re-keyed) and the copy saved elsewhere,
// each read as whoever has the password can read it.
TEST_F(MailFlowsTest, WhatLeavesHoldsNeitherDeletedAttachmentsNorEarlierMemos)
{
    const std::string deleted = "DELETED ATTACHMENT", earlier = "EARLIER MEMO", current = "current memo";
    enum class TWay
    {
        Send,
        SendReadOnly,
        SaveAs
    };
    for (const TWay way : {TWay::Send, TWay::SendReadOnly, TWay::SaveAs}) {
        const std::string tag = std::to_string(static_cast<int>(way));
        SCOPED_TRACE(tag);
        const std::string file = FDir.File("draft" + tag + ".xvt");
        MakeMessage(file, "pw", {{"gone.txt", deleted}, {"kept.txt", "kept"}}, std::string(300, '.') + earlier);
        {
            TRandomCryptoContainer writer(TContainerKey("pw"));
            const TCatalog& catalog = writer.Open(file);
            writer.DeleteEntry(*catalog.Item(catalog.Item(0)->FPath.FileName() == "gone.txt" ? 0 : 1));
            writer.SetMemo(current);
            writer.Close();
        }
        ASSERT_TRUE(RecoverableText(file, "pw", deleted) && RecoverableText(file, "pw", earlier));
        if (way == TWay::SendReadOnly) {
            fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
        }
        TestWindow& window = OpenedWindow(file, "pw");
        std::string copy = FDir.File("saved" + tag + ".xvt");
        if (way == TWay::SaveAs) {
            FUser.ExpectChoice(Kind::SaveFile, "Save container", {copy}, fs::path(file).filename())
                .ExpectPassword(Kind::NewPassword, "Password", "pw", "pw");
            FCommands.Flows().SaveContainerAs(window);
        } else {
            way == TWay::Send
                ? FUser.ExpectPassword(Kind::NewPassword, "Password", "pw", "pw")
                : FUser.ExpectInfoBox("Information", "Container is read only. Same password will be used!");
            FCommands.Mail().SendContainer(window);
            ASSERT_EQ(FMail.FMessages.size(), 1u);
            copy = std::exchange(FMail.FMessages, {}).back().FAttachmentPath;
        }
        if (window.Shown().HasContainer()) {
            window.Shown().Release()->Close();
        }
        EXPECT_EQ(ExtractedFiles(copy, "pw"), (TFileMap{{"kept.txt", "kept"}}));
        EXPECT_TRUE(Memo(copy, "pw") == current && RecoverableText(copy, "pw", current));
        EXPECT_FALSE(RecoverableText(copy, "pw", deleted)) << "the deleted attachment travels";
        EXPECT_FALSE(RecoverableText(copy, "pw", earlier)) << "the earlier memo travels";
    }
}

TEST_F(MailFlowsTest, ReplyAndForwardQuoteTheTextUnderTheSamePasswordWithoutAttachments)
{
    // Reply or forward, of a received container or a new one; the reply address, whether the
    // source closes (fContainer_CloseAfterAnswer is on).
    const std::tuple<bool, bool, const char*, bool> cases[] = {
        {true, true, "sender@example.org", true}, {false, true, "", true}, {true, false, "", false}};
    for (const auto& [reply, received, address, sourceClosed] : cases) {
        SCOPED_TRACE(testing::Message() << reply << received);
        TestWindow& source = received ? Received() : NewWindow();
        source.FText = Rtf;
        source.FReplyAddress = "typed@example.org";
        const TContainerKey key = source.Shown().Container().GetKey();
        const std::string windowPassword = source.Shown().State().FPassword; // wiped if the source closes
        const std::size_t windows = FWindows.size();
        reply ? FCommands.Mail().ReplyContainer(source) : FCommands.Mail().ForwardContainer(source);
        ASSERT_EQ(FWindows.size(), windows + 1);
        TestWindow& answer = *FWindows.back();
        EXPECT_EQ(
            std::tuple(answer.ReplyAddress(), answer.Shown().Container().GetKey(), answer.Shown().State().FPassword),
            std::tuple(address, key, windowPassword));
        EXPECT_TRUE(answer.AttachmentNames().empty() && answer.Shown().State().FNew &&
                    answer.Shown().State().FModified && !answer.Shown().State().FSaved && answer.FVisible);
        TExtraString extra;
        extra.Parse(answer.Shown().Container().GetExtra());
        EXPECT_EQ(extra.Field(TExtraString::SenderAddress), "") << "nothing of the source's record";
        EXPECT_EQ(PlainText(ReadRtf(answer.FText), false), "\n\n-------- Previous message ---------\n\nHello");
        EXPECT_EQ(source.FClosed, sourceClosed);
    }
}

// A new container has the format the options chose (any other value gives 4); a reply and a
// forward have their source's format, and saving elsewhere and sending (which re-keys the file
// and copies it) keep it.
TEST_F(MailFlowsTest, NewContainersTakeTheChosenFormatAndWhatIsMadeOfThemKeepsIt)
{
    FSettings.fContainer_CloseAfterAnswer = false;
    FSettings.fContainer_CloseAfterMail = false;
    for (const auto& [chosen, format] : {std::pair{4, ClassicFormat}, {5, SealedFormat}, {0, ClassicFormat}}) {
        SCOPED_TRACE(chosen);
        FSettings.NewContainerFormat = chosen;
        TestWindow& window = NewWindow();
        window.Type("draft");
        std::vector<std::int64_t> formats{window.Shown().Container().Format()};
        for (const bool reply : {true, false}) {
            reply ? FCommands.Mail().ReplyContainer(window) : FCommands.Mail().ForwardContainer(window);
            formats.push_back(FWindows.back()->Shown().Container().Format());
        }
        const std::string saved = FDir.File("saved" + std::to_string(chosen) + ".xvt");
        FUser
            .ExpectChoice(Kind::SaveFile, "Save container", {saved},
                          fs::path(window.Shown().Container().FileName()).filename())
            .ExpectPassword(Kind::NewPassword, "Password", "", "pw")
            .ExpectPassword(Kind::NewPassword, "Password", "pw", "for them");
        ASSERT_TRUE(FCommands.Flows().SaveContainerAs(window));
        formats.push_back(FormatOfFile(saved));
        FCommands.Mail().SendContainer(window);
        ASSERT_EQ(FMail.FMessages.size(), 1u);
        formats.push_back(FormatOfFile(saved));
        formats.push_back(FormatOfFile(std::exchange(FMail.FMessages, {}).back().FAttachmentPath));
        EXPECT_EQ(window.Shown().Container().GetKey(), TContainerKey("for them")) << "re-keyed for the sending";
        EXPECT_EQ(formats, std::vector<std::int64_t>(6, format)) << "new, reply, forward, saved, re-keyed, sent";
    }
}

TEST_F(MailFlowsTest, OnlyAPlainSenderAddressBecomesTheRecipient)
{
    // The sender address of a received container's extra record, a stranger's text, and the
    // recipient a reply gets; the same text typed into the reply's address box goes to the mail
    // program only as that recipient.
    const std::pair<const char*, const char*> cases[] = {
        {" sender@example.org ", "sender@example.org"},
        {"mailto:x@example.org?attach=/home/victim/.ssh/id_rsa&bcc=spy@example.org", ""},
        {"x@example.org?attach=/home/victim/.ssh/id_rsa", ""},
        {"a@example.org,spy@example.org", ""},
        {"-x@example.org", ""},
        {"Someone <x@example.org>", ""},
    };
    for (const auto& [sender, recipient] : cases) {
        SCOPED_TRACE(sender);
        const std::string file = FDir.File("in" + std::to_string(++FReceived) + ".xvt");
        MakeMessage(file, "pw", {}, Rtf, sender);
        FCommands.Mail().ReplyContainer(OpenedWindow(file, "pw"));
        TestWindow& reply = *FWindows.back();
        EXPECT_EQ(reply.ReplyAddress(), recipient);
        reply.FReplyAddress = sender;
        FUser.ExpectPassword(Kind::NewPassword, "Password", "pw", "for them");
        FCommands.Mail().SendContainer(reply);
        ASSERT_EQ(FMail.FMessages.size(), 1u);
        EXPECT_EQ(std::exchange(FMail.FMessages, {}).back().FRecipientAddress, recipient);
    }
}

// The one address box names the user on a new container and the one it goes to on a reply: an
// own address (one of OwnMailAddresses or the last used one, in any letter case, also inside
// "Name <address>") is stored as the container's sender and goes to nobody; another address is
// the recipient, and the container carries the last used address. An empty box stores nothing.
TEST_F(MailFlowsTest, AnOwnAddressIsTheSenderAndAnotherTheRecipient)
{
    FSettings.OwnMailAddresses = "work@example.org\x7fhome@example.org\x7f";
    // The box, the recipient handed over, the sender address in the mailed copy, the last used
    // address afterwards.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"home@example.org", "", "home@example.org", "home@example.org"},
        {" ME@example.org ", "", "ME@example.org", "ME@example.org"},
        {"friend@example.org", "friend@example.org", "me@example.org", "me@example.org"},
        {"", "", "", "me@example.org"},
        {"Me <Work@Example.org>", "", "Me <Work@Example.org>", "Me <Work@Example.org>"},
    };
    for (const auto& [box, recipient, sender, lastUsed] : cases) {
        SCOPED_TRACE(box);
        FSettings.LastUsedMailAddress = "me@example.org";
        TestWindow& window = NewWindow();
        window.FReplyAddress = box;
        FUser.ExpectPassword(Kind::NewPassword, "Password", "", "for them");
        FCommands.Mail().SendContainer(window);
        ASSERT_EQ(FMail.FMessages.size(), 1u);
        const TMailMessage message = std::exchange(FMail.FMessages, {}).back();
        TRandomCryptoContainer copy{TContainerKey("for them")};
        copy.OpenReadOnly(message.FAttachmentPath);
        TExtraString extra;
        extra.Parse(copy.GetExtra());
        copy.Close();
        EXPECT_EQ(std::tuple(message.FRecipientAddress, extra.Field(TExtraString::SenderAddress),
                             FSettings.LastUsedMailAddress),
                  std::tuple(recipient, sender, lastUsed));
    }
}

// Once handed over, the windows come back on top by themselves only while the user has not
// left the program; in another program they wait for the user's return.
TEST(OnTopHoldTest, EndsByItselfOnlyWhileTheProgramWasNotLeft)
{
    for (const bool left : {false, true}) {
        SCOPED_TRACE(left);
        bool notOnTop = false;
        TOnTopHold hold(std::chrono::milliseconds(20), [&](bool value) { notOnTop = value; });
        hold.Begin();
        if (left) {
            hold.ProgramActive(false);
        }
        for (const QDeadlineTimer later(200); !later.hasExpired();) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        EXPECT_EQ(notOnTop, left);
    }
}

// A link where the intermediate file used to be built (the file's name with ".tmp") is not
// written through.
TEST_F(MailFlowsTest, ChangePasswordReKeysOnlyToAnotherPassword)
{
    const std::string victim = MakeFile("victim.txt", "victim");
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"pw", "pw"}, {std::nullopt, "pw"}, {"new", "new"}};
    for (const auto& [answer, passwordAfter] : cases) {
        SCOPED_TRACE(answer.value_or("(cancelled)"));
        TestWindow& window = Received();
        const std::string file = window.Shown().Container().FileName();
        const std::string before = ReadWholeFile(file);
        fs::create_symlink(victim, file + ".tmp");
        FUser.ExpectPassword(Kind::NewPassword, "Password", "pw", answer);
        FCommands.Mail().ChangePassword(window);
        EXPECT_EQ(window.Shown().State().FPassword, passwordAfter);
        EXPECT_EQ(ReadWholeFile(victim), "victim");
        EXPECT_EQ(ReadWholeFile(file) == before, passwordAfter == "pw") << "re-keying writes the file anew";
        window.Shown().Release()->Close();
        EXPECT_EQ(ExtractedFiles(file, passwordAfter), (TFileMap{{"a.txt", "alpha"}}));
    }
}

TEST_F(MailFlowsTest, AnOpenedAttachmentGetsAFreeNameAndIsWipedWithItsWindowOnly)
{
    const std::string file = FDir.File("letters.xvt");
    MakeMessage(file, "pw", {{"one/letter.txt", "first"}, {"two/letter.txt", "second"}});
    TestWindow& window = OpenedWindow(file, "pw");
    bool listedWhileWritten = false;
    FUser.FDuringProgress = [&] { listedWhileWritten = FTemporaryFiles.Contains(FSettings.TempPath + "/letter.txt"); };
    for (const int row : {0, 1, 1}) { // the second is opened again as it is
        FCommands.Attachments().OpenAttachment(window, row);
    }
    const std::vector<std::string> opened = window.Shown().OpenedFiles();
    ASSERT_EQ(opened,
              (std::vector<std::string>{FSettings.TempPath + "/letter.txt", FSettings.TempPath + "/1/letter.txt"}))
        << "the same name never overwrites";
    EXPECT_TRUE(listedWhileWritten) << "a failure midway leaves nothing unlisted";
    NewWindow().RequestClose();
    EXPECT_TRUE(fs::exists(opened[0]) && fs::exists(opened[1])) << "another window's close leaves them";
    // Taking an edited one back is the release's test, over a container file.
    window.RequestClose();
    EXPECT_TRUE(window.FClosed && !fs::exists(opened[0]) && !fs::exists(opened[1]));
}

} // namespace
