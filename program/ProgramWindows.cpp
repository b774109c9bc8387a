#include "ProgramWindows.h"

#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/Settings.h"
#include "ui/widgets/InfoBox.h"
#include "ui/options/OptionsForm.h"

#include <QGuiApplication>

TProgramWindows::TProgramWindows(TSettings& settings, TTemporaryFiles& temporaryFiles)
    : FSettings(settings), FSession(temporaryFiles), FStartDialogs(nullptr, settings),
      FMailClient(
          [this](const std::string& caption, const std::string& text) { FStartDialogs.ShowInfoBox(caption, text); }),
      FWindowFactory(settings, FSession), FCommands(settings, FSession, FWindowFactory, FStartDialogs, FMailClient),
      FStartForm(settings, temporaryFiles, FCommands)
{
    FWindowFactory.SetCommands(FCommands, FCommands);
    FCommands.Mail().SetStartWindowNotOnTop([this](bool notOnTop) { FStartForm.SetTemporarilyNotOnTop(notOnTop); });
    QObject::connect(
        qGuiApp, &QGuiApplication::applicationStateChanged, &FStartForm,
        [this](Qt::ApplicationState state) { FCommands.Mail().ProgramActive(state == Qt::ApplicationActive); });
    FCommands.SetShowOptions([this] {
        ShowOptions(&FStartForm, FSettings,
                    [this](int rememberPasswordMs) { FSession.RestartPasswordTimer(rememberPasswordMs); });
    });
}
