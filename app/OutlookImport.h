#pragma once

#include <string>

class IDialogs;
class IMailAutomation;
class TContainerFlows;
class TSession;
class TSettings;

// Opens the container a mail arrived with straight from the mail program (the mail open in its
// own window, else the first selected one): the attachment is saved into the work folder, kept on
// the temporary-file list, and opened after the password question "Password (Outlook container)"
// in a new container window.
class TOutlookImport
{
public:
    TOutlookImport(TSettings& settings, TSession& session, TContainerFlows& flows, IDialogs& startDialogs,
                   IMailAutomation& automation);

    bool IsRunning();
    // Loud: no container found is said; quiet (the check at start-up): nothing is said then.
    // Refused while the mail dialog is open. A failure of the mail program is reported.
    void OpenContainer(bool loud);

private:
    TSettings& FSettings;
    TSession& FSession;
    TContainerFlows& FFlows;
    IDialogs& FStartDialogs;
    IMailAutomation& FAutomation;
};
