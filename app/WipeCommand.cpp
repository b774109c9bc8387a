#include "WipeCommand.h"

#include "Dialogs.h"
#include "ProgressRun.h"
#include "RunCommand.h"
#include "Session.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/Settings.h"

#include <algorithm>
#include <filesystem>

TWipeCommand::TWipeCommand(TSettings& settings, TSession& session) : FSettings(settings), FSession(session) {}

bool TWipeCommand::Run(IDialogs& dialogs)
{
    return RunCommand(dialogs, [&] {
        const std::vector<std::string> files = dialogs.AskOpenFiles(
            MsgText(msg::WipeFilesTitle), MsgText(msg::FilterAllFiles), FSession.DialogFolder(FSettings));
        if (files.empty()) {
            return;
        }
        FSession.SetDialogFolder(FSettings, std::filesystem::path(files.front()).parent_path().string());
        std::string names;
        for (const std::string& file : files) {
            names += (names.empty() ? "'" : ", '") + std::filesystem::path(file).filename().string() + "'";
        }
        if (dialogs.AskYesNo(MsgText(msg::Warning), FormatText(MsgText(msg::FileWillBeWipedConfirm), {names})) !=
            TAnswer::Yes) {
            return;
        }
        // Fewer than one cycle would only delete the file.
        const std::int32_t cycles = std::max(FSettings.WipeCyclesUser, 1);
        std::int64_t wiped = 0;
        for (const std::string& file : files) {
            const bool goOn = WipeFileShowingProgress(dialogs, file, cycles);
            ++wiped;
            if (!goOn) {
                break; // cancelled: the files after this one stay as they are
            }
        }
        dialogs.ShowInfoBox(MsgText(msg::Information), FormatText(MsgText(msg::FilesWiped), {wiped}));
    });
}
