#pragma once

class IDialogs;
class TSession;
class TSettings;

// "Wipe files...": the files the user picks are overwritten (WipeCyclesUser cycles) and deleted
// after one confirmation, in the order the dialog gives them.
class TWipeCommand
{
public:
    TWipeCommand(TSettings& settings, TSession& session);

    // Asks through the dialogs of the window the command came from. True when the command ran to
    // its end (also when the user cancelled); false when a file could not be wiped: the files
    // after it are left untouched and the failure has been shown with the caption "Error".
    bool Run(IDialogs& dialogs);

private:
    TSettings& FSettings;
    TSession& FSession;
};
