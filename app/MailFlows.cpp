#include "MailFlows.h"

#include "ContainerFlows.h"
#include "ContainerWindow.h"
#include "Dialogs.h"
#include "OpenContainer.h"
#include "OwnAddress.h"
#include "ProgressRun.h"
#include "ReleaseAttachments.h"
#include "RunCommand.h"
#include "SentCopies.h"
#include "Session.h"
#include "TemporaryFiles.h"
#include "UnusedPath.h"
#include "container/ExtraString.h"
#include "container/Container.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "mail/MailClient.h"
#include "richtext/PlainMailAddress.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "settings/Settings.h"
#include "settings/TrimText.h"

#include <chrono>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string NameOf(const std::string& fileName)
{
    return fs::path(fileName).filename().string();
}

// The address trimmed when it is a plain address, else none: a received container's sender
// address becomes a reply's recipient only in that shape.
std::string PlainAddressOrNone(const std::string& address)
{
    const std::string trimmed = TrimText(address);
    return IsPlainMailAddress(trimmed) ? trimmed : std::string();
}

// The separator's lines as paragraphs, then the quoted document (whose runs keep referring to its
// own link and font tables).
std::string QuotedText(const std::string& rtf)
{
    std::vector<TRichParagraph> separatorLines;
    const std::string separator = MsgText(msg::PreviousMessageSeparator);
    for (std::size_t start = 0, end = 0; (end = separator.find("\r\n", start)) != std::string::npos; start = end + 2) {
        TRichRun line;
        line.FText = separator.substr(start, end - start);
        TRichParagraph paragraph;
        paragraph.Append(std::move(line));
        separatorLines.push_back(std::move(paragraph));
    }
    TRichDocument quoted = ReadRtf(rtf);
    quoted.FParagraphs.insert(quoted.FParagraphs.begin(), std::make_move_iterator(separatorLines.begin()),
                              std::make_move_iterator(separatorLines.end()));
    return WriteRtf(quoted);
}

// While the mail program takes a message new or opened containers are refused.
class TMailDialogOpen
{
public:
    explicit TMailDialogOpen(TSession& session) : FSession(session) { FSession.SetMailDialogOpen(true); }
    ~TMailDialogOpen() { FSession.SetMailDialogOpen(false); }
    TMailDialogOpen(const TMailDialogOpen&) = delete;
    TMailDialogOpen& operator=(const TMailDialogOpen&) = delete;

private:
    TSession& FSession;
};

// How long the windows stay off the top after a hand-over while the user has not left the
// program: a mail program started cold takes some seconds to show its compose window. Once the
// user is in another program the hold lasts until they come back.
constexpr std::chrono::minutes OnTopHoldUnleft{2};

} // namespace

TMailFlows::TMailFlows(TSettings& settings, TSession& session, IContainerWindowFactory& windows, TContainerFlows& flows,
                       IMailClient& mail)
    : FSettings(settings), FSession(session), FWindows(windows), FFlows(flows), FMail(mail),
      FOnTopHold(OnTopHoldUnleft, [this](bool notOnTop) { SetEveryWindowNotOnTop(notOnTop); })
{
}

void TMailFlows::CloseAfter(IContainerWindow& window, bool closeAfter, const std::function<bool()>& operation)
{
    if (!window.Shown().HasContainer()) {
        return;
    }
    const bool hidden = closeAfter && window.Shown().State().FSaved;
    if (hidden) {
        window.HideWindow();
    }
    bool wentAhead = false;
    {
        const TSession::TFlowGuard flow(FSession);
        RunCommand(window.Dialogs(), [&] { wentAhead = operation(); });
    }
    if (wentAhead && closeAfter && window.Shown().State().FSaved) {
        window.RequestClose();
        // A closed window may be gone already.
        if (!FSession.IsOpen(window)) {
            return;
        }
    }
    if (hidden) {
        window.BringToFront();
    }
}

void TMailFlows::SendContainer(IContainerWindow& window)
{
    CloseAfter(window, FSettings.fContainer_CloseAfterMail, [&] { return Send(window); });
}

bool TMailFlows::Send(IContainerWindow& window)
{
    IDialogs& dialogs = window.Dialogs();
    if (!ReleaseOpenedAttachments(window.Shown(), dialogs, FSession.TemporaryFiles())) {
        return false;
    }
    if (window.Shown().Container().IsWritable()) {
        std::string password;
        if (!dialogs.AskNewPassword(MsgText(msg::Password), window.Shown().State().FPassword, password)) {
            return false;
        }
        FFlows.StoreTextAndAddress(window);
        // The user's own address as last used; a recipient's address is not the user's.
        const std::string sender = AddressesOfBox(window.ReplyAddress(), FSettings).FSender;
        if (!sender.empty()) {
            FSettings.LastUsedMailAddress = sender;
        }
        // Also under the same password: until a container file is written anew it keeps the
        // bytes of deleted attachments and earlier memos, and the copy must not carry them.
        if (!Rekey(window, TContainerKey(password))) {
            return false;
        }
        window.Shown().State().FPassword = password;
    } else {
        dialogs.ShowInfoBox(MsgText(msg::Information), MsgText(msg::ContainerReadOnlySamePassword));
    }
    const std::string copy = CopyForMail(window);
    // Refreshed, not raised: a window hidden meanwhile stays hidden, and none covers the mail
    // program's compose window.
    window.LoadContent();
    if (copy.empty()) {
        return false;
    }
    const int result = HandOver(window, copy);
    if (result == IMailClient::HandedOver) {
        window.Shown().State().FSaved = true;
        window.RefreshCommandState();
        return true;
    }
    if (result != IMailClient::NoMailClient) {
        dialogs.ShowInfoBox(MsgText(msg::Error), MsgText(msg::ErrorSendingMail));
    }
    return false;
}

std::string TMailFlows::CopyForMail(IContainerWindow& window)
{
    const std::string fileName = window.Shown().Container().FileName();
    const std::string& folder = FSettings.SentCopiesFolder;
    PrepareSentCopiesFolder(folder);
    // Copies arrive only here, so clearing out the old ones here keeps the folder bounded.
    RemoveOldSentCopies(folder, FSettings.SentCopiesDays, FSettings.WipeCyclesTemp);
    // A copy sent before may still wait in a compose window: it is never replaced.
    const std::string copy = UnusedPath(folder, NameOf(fileName));
    if (window.Shown().Container().IsWritable()) {
        // Re-keyed just before: the file holds nothing else.
        fs::copy_file(fileName, copy);
    } else {
        // A read-only container cannot be re-keyed in place, and its writer may have left deleted
        // attachments and earlier memos in it: the copy is written anew from it.
        const TContainerKey key = window.Shown().Container().GetKey();
        if (!RewriteClosed(window, key, [&](const std::string& intermediate) {
                CopyContainerShowingProgress(window.Dialogs(), fileName, key, copy, intermediate, key);
            })) {
            return {};
        }
    }
    // The copy must be wipeable whatever the permissions of the container, and its age counts
    // from the hand-over. It is listed nowhere for wiping: the mail program may read it after
    // this window closed and after the program ended; only its age removes it.
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);
    fs::last_write_time(copy, fs::file_time_type::clock::now());
    return copy;
}

void TMailFlows::SetEveryWindowNotOnTop(bool notOnTop)
{
    if (FStartWindowNotOnTop) {
        FStartWindowNotOnTop(notOnTop);
    }
    for (IContainerWindow* window : FSession.Windows()) {
        window->SetTemporarilyNotOnTop(notOnTop);
    }
}

int TMailFlows::HandOver(IContainerWindow& window, const std::string& attachment)
{
    const TMailMessage message{
        FSettings.fContainer_DecryptInstructionSubject, FSettings.fContainer_DecryptInstructionText,
        AddressesOfBox(window.ReplyAddress(), FSettings).FRecipient, attachment, NameOf(attachment)};
    // A detached mail program shows its compose window after the hand-over has returned: no window
    // of ours stays on top until the user comes back.
    FOnTopHold.Begin();
    int result = IMailClient::StartFailed;
    try {
        const TMailDialogOpen open(FSession);
        result = FMail.SendMail(message);
    } catch (...) {
        FOnTopHold.End();
        throw;
    }
    if (result != IMailClient::HandedOver) {
        FOnTopHold.End();
    }
    return result;
}

void TMailFlows::ReplyContainer(IContainerWindow& window)
{
    CloseAfter(window, FSettings.fContainer_CloseAfterAnswer, [&] { return Answer(window, true); });
}

void TMailFlows::ForwardContainer(IContainerWindow& window)
{
    CloseAfter(window, FSettings.fContainer_CloseAfterAnswer, [&] { return Answer(window, false); });
}

bool TMailFlows::Answer(IContainerWindow& source, bool reply)
{
    IDialogs& dialogs = source.Dialogs();
    if (!ReleaseOpenedAttachments(source.Shown(), dialogs, FSession.TemporaryFiles())) {
        return false;
    }
    TExtraString sourceExtra;
    sourceExtra.Parse(source.Shown().Container().GetExtra());
    const std::string address = reply ? PlainAddressOrNone(sourceExtra.Field(TExtraString::SenderAddress)) : "";
    std::unique_ptr<TContainer> container =
        FFlows.NewWorkContainer(dialogs, source.Shown().Container().GetKey(), source.Shown().Container().Format());
    if (container == nullptr) {
        return false;
    }
    container->SetMemo(QuotedText(source.EditorText(true)));
    IContainerWindow& window = FWindows.CreateContainerWindow();
    FFlows.GiveNewContainer(window, std::move(container));
    window.Shown().State().FPassword = source.Shown().State().FPassword;
    FFlows.Show(window);
    // Set after the first showing, which puts the last used address into a new window's box.
    window.SetReplyAddress(address);
    window.ApplyDefaultFont();
    window.FocusEditor();
    return true;
}

void TMailFlows::ChangePassword(IContainerWindow& window)
{
    if (!window.Shown().HasContainer()) {
        return;
    }
    const TSession::TFlowGuard flow(FSession);
    IDialogs& dialogs = window.Dialogs();
    RunCommand(dialogs, [&] {
        if (!window.Shown().Container().IsWritable()) {
            TContainerFlows::TellReadOnly(dialogs);
            return;
        }
        // Re-keying writes every entry anew, so the entries of opened attachments would no
        // longer be the container's: they come back first.
        if (!ReleaseOpenedAttachments(window.Shown(), dialogs, FSession.TemporaryFiles())) {
            return;
        }
        std::string password;
        if (!dialogs.AskNewPassword(MsgText(msg::Password), window.Shown().State().FPassword, password)) {
            return;
        }
        const TContainerKey key(password);
        if (key == window.Shown().Container().GetKey()) {
            return;
        }
        if (Rekey(window, key)) {
            window.Shown().State().FPassword = password;
            FFlows.Show(window);
        }
    });
}

bool TMailFlows::RewriteClosed(IContainerWindow& window, const TContainerKey& key,
                               const std::function<void(const std::string& intermediate)>& rewrite)
{
    const std::string intermediate = FFlows.NewWorkFileName(window.Dialogs());
    if (intermediate.empty()) {
        return false;
    }
    const std::string fileName = window.Shown().Container().FileName();
    const TContainerKey oldKey = window.Shown().Container().GetKey();
    const bool writable = window.Shown().Container().IsWritable();
    try {
        window.Shown().Release()->Close();
        rewrite(intermediate);
    } catch (...) {
        // The window goes on with the container as it was, shown again.
        FFlows.Reopen(window, fileName, oldKey, writable);
        FFlows.Show(window);
        throw;
    }
    FFlows.Reopen(window, fileName, key, writable);
    return true;
}

bool TMailFlows::Rekey(IContainerWindow& window, const TContainerKey& key)
{
    const std::string fileName = window.Shown().Container().FileName();
    const TContainerKey oldKey = window.Shown().Container().GetKey();
    return RewriteClosed(window, key, [&](const std::string& intermediate) {
        RekeyContainerShowingProgress(window.Dialogs(), fileName, key, oldKey, intermediate);
    });
}
