// The program's start: the process-wide objects, the one command-line switch, the hand-over to a
// running instance, the work folder, the update of an installed copy, then the start window and
// the splash, and the message loop until the start window is gone.
#include "app/AppExtraProvider.h"
#include "app/ApplicationCommands.h"
#include "app/EXEVersion.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/TemporaryFiles.h"
#include "app/WorkFolder.h"
#include "container/ExtraString.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"
#include "ui/Artwork.h"
#include "ui/InfoBox.h"
#include "ui/QtUserInterface.h"
#include "ui/SplashForm.h"
#include "ui/StartForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QThread>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    std::setlocale(LC_COLLATE, "");
    std::setlocale(LC_CTYPE, "");
    application.setApplicationName(QString::fromUtf8(MsgText(msg::Sealvane).c_str()));
    application.setQuitOnLastWindowClosed(false);
    Artwork::Load();

    TTemporaryFiles temporaryFiles;
    // The settings show a loading error in the program's message box; they exist only after
    // their own loading, so the box takes default settings for its language.
    TSettings* settingsForErrors = nullptr;
    TSettings settings([&](const std::string& caption, const std::string& text) {
        TSettings defaults([](const std::string&, const std::string&) {});
        ShowInfoBox(QString::fromStdString(caption), QString::fromStdString(text),
                    settingsForErrors != nullptr ? *settingsForErrors : defaults);
    });
    settingsForErrors = &settings;
    LanguageHolder().SetLanguage(ValidLanguage(settings.ActiveLanguage));

    const QStringList parameters = application.arguments().mid(1);
    const QString firstParameter = parameters.isEmpty() ? QString() : parameters.first();
    if (!parameters.isEmpty() && Startup::IsForgetSettingsSwitch(firstParameter)) {
        TSettings::RemoveUserSettings();
        return 0;
    }

    // Two starts at the same moment take turns here, so exactly one becomes the instance. The
    // private folder may not exist yet at the very first start.
    const QString privateFolder = QString::fromStdString(PrivateRuntimeFolder());
    if (!QDir(privateFolder).exists() && QDir().mkpath(privateFolder)) {
        QFile::setPermissions(privateFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QLockFile startLock(privateFolder + QStringLiteral("/sealvane-start.lock"));
    startLock.lock();
    const std::string runningProgram = RunningProgramFile();
    const bool replaceInstalled = Startup::ShouldReplaceInstalledCopy(settings, runningProgram);
    if (Startup::HandOverToRunningInstance(firstParameter, replaceInstalled,
                                           [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); })) {
        return 0;
    }

    TQtUserInterface userInterface(nullptr, settings);
    if (!PrepareWorkFolderOrReport(settings.TempPath, settings.WipeCyclesTemp, userInterface)) {
        return 1;
    }
    if (IsInstalled() && Startup::ShouldReplaceInstalledCopy(settings, runningProgram)) {
        Startup::ReplaceInstalledCopy(settings, runningProgram, userInterface);
    }

    TAppExtraProvider extraProvider(settings);
    TExtraString::SetProvider(&extraProvider);
    TApplicationCommands commands;
    TStartForm startForm(settings, temporaryFiles, commands);
    TInstanceServer server([&startForm](const QString& text) { startForm.HandleForwardedText(text); });
    server.Listen();
    startLock.unlock();

    QObject::connect(&startForm, &TStartForm::programEnding, &application, &QApplication::quit, Qt::QueuedConnection);
    auto* splash = new TSplashForm(startForm, settings);
    splash->show();
    startForm.OpenCommandLineFiles(parameters);
    const int result = application.exec();
    TExtraString::SetProvider(nullptr);
    return result;
}
