#include "AttachmentCommands.h"

#include "ContainerFlows.h"
#include "ContainerWindow.h"
#include "Dialogs.h"
#include "OpenContainer.h"
#include "ProgramFile.h"
#include "ProgressRun.h"
#include "RunCommand.h"
#include "Session.h"
#include "TemporaryFiles.h"
#include "WorkCopy.h"
#include "cipher/BasicFileStream.h"
#include "container/PathInfo.h"
#include "container/PendingFile.h"
#include "container/Container.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/Settings.h"

#include <filesystem>
#include <numeric>

namespace {

bool Exists(const std::string& fileName)
{
    return std::filesystem::exists(std::filesystem::symlink_status(fileName));
}

std::vector<int> AllRows(TContainer& container)
{
    std::vector<int> rows(static_cast<std::size_t>(container.GetCatalog().Count()));
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

// The container's file name without folder and extension: the name of the text file and of the
// sub-folder.
std::string StemOf(TContainer& container)
{
    return std::filesystem::path(container.FileName()).stem().string();
}

} // namespace

TAttachmentCommands::TAttachmentCommands(TSettings& settings, TSession& session, TContainerFlows& flows)
    : FSettings(settings), FSession(session), FFlows(flows)
{
}

bool TAttachmentCommands::RefusedReadOnly(IContainerWindow& window)
{
    if (window.Shown().Container().IsWritable()) {
        return false;
    }
    TContainerFlows::TellReadOnly(window.Dialogs());
    return true;
}

void TAttachmentCommands::AddAttachments(IContainerWindow& window)
{
    const TSession::TFlowGuard flow(FSession);
    std::vector<std::string> files;
    RunCommand(window.Dialogs(), [&] {
        if (!RefusedReadOnly(window)) {
            files = window.Dialogs().AskOpenFiles(MsgText(msg::AddAttachmentsEllipsis), MsgText(msg::FilterAllFiles),
                                                  FSession.DialogFolder(FSettings));
        }
    });
    if (!files.empty()) {
        FFlows.DropFiles(&window, files);
    }
}

void TAttachmentCommands::DeleteSelectedAttachments(IContainerWindow& window)
{
    const TSession::TFlowGuard flow(FSession);
    IDialogs& dialogs = window.Dialogs();
    RunCommand(dialogs, [&] {
        const std::vector<int> rows = window.SelectedAttachmentRows();
        if (RefusedReadOnly(window) || rows.empty() ||
            dialogs.AskYesNo(MsgText(msg::DeleteAttachments), MsgText(msg::DeleteSelectedAttachmentsConfirm)) !=
                TAnswer::Yes) {
            return;
        }
        TContainer& container = window.Shown().Container();
        // From the last row to the first: a deletion moves the rows after it.
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
            container.DeleteEntry(*container.GetCatalog().Item(*row));
        }
        window.LoadContent();
        window.BringToFront();
    });
}

void TAttachmentCommands::ExtractAllAttachments(IContainerWindow& window)
{
    ExtractToChosenFolder(window, false);
}

void TAttachmentCommands::ExtractSelectedAttachments(IContainerWindow& window)
{
    ExtractToChosenFolder(window, true);
}

void TAttachmentCommands::ExtractToChosenFolder(IContainerWindow& window, bool selectedOnly)
{
    const TSession::TFlowGuard flow(FSession);
    RunCommand(window.Dialogs(), [&] {
        const std::vector<int> rows =
            selectedOnly ? window.SelectedAttachmentRows() : AllRows(window.Shown().Container());
        if (selectedOnly && rows.empty()) {
            return;
        }
        const std::string folder = ExtractRowsToChosenFolder(
            window, rows, selectedOnly ? msg::ExtractSelectedAttachments : msg::ExtractAllAttachments);
        if (!folder.empty() && !selectedOnly && FSettings.ExploreAfterExtract) {
            window.Dialogs().OpenWithShell(folder);
        }
    });
}

std::string TAttachmentCommands::ExtractRowsToChosenFolder(IContainerWindow& window, const std::vector<int>& rows,
                                                           const TMessage& caption)
{
    const std::string folder = window.Dialogs().AskFolder(MsgText(caption), FSession.DialogFolder(FSettings));
    if (folder.empty()) {
        return {};
    }
    FSession.SetDialogFolder(FSettings, folder);
    return ExtractRows(window, rows, folder) ? folder : std::string();
}

bool TAttachmentCommands::ExtractRows(IContainerWindow& window, const std::vector<int>& rows, const std::string& folder)
{
    IDialogs& dialogs = window.Dialogs();
    // The first failure is told with its reason, the others only counted: a folder that refuses
    // every file would otherwise ask for one answer per file.
    std::string firstFailure;
    int failures = 0;
    const bool finished = ExtractFilesShowingProgress(
        dialogs, window.Shown().Container(), rows, folder,
        [&](const std::string& targetName) {
            if (!Exists(targetName)) {
                return TEntryChoice::Extract;
            }
            const std::filesystem::path target(targetName);
            const TAnswer answer = dialogs.AskYesNoCancel(
                MsgText(msg::Overwrite), FormatText(MsgText(msg::OverwriteFileInFolder),
                                                    {target.parent_path().string(), target.filename().string()}));
            return answer == TAnswer::Cancel ? TEntryChoice::Stop
                   : answer == TAnswer::No   ? TEntryChoice::PassOver
                                             : TEntryChoice::Extract;
        },
        [&](const std::exception& error) {
            if (failures++ == 0) {
                firstFailure = error.what();
            }
        });
    if (failures > 0) {
        dialogs.ShowInfoBox(MsgText(msg::Error),
                            failures == 1 ? firstFailure
                                          : firstFailure + "\n" +
                                                FormatText(MsgText(msg::FurtherFilesNotWritten), {std::int64_t{failures - 1}}));
    }
    return finished && failures == 0;
}

bool TAttachmentCommands::WriteTextFile(IContainerWindow& window, const std::string& fileName)
{
    if (Exists(fileName)) {
        const TAnswer answer = window.Dialogs().AskYesNoCancel(MsgText(msg::Overwrite),
                                                               FormatText(MsgText(msg::OverwriteFile), {fileName}));
        if (answer != TAnswer::Yes) {
            return answer == TAnswer::No;
        }
    }
    const std::string text = window.EditorText(true);
    TPendingFile pending(fileName);
    TBasicFileStream output(pending.Handle(), fileName);
    output.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    output.Close();
    pending.Commit();
    return true;
}

void TAttachmentCommands::ExtractTextAndAttachments(IContainerWindow& window)
{
    const TSession::TFlowGuard flow(FSession);
    IDialogs& dialogs = window.Dialogs();
    RunCommand(dialogs, [&] {
        const std::string chosen =
            dialogs.AskFolder(MsgText(msg::ExtractTextAndAttachments), FSession.DialogFolder(FSettings));
        if (chosen.empty()) {
            return;
        }
        const std::string stem = StemOf(window.Shown().Container());
        std::string folder = chosen;
        if (FSettings.ExtractAllInSubdir) {
            folder = JoinPath(chosen, stem);
            std::error_code error;
            std::filesystem::create_directories(folder, error);
            if (!std::filesystem::is_directory(folder, error)) {
                dialogs.ShowInfoBox(MsgText(msg::Error),
                                    FormatText(MsgText(msg::ErrorCreatingTempDirectory), {folder}));
                return;
            }
        }
        FSession.SetDialogFolder(FSettings, folder);
        if (ExtractRows(window, AllRows(window.Shown().Container()), folder) &&
            WriteTextFile(window, JoinPath(folder, stem + ".rtf")) && FSettings.ExploreAfterExtract) {
            dialogs.OpenWithShell(folder);
        }
    });
}

void TAttachmentCommands::ExtractText(IContainerWindow& window)
{
    const TSession::TFlowGuard flow(FSession);
    IDialogs& dialogs = window.Dialogs();
    RunCommand(dialogs, [&] {
        const std::string fileName = dialogs.AskSaveFile(
            MsgText(msg::ExtractText), FormatText(MsgText(msg::FilterRtfFiles), {std::string("rtf")}),
            FSession.DialogFolder(FSettings), StemOf(window.Shown().Container()) + ".rtf");
        if (!fileName.empty() && WriteTextFile(window, fileName) && FSettings.ExploreAfterExtract) {
            dialogs.OpenWithShell(std::filesystem::path(fileName).parent_path().string());
        }
    });
}

void TAttachmentCommands::OpenAttachment(IContainerWindow& window, int row)
{
    IDialogs& dialogs = window.Dialogs();
    RunCommand(dialogs, [&] {
        TContainer& container = window.Shown().Container();
        const std::shared_ptr<TFileInfo> entry = container.GetCatalog().Item(row);
        std::string fileName = window.Shown().OpenedFileOf(*entry);
        if (fileName.empty()) {
            // Another opened attachment of the same name, or any other file there, stays as it is.
            fileName = DecryptToWorkFolder(dialogs, window.Shown(), row, FSettings.TempPath, FSession.TemporaryFiles(),
                                           TWorkCopyUse::Opened);
        }
        if (!IsProgramFile(fileName)) {
            dialogs.OpenWithShell(fileName);
        } else if (dialogs.AskYesNo(MsgText(msg::Warning), FormatText(MsgText(msg::ProgramNotStarted),
                                                                      {entry->FPath.FileName()})) == TAnswer::Yes) {
            ExtractRowsToChosenFolder(window, {row}, msg::ExtractSelectedAttachments);
        }
    });
}
