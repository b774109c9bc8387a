// The program's start: the process-wide objects, the one command-line switch, the hand-over to a
// running instance, the work folder, the update of an installed copy, then the start window and
// the splash, and the message loop until the start window is gone.
#include "ProgramWindows.h"
#include "app/AppExtraProvider.h"
#include "app/EXEVersion.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/TemporaryFiles.h"
#include "app/WorkFolder.h"
#include "cipher/ProcessProtection.h"
#include "container/ExtraString.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/InfoBox.h"
#include "ui/services/QtUserInterface.h"
#include "ui/start/SplashForm.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QThread>

#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    ProtectProcessMemory();
    if (argc > 1) {
        const QString information = Startup::InformationOptionText(QString::fromLocal8Bit(argv[1]));
        if (!information.isEmpty()) {
            std::fputs(information.toLocal8Bit().constData(), stdout);
            return 0;
        }
    }
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

    TQtUserInterface userInterface(nullptr, settings);
    // File names as the user gave them, relative to the folder of this start.
    const QStringList parameters = Startup::AbsoluteFileParameters(application.arguments().mid(1), QDir::currentPath());
    const QString firstParameter = parameters.isEmpty() ? QString() : parameters.first();
    if (!parameters.isEmpty() && Startup::IsForgetSettingsSwitch(firstParameter)) {
        return Startup::ForgetSettings(userInterface) ? 0 : 1;
    }

    // Two starts at the same moment take turns here, so exactly one becomes the instance. Nothing
    // in the private folder is used before the folder has proved to be the user's own.
    if (!Startup::PrepareRuntimeFolderOrReport(userInterface)) {
        return 1;
    }
    QLockFile startLock(QString::fromStdString(PrivateRuntimeFolder()) + QStringLiteral("/sealvane-start.lock"));
    startLock.lock();
    const std::string runningProgram = RunningProgramFile();
    const bool replaceInstalled = Startup::ShouldReplaceInstalledCopy(settings, runningProgram);
    if (Startup::HandOverToRunningInstance(firstParameter, replaceInstalled,
                                           [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); })) {
        return 0;
    }

    if (!PrepareWorkFolderOrReport(settings.TempPath, settings.WipeCyclesTemp, userInterface)) {
        return 1;
    }
    if (IsInstalled() && Startup::ShouldReplaceInstalledCopy(settings, runningProgram)) {
        Startup::ReplaceInstalledCopy(settings, runningProgram, userInterface);
    }

    TAppExtraProvider extraProvider(settings);
    TExtraString::SetProvider(&extraProvider);
    TProgramWindows windows(settings, temporaryFiles);
    TStartForm& startForm = windows.StartForm();
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
