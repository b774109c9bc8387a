#include "ContainerFlows.h"

#include "ContainerName.h"
#include "ContainerWindow.h"
#include "Dialogs.h"
#include "FileLock.h"
#include "OpenContainer.h"
#include "OwnAddress.h"
#include "ProgressRun.h"
#include "ReceivedLocation.h"
#include "ReleaseAttachments.h"
#include "RunCommand.h"
#include "Session.h"
#include "TemporaryFiles.h"
#include "cipher/SecureZero.h"
#include "container/ContainerError.h"
#include "container/ExtraString.h"
#include "container/LocalFiles.h"
#include "container/Container.h"
#include "sealed/ContainerFormats.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/Settings.h"
#include "settings/TrimText.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

std::string NameOf(const std::string& fileName)
{
    return std::filesystem::path(fileName).filename().string();
}

std::string FolderOf(const std::string& fileName)
{
    return std::filesystem::path(fileName).parent_path().string();
}

// Containers are saved as ".xvt"; the open dialog also lists the older ".bwk" files, which open too.
std::string ContainerFilter(bool forOpening)
{
    const std::string filter = FormatText(MsgText(msg::FilterContainerFiles), {std::string("xvt")});
    return forOpening ? filter + ";*.bwk" : filter;
}

TExtraString ExtraOf(TContainer& container)
{
    TExtraString extra;
    extra.Parse(container.GetExtra());
    return extra;
}

// The container's extra record; a fresh one when it holds none of the current format.
TExtraString RecordOf(TContainer& container)
{
    const TExtraString extra = ExtraOf(container);
    return extra.Field(TExtraString::RecordFormat) == TExtraString::CurrentFormat ? extra : TExtraString(true);
}

// Opens for writing when that works and is wanted, else read only.
TCatalog& OpenAs(TContainer& container, const std::string& fileName, bool writable)
{
    return writable ? container.OpenExisting(fileName) : container.OpenReadOnly(fileName);
}

// The text the user changed becomes the container's memo (a read-only container keeps its own).
void StoreText(TContainer& container, const IContainerWindow& window)
{
    if (container.IsWritable() && window.TextChanged()) {
        container.SetMemo(window.EditorText(true));
    }
}

} // namespace

TContainerFlows::TContainerFlows(TSettings& settings, TSession& session, IContainerWindowFactory& windows,
                                 IDialogs& startDialogs)
    : FSettings(settings), FSession(session), FWindows(windows), FStartDialogs(startDialogs)
{
}

IDialogs& TContainerFlows::DialogsOf(IContainerWindow* window)
{
    return window != nullptr ? window->Dialogs() : FStartDialogs;
}

void TContainerFlows::Show(IContainerWindow& window)
{
    window.LoadContent();
    window.BringToFront();
}

void TContainerFlows::SetRecordState(IContainerWindow& window, const TExtraString& extra)
{
    window.Shown().State().FExtraValue = extra.Number(TExtraString::Flags);
    window.Shown().State().FOwn = IsOwnSenderAddress(extra.Field(TExtraString::SenderAddress), FSettings);
}

void TContainerFlows::NewContainer()
{
    if (FSession.MailDialogOpen()) {
        return;
    }
    RunCommand(FStartDialogs, [&] {
        IContainerWindow* window = TargetWithContainer(nullptr, FStartDialogs);
        if (window != nullptr) {
            Show(*window);
            window->ApplyDefaultFont();
            window->FocusEditor();
        }
    });
}

std::string TContainerFlows::NewWorkFileName(IDialogs& dialogs)
{
    // Two names made within the same millisecond are equal; a container made earlier must never
    // be created anew under its own name.
    for (;;) {
        std::string fileName = MakeContainerName(FSettings.TempPath, FSettings.DefaultContainerNameBegin,
                                                 FSettings.DefaultContainerNameEnd, FSession.TemporaryFiles(), dialogs);
        if (fileName.empty() || !std::filesystem::exists(std::filesystem::symlink_status(fileName))) {
            return fileName;
        }
    }
}

std::unique_ptr<TContainer> TContainerFlows::NewWorkContainer(IDialogs& dialogs)
{
    // A provisional password that differs from window to window; the user's replaces it when
    // the container is saved or sent.
    return NewWorkContainer(dialogs, TContainerKey(std::to_string(FSession.NextWindowSerial())),
                            IsWritableFormat(FSettings.NewContainerFormat) ? FSettings.NewContainerFormat : DefaultFormat);
}

std::unique_ptr<TContainer> TContainerFlows::NewWorkContainer(IDialogs& dialogs, const TContainerKey& key,
                                                             std::int64_t format)
{
    const std::string fileName = NewWorkFileName(dialogs);
    if (fileName.empty()) {
        return nullptr;
    }
    auto container = ::NewContainer(key, format);
    container->OpenNew(fileName);
    container->SetExtra(TExtraString(true).Serialize());
    return container;
}

void TContainerFlows::GiveNewContainer(IContainerWindow& window, std::unique_ptr<TContainer> container)
{
    const TExtraString extra = ExtraOf(*container);
    window.Shown().Assign(std::move(container));
    TContainerState& state = window.Shown().State();
    state.FModified = true;
    state.FNew = true;
    state.FPassword.clear();
    state.FSaved = false;
    SetRecordState(window, extra);
}

IContainerWindow* TContainerFlows::TargetWithContainer(IContainerWindow* window, IDialogs& dialogs)
{
    if (window != nullptr && window->Shown().HasContainer()) {
        return window;
    }
    std::unique_ptr<TContainer> container = NewWorkContainer(dialogs);
    if (container == nullptr) {
        return nullptr;
    }
    IContainerWindow& target = window != nullptr ? *window : FWindows.CreateContainerWindow();
    GiveNewContainer(target, std::move(container));
    return &target;
}

void TContainerFlows::OpenContainerFile(IContainerWindow* window, const std::string& fileName)
{
    OpenContainerFile(window, fileName, MsgText(msg::Password));
}

void TContainerFlows::OpenContainerFile(IContainerWindow* window, const std::string& fileName,
                                        const std::string& passwordCaption)
{
    if (FSession.MailDialogOpen()) {
        return;
    }
    IDialogs& dialogs = DialogsOf(window);
    const TSession::TFlowGuard flow(FSession);
    RunCommand(dialogs, [&] { OpenFile(window, dialogs, fileName, passwordCaption); });
}

void TContainerFlows::OpenFile(IContainerWindow* window, IDialogs& dialogs, const std::string& fileName,
                               const std::string& passwordCaption)
{
    std::string name = fileName;
    if (TrimText(name).empty()) {
        name = dialogs.AskOpenFile(MsgText(msg::Open), ContainerFilter(true), FSession.DialogFolder(FSettings));
        if (name.empty()) {
            return;
        }
    }
    if (!FileExists(name)) {
        ThrowContainerError(msg::ContainerNotFound, {name});
    }
    FSession.SetDialogFolder(FSettings, FolderOf(name));
    std::string password;
    if (const std::optional<TContainerKey> key = AskOpenKey(dialogs, passwordCaption, name, password)) {
        LoadIntoWindow(window, dialogs, name, *key, password);
    }
}

std::optional<TContainerKey> TContainerFlows::AskOpenKey(IDialogs& dialogs, const std::string& caption,
                                                         const std::string& fileName, std::string& password)
{
    for (;;) {
        if (!dialogs.AskPassword(caption, FSession.RememberedPassword(), password)) {
            return std::nullopt;
        }
        TContainerKey key(password);
        if (CheckPassword(fileName, key)) {
            FSession.RememberPassword(password, std::clamp(FSettings.SaveLastPWDTime, 0, 99) * 10'000);
            return key;
        }
        FSession.ForgetPassword();
        dialogs.ShowInfoBox(MsgText(msg::Information), MsgText(msg::IncorrectPassword));
    }
}

void TContainerFlows::LoadIntoWindow(IContainerWindow* window, IDialogs& dialogs, const std::string& fileName,
                                     const TContainerKey& key, const std::string& password)
{
    auto container = ContainerFor(fileName, key);
    const bool regenerated = OpenAs(*container, fileName, !IsReceived(fileName)).Regenerated();
    if (regenerated && container->IsWritable()) {
        // The catalog found by the scan is written back only with a change the user makes.
        container->RegenCatalog(false);
    }
    const std::string stored = container->GetExtra();
    TExtraString extra;
    extra.Parse(stored);
    const std::string& format = extra.Field(TExtraString::RecordFormat);
    if (stored.empty() || format != TExtraString::CurrentFormat) {
        if (regenerated) {
            dialogs.ShowInfoBox(MsgText(msg::Information), FormatText(MsgText(msg::CatalogRegenerated), {fileName}));
        } else {
            const std::int64_t number = std::strtoll(format.c_str(), nullptr, 10);
            dialogs.ShowInfoBox(MsgText(msg::Information), FormatText(MsgText(msg::InvalidExtraFormat), {number}));
        }
        // The window goes by a fresh record; the container takes one only with a change the
        // user makes (see StoreTextAndAddress).
        extra = TExtraString(true);
    }
    // A window that shows a container keeps it: the file opens in a window of its own.
    IContainerWindow& target =
        window != nullptr && !window->Shown().HasContainer() ? *window : FWindows.CreateContainerWindow();
    target.Shown().Assign(std::move(container));
    TContainerState& state = target.Shown().State();
    state.FModified = false;
    state.FNew = false;
    state.FSaved = true;
    state.FPassword = password;
    SetRecordState(target, extra);
    Show(target);
}

void TContainerFlows::DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames)
{
    DropFilesOnto(window, fileNames);
    FSession.SetDropSource(nullptr);
}

void TContainerFlows::DropFilesOnto(IContainerWindow* window, const std::vector<std::string>& fileNames)
{
    if (fileNames.size() == 1 && FileExists(fileNames.front()) && HasContainerExtension(fileNames.front())) {
        OpenContainerFile(nullptr, fileNames.front());
        return;
    }
    // Attachments dragged out of a window are not added back to it.
    if (fileNames.empty() || (window != nullptr && window == FSession.DropSource()) ||
        (window == nullptr && FSession.MailDialogOpen())) {
        return;
    }
    RunOnTarget(window, [&](IContainerWindow& target) { AddDroppedFiles(target, fileNames); });
}

void TContainerFlows::RunOnTarget(IContainerWindow* window, const std::function<void(IContainerWindow&)>& work)
{
    IDialogs& dialogs = DialogsOf(window);
    const TSession::TFlowGuard flow(FSession);
    RunCommand(dialogs, [&] {
        IContainerWindow* target = TargetWithContainer(window, dialogs);
        if (target == nullptr) {
            return;
        }
        try {
            work(*target);
        } catch (...) {
            Show(*target);
            throw;
        }
        Show(*target);
    });
}

void TContainerFlows::AddDroppedFiles(IContainerWindow& window, const std::vector<std::string>& fileNames)
{
    TContainer& container = window.Shown().Container();
    if (!container.IsWritable()) {
        TellReadOnly(window.Dialogs());
        return;
    }
    for (const std::string& fileName : fileNames) {
        // In a list of several, container files and vanished files are passed over.
        if (fileNames.size() == 1 || (FileExists(fileName) && !HasContainerExtension(fileName, false))) {
            AddFileShowingProgress(window.Dialogs(), container, fileName, FolderOf(fileName));
        }
    }
}

void TContainerFlows::DropText(IContainerWindow* window, const std::string& text, bool rich)
{
    if (window == nullptr && FSession.MailDialogOpen()) {
        return;
    }
    RunOnTarget(window, [&](IContainerWindow& target) {
        if (target.Shown().Container().IsWritable()) {
            target.SetEditorText(TrimText(text), rich);
            target.Shown().Container().SetMemo(target.EditorText(true));
        } else {
            TellReadOnly(target.Dialogs());
        }
    });
    FSession.SetDropSource(nullptr);
}

bool TContainerFlows::SaveContainerAs(IContainerWindow& window)
{
    bool saved = false;
    if (window.Shown().HasContainer()) {
        const TSession::TFlowGuard flow(FSession);
        RunCommand(window.Dialogs(), [&] { saved = SaveAs(window); });
    }
    return saved;
}

bool TContainerFlows::SaveAs(IContainerWindow& window)
{
    IDialogs& dialogs = window.Dialogs();
    if (!ReleaseOpenedAttachments(window.Shown(), dialogs, FSession.TemporaryFiles())) {
        return false;
    }
    const std::string source = window.Shown().Container().FileName();
    const std::string target = dialogs.AskSaveFile(MsgText(msg::SaveContainer), ContainerFilter(false),
                                                   FSession.DialogFolder(FSettings), NameOf(source));
    if (TrimText(target).empty()) {
        return false;
    }
    // Replacing a file another window has open would leave that window writing into the old file,
    // gone from the folder: its later work would be lost without a word.
    if (const IContainerWindow* holder = WindowWithFile(target, window)) {
        ThrowContainerError(msg::FileOpenInWindow, {target, holder->Title()});
    }
    FSession.SetDialogFolder(FSettings, FolderOf(target));
    std::string password;
    if (!dialogs.AskNewPassword(MsgText(msg::Password), window.Shown().State().FPassword, password)) {
        return false;
    }
    const std::string intermediate = NewWorkFileName(dialogs);
    if (intermediate.empty()) {
        return false;
    }
    // Another instance of the program that has the target open holds its lock; this window holds
    // the lock of its own file until it gives the container up.
    std::optional<TExclusiveFileLock> targetLock;
    if (!IsSameFile(target, source)) {
        targetLock.emplace(target);
    }
    if (targetLock && !targetLock->Taken()) {
        ThrowContainerError(msg::FileLockedByOtherApplication, {target});
    }
    const TContainerKey key(password);
    const TContainerKey sourceKey = window.Shown().Container().GetKey();
    const bool sourceWritable = window.Shown().Container().IsWritable();
    StoreTextAndAddress(window);
    try {
        window.Shown().Release()->Close();
        CopyContainerShowingProgress(dialogs, source, sourceKey, target, intermediate, key);
    } catch (...) {
        // The window goes on with the container it had, shown again.
        Reopen(window, source, sourceKey, sourceWritable);
        Show(window);
        throw;
    }
    // The file the user chose is the user's to change, wherever it lies.
    Reopen(window, target, key, true);
    TContainerState& state = window.Shown().State();
    state.FModified = false;
    state.FSaved = true;
    state.FPassword = password;
    Show(window);
    return true;
}

const IContainerWindow* TContainerFlows::WindowWithFile(const std::string& fileName,
                                                        const IContainerWindow& except) const
{
    for (const IContainerWindow* other : FSession.Windows()) {
        if (other != &except && other->Shown().HasContainer() &&
            IsSameFile(other->Shown().Container().FileName(), fileName)) {
            return other;
        }
    }
    return nullptr;
}

void TContainerFlows::StoreTextAndAddress(IContainerWindow& window)
{
    TContainer& container = window.Shown().Container();
    if (!container.IsWritable()) {
        return;
    }
    StoreText(container, window);
    TExtraString extra = RecordOf(container);
    extra.SetField(TExtraString::SenderAddress, AddressesOfBox(window.ReplyAddress(), FSettings).FSender);
    container.SetExtra(extra.Serialize());
}

void TContainerFlows::Reopen(IContainerWindow& window, const std::string& fileName, const TContainerKey& key,
                             bool writable)
{
    auto container = ContainerFor(fileName, key);
    OpenAs(*container, fileName, writable);
    window.Shown().Assign(std::move(container));
}

bool TContainerFlows::IsReceived(const std::string& fileName) const
{
    std::vector<std::string> folders = FSession.TemporaryFolders();
    folders.push_back(FSettings.TempPath);
    return IsReceivedLocation(fileName, folders);
}

void TContainerFlows::TellReadOnly(IDialogs& dialogs)
{
    dialogs.ShowInfoBox(MsgText(msg::Information),
                        MsgText(msg::ContainerIsReadOnly) + ' ' + MsgText(msg::SaveElsewhereToChange));
}

bool TContainerFlows::CloseContainerWindow(IContainerWindow& window)
{
    // Closed in the middle of a flow, the window closes once the flow is done (it may have given
    // its container up for the flow).
    if (FSession.FlowRunning()) {
        FSession.AfterFlow([this, &window] {
            if (FSession.IsOpen(window)) {
                window.RequestClose();
            }
        });
        return false;
    }
    IDialogs& dialogs = window.Dialogs();
    bool mayClose = false;
    {
        const TSession::TFlowGuard flow(FSession);
        RunCommand(dialogs, [&] { mayClose = AskToClose(window); });
    }
    if (!mayClose) {
        return false;
    }
    window.StoreGeometry();
    if (FSettings.fContainer_UserDimensions) {
        FSettings.Save(true);
    }
    FSession.RemoveWindow(window);
    SecureClear(window.Shown().State().FPassword);
    if (window.Shown().HasContainer()) {
        const std::unique_ptr<TContainer> container = window.Shown().Release();
        RunCommand(dialogs, [&] {
            StoreText(*container, window);
            container->Close();
        });
    }
    FSession.TemporaryFiles().WipeWindowFiles(FSettings.WipeCyclesTemp);
    return true;
}

bool TContainerFlows::AskToClose(IContainerWindow& window)
{
    IDialogs& dialogs = window.Dialogs();
    for (;;) {
        if (!ReleaseOpenedAttachments(window.Shown(), dialogs, FSession.TemporaryFiles())) {
            return false;
        }
        if (window.Shown().State().FSaved || !window.Shown().HasContainer() ||
            (window.EditorEmpty() && window.Shown().Container().GetCatalog().Count() == 0)) {
            return true;
        }
        const std::string question =
            FormatText(MsgText(msg::ContainerNotSaved), {NameOf(window.Shown().Container().FileName())});
        switch (dialogs.AskYesNoCancel(MsgText(msg::SaveContainer), question)) {
        case TAnswer::Yes:
            SaveContainerAs(window);
            break;
        case TAnswer::No:
            return true;
        default:
            return false;
        }
    }
}
