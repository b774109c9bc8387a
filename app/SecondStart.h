#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

class IAppCommands;
class IStartWindow;
class TSettings;

// What the program is handed at its start and by a second start of it (see SingleInstance.h):
// files to open, the start window to show, an update to make way for, settings to forget.
class TSecondStart
{
public:
    TSecondStart(TSettings& settings, IAppCommands& commands, IStartWindow& window);

    // The files named on this program's own command line, opened after start-up (one container
    // opens, others become attachments of a new one); a name that is no file is reported as a
    // container not found. Without files the mail program's container is looked for, quietly,
    // when the settings ask so.
    void OpenCommandLineFiles(const QStringList& arguments);
    // A second start's command line, trimmed, once no flow runs (in the order they came): empty
    // shows the start window (and looks for the mail program's container half a second later when
    // the settings ask so), "-UPDATE" ends the program unless containers are open, "-U" forgets
    // the settings, an existing file is opened. Only the settings are forgotten while the mail
    // dialog is open.
    void HandleForwardedText(const QString& text);

private:
    void TakeForwardedText(const QString& forwarded);

    TSettings& FSettings;
    IAppCommands& FCommands;
    IStartWindow& FWindow;
    QTimer FOutlookCheckTimer;
};
