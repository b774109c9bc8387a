#include "ProgramEnd.h"

#include "AppCommands.h"
#include "StartWindow.h"
#include "TemporaryFiles.h"
#include "UserInterface.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/Settings.h"

TProgramEnd::TProgramEnd(TSettings& settings, TTemporaryFiles& temporaryFiles, IAppCommands& commands,
                         IStartWindow& window)
    : FSettings(settings), FTemporaryFiles(temporaryFiles), FCommands(commands), FWindow(window)
{
}

bool TProgramEnd::MayEnd()
{
    if (FCommands.FlowRunning()) {
        if (!FEndAfterFlow) {
            FEndAfterFlow = true;
            FCommands.AfterFlow([this] {
                FEndAfterFlow = false;
                FWindow.CloseForReal();
            });
        }
        return false;
    }
    if (!FCommands.CloseContainerWindows() || !WipeTemporaryFilesAsking()) {
        return false;
    }
    FSettings.Save(true);
    return true;
}

bool TProgramEnd::WipeTemporaryFilesAsking()
{
    for (;;) {
        {
            const auto busy = FWindow.BusyCursor();
            FTemporaryFiles.WipeTemporaryFiles(FSettings.WipeCyclesTemp);
        }
        bool retry = false;
        for (const std::string& file : std::vector<std::string>(FTemporaryFiles.Files())) {
            const TAnswer answer = FWindow.UserInterface().AskAbortRetryIgnore(
                MsgText(msg::Warning), FormatText(MsgText(msg::CannotWipeFile), {file}));
            if (answer == TAnswer::Abort) {
                return false;
            }
            if (answer == TAnswer::Retry) {
                retry = true;
                break;
            }
        }
        if (!retry) {
            return true;
        }
    }
}
